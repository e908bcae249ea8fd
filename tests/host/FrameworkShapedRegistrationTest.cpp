// A registration through a loaded module, shaped like the framework's: the host's call log and every reference returned.
#include "../SDK/AAX_VFrameworkShapedCallLog.h"

#include <HostRegistration.h>
#include <PluginModule.h>

#include <gtest/gtest.h>

TEST (FrameworkShapedRegistration, ThroughTheEntryPointReachesTheHostInOrderAndReturnsEveryReference)
{
    host::TestHost testHost;
    host::HostRegistration registration (testHost);
    registration.addFeature (host::uids::AAXATTR_ClientFeature_StemFormat, 2 /* supported */);
    host::PluginModule module (AAX_FRAMEWORK_SHAPED_MODULE_PATH);
    const auto& entry = module.entryPoints();
    ASSERT_EQ (host::resultOk, entry.startup (testHost.hostUnknown()));
    testHost.log().clear();

    host::IUnknownSlots* definition = nullptr;
    ASSERT_EQ (host::resultOk, entry.registerPlugin (testHost.hostUnknown(), &definition));
    ASSERT_EQ (1u, registration.collections().size());
    auto& collection = *registration.collections().front();
    EXPECT_EQ (&collection.unknown(), definition);

    EXPECT_EQ (framework_shaped::expectedCalls(), framework_shaped::recordedCalls (testHost));
    EXPECT_TRUE (testHost.services().traces().empty());

    // The plug-in definition is the host's reference now; with it returned, every count is back at 0.
    EXPECT_EQ (1, collection.referenceCount());
    definition->Release();
    EXPECT_EQ (host::resultOk, entry.shutdown (nullptr));
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
}

TEST (FrameworkShapedRegistration, AHostWithoutAnyRegistrationComponentGetsAnErrorAndKeepsNoReference)
{
    host::TestHost testHost;
    host::HostRegistration::Offer nothing;
    nothing.collection = nothing.effectDescriptor = nothing.componentDescriptor = nothing.propertyMap = host::Versions::none;
    nothing.descriptionHost = host::Versions::none;
    host::HostRegistration registration (testHost, nothing);
    host::PluginModule module (AAX_FRAMEWORK_SHAPED_MODULE_PATH);

    host::IUnknownSlots* definition = nullptr;
    EXPECT_EQ (-20004, module.entryPoints().registerPlugin (testHost.hostUnknown(), &definition));
    EXPECT_EQ (nullptr, definition);
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
}
