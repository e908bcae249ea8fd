// TestHost.cpp: wiring of the stand-in host's objects.
#include "TestHost.h"

namespace
{
    class PlainHostObject final : public host::HostObject<host::IUnknownSlots>
    {
    public:
        using HostObject::HostObject;
    };
}

host::TestHost::TestHost()
    : host (std::make_unique<PlainHostObject> ("Host", callLog))
{
    host->forward (uids::IID_IACFComponentFactory, componentFactory);
    componentFactory.registerClass (uids::AAXCompID_HostServices, [this] {
        return std::make_unique<HostServices> (callLog, servicesRecord, hostServicesVersion);
    });
}

std::vector<const host::RecordedObject*> host::TestHost::objects() const
{
    std::vector<const RecordedObject*> all { host.get(), &componentFactory };
    for (const auto& object : adopted)
        all.push_back (object.get());
    for (const auto* object : componentFactory.created())
        all.push_back (object);
    return all;
}

std::vector<const host::RecordedObject*> host::TestHost::objectsWithUnbalancedReferences() const
{
    std::vector<const RecordedObject*> unbalanced;
    for (const auto* object : objects())
        if (object->referenceCount() != 0 || object->overReleases() != 0)
            unbalanced.push_back (object);
    return unbalanced;
}
