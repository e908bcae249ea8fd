// TestHost.h: one stand-in AAX host: its host object, component factory, host services, call log and object census.
#pragma once

#include "ComponentFactory.h"
#include "HostServices.h"

#include <memory>
#include <vector>

namespace host
{
    // The object handed to the module's entry points as the host unknown
    // answers the component factory; further host interfaces are added with
    // hostObject().forward(...) or offer(...).
    class TestHost
    {
    public:
        TestHost();

        CallLog& log() noexcept { return callLog; }
        ComponentFactory& factory() noexcept { return componentFactory; }
        RecordedObject& hostObject() noexcept { return *host; }
        // The host unknown as the module's entry points take it.
        IUnknownSlots* hostUnknown() noexcept { return &host->unknown(); }

        // Trace lines and assertion reports from every host-services component.
        ServicesRecord& services() noexcept { return servicesRecord; }
        // Host-services components made from now on answer versions 1 to
        // `highest` (0: none); 3 by default.
        void setHostServicesVersion (int highest) noexcept { hostServicesVersion = highest; }

        // Keeps a host object alive for the host's lifetime and includes it in
        // the reference census.
        template <class Object>
        Object& adopt (std::unique_ptr<Object> object)
        {
            auto& result = *object;
            adopted.push_back (std::move (object));
            return result;
        }

        // Every object of this host: host object, factory, adopted and made ones.
        std::vector<const RecordedObject*> objects() const;
        // Objects the module still holds references to, or released too often.
        std::vector<const RecordedObject*> objectsWithUnbalancedReferences() const;

    private:
        CallLog callLog;
        ServicesRecord servicesRecord;
        int hostServicesVersion = 3;
        ComponentFactory componentFactory { callLog };
        std::unique_ptr<RecordedObject> host;
        std::vector<std::unique_ptr<RecordedObject>> adopted;
    };
}
