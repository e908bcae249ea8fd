// CACFUnknown.h: the reference-counted base of every object the module hands to the host.
#pragma once

#include "IACFUnknown.h"

#include <atomic>

// Each object keeps its own reference count and raises the module-wide count
// of live objects for its whole life; the host's last Release deletes it.
// Every reference the host holds goes through the inner unknown to the
// Internal* operations, so aggregation stays possible.
class CACFUnknown
{
public:
    CACFUnknown() noexcept;
    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;
    virtual ~CACFUnknown();

    virtual acfResult FinalConstruct();
    virtual void FinalRelease();
    // Destroys the object through its deleting destructor.
    virtual void DeleteThis();
    // Answers the inner unknown for IID_IACFUnknown; derived classes test
    // their own identifiers first and hand everything else on to this.
    virtual acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut);
    virtual acfUInt32 InternalAddRef();
    virtual acfUInt32 InternalRelease();

    // The number of CACFUnknown objects alive in this module.
    static acfUInt32 GetActiveObjectCount() noexcept;

protected:
    // The unknown that receives the public QueryInterface/AddRef/Release.
    IACFUnknown* GetOuterUnknown() const noexcept { return controllingUnknown; }

private:
    class PrivateUnknown final : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown& ownerToUse) noexcept : owner (ownerToUse) {}
        acfResult QueryInterface (const acfIID& iid, void** interfaceOut) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown& owner;
    };

    std::atomic<acfUInt32> referenceCount { 0 };
    IACFUnknown* controllingUnknown;
    PrivateUnknown innerUnknown { *this };
};

// Declares the public IACFUnknown face of a class derived from an interface
// and from CACFUnknown: each operation goes to the controlling unknown.
#define ACF_DECLARE_STANDARD_UNKNOWN()                                                           \
    acfResult QueryInterface (const acfIID& iid, void** interfaceOut) override                  \
    {                                                                                            \
        return GetOuterUnknown()->QueryInterface (iid, interfaceOut);                           \
    }                                                                                            \
    acfUInt32 AddRef() override { return GetOuterUnknown()->AddRef(); }                          \
    acfUInt32 Release() override { return GetOuterUnknown()->Release(); }
