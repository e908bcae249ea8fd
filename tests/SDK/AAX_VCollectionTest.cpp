// Collections and effect descriptors against the test host, and a registration made the way the framework's wrapper makes it.
#include "AAX_VFrameworkShapedCallLog.h"
#include "AAX_VFrameworkShapedRegistration.h"
#include "AAX_VWrapperTestSupport.h"

#include <AAX_Errors.h>
#include <AAX_IDescriptionHost.h>
#include <AAX_IFeatureInfo.h>
#include <AAX_StemFormats.h>
#include <AAX_VCollection.h>

#include <HostRegistration.h>

#include <gtest/gtest.h>

#include <algorithm>

using host::Versions;
using wrapper_test::positionsCalled;

namespace
{
    IACFUnknown* asModuleSees (host::IUnknownSlots* object) { return reinterpret_cast<IACFUnknown*> (object); }

    void AAX_CALLBACK createParameters() {}
    void AAX_CALLBACK createGUI() {}
    void AAX_CALLBACK processBlocks (framework_shaped::AlgorithmContext* const[], const void* const) {}
}

TEST (AAX_VCollection, ARegistrationShapedLikeTheFrameworksReachesTheHostInOrder)
{
    host::TestHost testHost;
    host::HostRegistration registration (testHost);
    registration.addFeature (host::uids::AAXATTR_ClientFeature_StemFormat, AAX_eSupportLevel_Supported);
    {
        AAX_VCollection collection (asModuleSees (testHost.hostUnknown()));
        const framework_shaped::Procedures procedures { reinterpret_cast<void*> (&createGUI),
                                                        reinterpret_cast<void*> (&createParameters), &processBlocks };
        ASSERT_EQ (AAX_SUCCESS, framework_shaped::describe (collection, procedures));
        ASSERT_EQ (1u, registration.collections().size());
        EXPECT_EQ (static_cast<void*> (&registration.collections().front()->unknown()), collection.GetIUnknown());

        // The procedures reach the host as they were given.
        const auto effectCalls = testHost.log().callsTo ("EffectDescriptor1");
        const auto firstProcedure = std::find_if (effectCalls.begin(), effectCalls.end(), [] (auto& c) { return c.position == 7; });
        ASSERT_NE (effectCalls.end(), firstProcedure);
        EXPECT_EQ (host::CallLog::text (reinterpret_cast<const void*> (&createGUI)), firstProcedure->arguments[0]);
        EXPECT_EQ (host::CallLog::text (reinterpret_cast<const void*> (&processBlocks)),
                   testHost.log().callsTo ("ComponentDescriptor1").back().arguments[0]);
    }

    EXPECT_EQ (framework_shaped::expectedCalls(), framework_shaped::recordedCalls (testHost));
    // Every descriptor, map and feature the registration made was let go of.
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
}

TEST (AAX_VCollection, OperationsAndMissingVersionsOfTheCollectionAndEffectDescriptor)
{
    host::TestHost testHost;
    host::HostRegistration registration (testHost);
    {
        AAX_VCollection collection (asModuleSees (testHost.hostUnknown()));
        EXPECT_NE (nullptr, collection.HostDefinition());
        auto* effect = collection.NewDescriptor();
        auto* map = collection.NewPropertyMap();
        auto* effectMap = effect->NewPropertyMap();
        testHost.log().clear();

        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, collection.AddEffect ("id", nullptr));
        EXPECT_EQ (0, collection.SetProperties (map));
        EXPECT_EQ (0, collection.SetProperties (nullptr));
        EXPECT_EQ ((std::vector<int> { 11, 11 }), positionsCalled (testHost, "Collection1"));
        EXPECT_EQ ((std::vector<std::string> { "<null>" }), testHost.log().callsTo ("Collection1").back().arguments);

        EXPECT_EQ (0, effect->AddCategoryBypassParameter (0x2000, "MasterBypassID"));
        EXPECT_EQ (0, effect->SetProperties (effectMap));
        EXPECT_EQ (0, effect->AddResourceInfo (AAX_eResourceType_PageTable, "pages.xml"));
        EXPECT_EQ (0, effect->AddMeterDescription ('Metr', "Level", effectMap));
        EXPECT_EQ (0, effect->AddControlMIDINode (2, AAX_eMIDINodeType_Global, "Ctl", 1));
        EXPECT_EQ (0, effect->AddComponent (nullptr));
        EXPECT_EQ ((std::vector<int> { 6, 8, 9, 10, 11, 3 }), positionsCalled (testHost, "EffectDescriptor1"));
        EXPECT_EQ ((std::vector<std::string> { std::to_string ('Metr'), "Level", "PropertyMap2" }),
                   testHost.log().callsTo ("EffectDescriptor1")[3].arguments);
    }

    host::HostRegistration::Offer older;
    older.effectDescriptor = Versions::firstOnly;
    older.collection = Versions::none;
    older.descriptionHost = Versions::none;
    host::TestHost olderHost;
    host::HostRegistration olderRegistration (olderHost, older);
    {
        AAX_VCollection collection (asModuleSees (olderHost.hostUnknown()));
        EXPECT_EQ (nullptr, collection.GetIUnknown());
        EXPECT_EQ (nullptr, collection.DescriptionHost());
        EXPECT_EQ (nullptr, static_cast<const AAX_VCollection&> (collection).DescriptionHost());
        EXPECT_EQ (nullptr, collection.HostDefinition());
        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, collection.SetManufacturerName ("VANTO"));
        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, collection.SetPackageVersion (1));
        auto* effect = collection.NewDescriptor();
        EXPECT_EQ (AAX_ERROR_NULL_OBJECT, collection.AddEffect ("id", effect));
        EXPECT_EQ (0, effect->AddName ("Kick"));
        EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, effect->AddControlMIDINode (2, AAX_eMIDINodeType_Global, "Ctl", 1));
    }
    EXPECT_TRUE (olderHost.objectsWithUnbalancedReferences().empty());

    // No factory at all: every descriptor answers -20004 and nothing throws.
    AAX_VCollection orphan (nullptr);
    EXPECT_EQ (nullptr, orphan.NewPropertyMap());
    auto* effect = orphan.NewDescriptor();
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, effect->AddName ("Kick"));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, effect->NewComponentDescriptor()->AddAudioIn (0));
}

TEST (AAX_VCollection, ComponentsFromCreationsThatFailYetHandOutAnObjectAreNeitherUsedNorKept)
{
    host::TestHost testHost;
    host::HostRegistration registration (testHost);
    testHost.factory().setCreationResult (host::resultInvalidArgument);

    AAX_VCollection collection (asModuleSees (testHost.hostUnknown()));
    auto* effect = collection.NewDescriptor();
    auto* component = effect->NewComponentDescriptor();
    auto* map = component->NewPropertyMap();
    ASSERT_NE (nullptr, map);
    ASSERT_EQ (4u, testHost.factory().created().size());

    EXPECT_EQ (nullptr, collection.GetIUnknown());
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, collection.SetManufacturerName ("VANTO"));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, effect->AddName ("Kick"));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, component->AddAudioIn (0));
    EXPECT_EQ (nullptr, map->GetIUnknown());
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, map->AddProperty (AAX_eProperty_ManufacturerID, 'V4nt'));
    // Each made component was returned at once, while its wrapper lives on.
    for (const auto* made : testHost.factory().created())
    {
        EXPECT_EQ (0, made->referenceCount()) << made->name();
        EXPECT_TRUE (positionsCalled (testHost, made->name()).empty()) << made->name();
    }
}
