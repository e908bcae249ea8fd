// HostObject.h: the base of every host object the module can reach: interface lookup, reference count, call log.
#pragma once

#include "CallLog.h"
#include "HostInterfaces.h"
#include "HostUids.h"

#include <atomic>
#include <initializer_list>
#include <map>
#include <set>
#include <string>

namespace host
{
    // What every recorded object shares, whatever table of operations it has.
    // The host owns its objects; the reference count only tells whether the
    // module returned every reference it was given, so it starts at 0 and a
    // Release past 0 is counted as an over-release rather than freeing anything.
    class RecordedObject
    {
    public:
        RecordedObject (std::string name, CallLog& log) : objectName (std::move (name)), callLog (log) {}
        RecordedObject (const RecordedObject&) = delete;
        RecordedObject& operator= (const RecordedObject&) = delete;
        virtual ~RecordedObject() = default;

        const std::string& name() const noexcept { return objectName; }
        // References the module holds now: 0 once it returned all of them.
        int32_t referenceCount() const noexcept { return references.load(); }
        int32_t overReleases() const noexcept { return overReleaseCount.load(); }

        // Interface versions this object answers; tests remove versions to
        // play an older host.
        void offer (std::initializer_list<Uid> iids) { offered.insert (iids); }
        void withdraw (const Uid& iid) { offered.erase (iid); }
        bool offers (const Uid& iid) const { return offered.count (iid) != 0; }

        // Lets a lookup of `iid` on this object answer another object, as a
        // host object that exposes several interfaces does.
        void forward (const Uid& iid, IUnknownSlots& target) { forwarded[iid] = &target; }
        // Ends a forward, so that lookups of `iid` no longer reach a target that may be gone.
        void stopForwarding (const Uid& iid) { forwarded.erase (iid); }

        // This object as the module sees it.
        virtual IUnknownSlots& unknown() noexcept = 0;

    protected:
        void record (int position, std::vector<std::string> arguments) const
        {
            callLog.record ({ objectName, position, std::move (arguments) });
        }

        int32_t lookup (const Uid& iid, void** interfaceOut);
        uint32_t addReference() noexcept { return static_cast<uint32_t> (references.fetch_add (1) + 1); }
        uint32_t releaseReference() noexcept;

    private:
        const std::string objectName;
        CallLog& callLog;
        std::atomic<int32_t> references { 0 };
        std::atomic<int32_t> overReleaseCount { 0 };
        std::set<Uid> offered;
        std::map<Uid, IUnknownSlots*> forwarded;
    };

    // A recorded object with the table of operations `Slots` (a chain that
    // starts with IUnknownSlots). Derived classes implement the operations
    // from position 3 on and record each call.
    template <class Slots>
    class HostObject : public Slots, public RecordedObject
    {
    public:
        using RecordedObject::RecordedObject;

        int32_t QueryInterface (const Uid& iid, void** interfaceOut) override { return lookup (iid, interfaceOut); }
        uint32_t AddRef() override { return addReference(); }
        uint32_t Release() override { return releaseReference(); }

        IUnknownSlots& unknown() noexcept override { return *this; }
    };
}
