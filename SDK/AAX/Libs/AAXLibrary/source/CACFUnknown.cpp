// CACFUnknown.cpp: reference counting, interface lookup and the module's live-object count.
#include "CACFUnknown.h"

#include "AAX_UIDs.h"

namespace
{
    std::atomic<acfUInt32> activeObjectCount { 0 };
}

CACFUnknown::CACFUnknown() noexcept
    : controllingUnknown (&innerUnknown)
{
    activeObjectCount.fetch_add (1);
}

CACFUnknown::~CACFUnknown()
{
    activeObjectCount.fetch_sub (1);
}

acfUInt32 CACFUnknown::GetActiveObjectCount() noexcept
{
    return activeObjectCount.load();
}

acfResult CACFUnknown::FinalConstruct()
{
    return ACF_OK;
}

void CACFUnknown::FinalRelease()
{
}

void CACFUnknown::DeleteThis()
{
    delete this;
}

acfResult CACFUnknown::InternalQueryInterface (const acfIID& iid, void** interfaceOut)
{
    if (interfaceOut == nullptr)
        return ACF_E_POINTER;

    *interfaceOut = nullptr;

    if (iid != IID_IACFUnknown)
        return ACF_E_NOINTERFACE;

    *interfaceOut = static_cast<IACFUnknown*> (&innerUnknown);
    innerUnknown.AddRef();
    return ACF_OK;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return referenceCount.fetch_add (1) + 1;
}

acfUInt32 CACFUnknown::InternalRelease()
{
    const auto newCount = referenceCount.fetch_sub (1) - 1;

    if (newCount == 0)
    {
        FinalRelease();
        DeleteThis();
    }

    return newCount;
}

acfResult CACFUnknown::PrivateUnknown::QueryInterface (const acfIID& iid, void** interfaceOut)
{
    return owner.InternalQueryInterface (iid, interfaceOut);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef()
{
    return owner.InternalAddRef();
}

acfUInt32 CACFUnknown::PrivateUnknown::Release()
{
    return owner.InternalRelease();
}
