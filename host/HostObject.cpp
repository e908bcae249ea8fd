// HostObject.cpp: interface lookup and reference counting of recorded host objects.
#include "HostObject.h"

int32_t host::RecordedObject::lookup (const Uid& iid, void** interfaceOut)
{
    record (0, { CallLog::text (iid) });

    if (interfaceOut == nullptr)
        return resultPointer;

    *interfaceOut = nullptr;

    if (iid == uids::IID_IACFUnknown || offers (iid))
    {
        *interfaceOut = &unknown();
        addReference();
        return resultOk;
    }

    if (const auto target = forwarded.find (iid); target != forwarded.end())
    {
        *interfaceOut = target->second;
        target->second->AddRef();
        return resultOk;
    }

    return resultNoInterface;
}

uint32_t host::RecordedObject::releaseReference() noexcept
{
    auto count = references.load();
    do
    {
        if (count == 0)
        {
            overReleaseCount.fetch_add (1);
            return 0;
        }
    } while (! references.compare_exchange_weak (count, count - 1));

    return static_cast<uint32_t> (count - 1);
}
