// Collections and effect descriptors against the test host, and a registration made the way the framework's wrapper makes it.
#include "AAX_VWrapperTestSupport.h"

#include <AAX_Errors.h>
#include <AAX_IDescriptionHost.h>
#include <AAX_IFeatureInfo.h>
#include <AAX_StemFormats.h>
#include <AAX_VCollection.h>

#include <HostRegistration.h>

#include <gtest/gtest.h>

using host::Call;
using host::Versions;
using wrapper_test::positionsCalled;

namespace
{
    IACFUnknown* asModuleSees (host::IUnknownSlots* object) { return reinterpret_cast<IACFUnknown*> (object); }

    void AAX_CALLBACK createParameters() {}
    void AAX_CALLBACK createGUI() {}

    struct AlgorithmContext
    {
        float** inputs;
    };
    void AAX_CALLBACK processBlocks (AlgorithmContext* const[], const void* const) {}

    std::string address (const void* pointer) { return host::CallLog::text (pointer); }

    // What the framework's description function does for this effect: ask
    // which stem formats the host supports, then describe one component per
    // accepted configuration (mono and stereo), the effect and the package.
    AAX_Result describeLikeTheFramework (AAX_ICollection& collection)
    {
        std::unique_ptr<const AAX_IFeatureInfo> stemFormats;
        if (const auto* descriptionHost = collection.DescriptionHost())
            stemFormats.reset (descriptionHost->AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
        const auto hostSupports = [&] (AAX_EStemFormat format) {
            AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
            if (stemFormats != nullptr && stemFormats->SupportLevel (level) == AAX_SUCCESS && level == AAX_eSupportLevel_ByProperty)
            {
                std::unique_ptr<const AAX_IPropertyMap> properties (stemFormats->AcquireProperties());
                AAX_CPropertyValue support = 0;
                if (properties != nullptr && properties->GetProperty (static_cast<AAX_EProperty> (format), &support))
                    return support == AAX_eSupportLevel_Supported;
            }
            return AAX_STEM_FORMAT_INDEX (format) <= 12;
        };

        auto* descriptor = collection.NewDescriptor();
        if (descriptor == nullptr)
            return AAX_ERROR_NULL_OBJECT;

        descriptor->AddName ("VANTO Groundwork Kick");
        descriptor->AddName ("VANTOGroundworkKick");
        descriptor->AddCategory (0x00002000);
        descriptor->AddProcPtr (reinterpret_cast<void*> (&createGUI), kAAX_ProcPtrID_Create_EffectGUI);
        descriptor->AddProcPtr (reinterpret_cast<void*> (&createParameters), kAAX_ProcPtrID_Create_EffectParameters);

        for (const auto& [format, nativeID, audioSuiteID] : { std::tuple { AAX_eStemFormat_Mono, 'jcbb', 'jybb' },
                                                              std::tuple { AAX_eStemFormat_Stereo, 'jccc', 'jycc' } })
        {
            if (! hostSupports (format))
                continue;
            auto* component = descriptor->NewComponentDescriptor();
            component->AddAudioIn (0);
            component->AddAudioOut (1);
            component->AddAudioBufferLength (2);
            component->AddDataInPort (3, sizeof (int32_t));
            component->AddPrivateData (4, 8);
            component->AddPrivateData (5, sizeof (int32_t));
            component->AddPrivateData (6, 8);
            auto* properties = component->NewPropertyMap();
            properties->AddProperty (AAX_eProperty_ManufacturerID, 'V4nt');
            properties->AddProperty (AAX_eProperty_ProductID, 'G0wk');
            properties->AddProperty (AAX_eProperty_CanBypass, true);
            properties->AddProperty (AAX_eProperty_InputStemFormat, format);
            properties->AddProperty (AAX_eProperty_OutputStemFormat, format);
            properties->AddProperty (AAX_eProperty_PlugInID_Native, nativeID);
            properties->AddProperty (AAX_eProperty_PlugInID_AudioSuite, audioSuiteID);
            properties->AddProperty (AAX_eProperty_Constraint_MultiMonoSupport, true);
            component->AddProcessProc_Native (processBlocks, properties);
            descriptor->AddComponent (component);
        }

        collection.AddEffect ("com.VANTO.VANTOGroundworkKick", descriptor);
        collection.SetManufacturerName ("VANTO");
        collection.AddPackageName ("VANTOGroundworkKick");
        collection.AddPackageName ("VANTO Groundwork Kick");
        collection.SetPackageVersion (0x00010000);
        return AAX_SUCCESS;
    }

    // The log without interface lookups, factory calls and host services.
    std::vector<Call> descriptionCalls (host::TestHost& testHost)
    {
        std::vector<Call> calls;
        for (auto& call : testHost.log().calls())
            if (call.position != 0 && call.object != "ComponentFactory" && call.object != "HostServices")
                calls.push_back (std::move (call));
        return calls;
    }

    std::vector<Call> componentCalls (const std::string& component, const std::string& map, int32_t stemFormat,
                                      int32_t nativeID, int32_t audioSuiteID)
    {
        const auto property = [&] (int32_t id, int32_t value) { return Call { map, 4, { std::to_string (id), std::to_string (value) } }; };
        return {
            { component, 5, { "0" } }, { component, 6, { "1" } }, { component, 7, { "2" } },
            { component, 11, { "3", "4", "1" } },
            { component, 13, { "4", "8", "0" } }, { component, 13, { "5", "4", "0" } }, { component, 13, { "6", "8", "0" } },
            property (11, 'V4nt'), property (12, 'G0wk'), property (60, 1), property (51, stemFormat), property (52, stemFormat),
            property (13, nativeID), property (14, audioSuiteID), property (304, 1),
            { component, 16, { address (reinterpret_cast<const void*> (&processBlocks)), map, address (nullptr), address (nullptr), address (nullptr) } },
        };
    }
}

TEST (AAX_VCollection, ARegistrationShapedLikeTheFrameworksReachesTheHostInOrder)
{
    host::TestHost testHost;
    host::HostRegistration registration (testHost);
    registration.addFeature (host::uids::AAXATTR_ClientFeature_StemFormat, AAX_eSupportLevel_Supported);
    {
        AAX_VCollection collection (asModuleSees (testHost.hostUnknown()));
        ASSERT_EQ (AAX_SUCCESS, describeLikeTheFramework (collection));
        ASSERT_EQ (1u, registration.collections().size());
        EXPECT_EQ (static_cast<void*> (&registration.collections().front()->unknown()), collection.GetIUnknown());
    }

    auto expected = std::vector<Call> {
        { "DescriptionHost", 3, { "AAXATTR_ClientFeature_StemFormat", "" } },
        { "EffectDescriptor1", 4, { "VANTO Groundwork Kick" } },
        { "EffectDescriptor1", 4, { "VANTOGroundworkKick" } },
        { "EffectDescriptor1", 5, { "8192" } },
        { "EffectDescriptor1", 7, { address (reinterpret_cast<const void*> (&createGUI)), "1" } },
        { "EffectDescriptor1", 7, { address (reinterpret_cast<const void*> (&createParameters)), "0" } },
        { "FeatureInfo", 3, { "" } },
    };
    const auto mono = componentCalls ("ComponentDescriptor1", "PropertyMap1", AAX_eStemFormat_Mono, 'jcbb', 'jybb');
    expected.insert (expected.end(), mono.begin(), mono.end());
    expected.push_back ({ "EffectDescriptor1", 3, { "ComponentDescriptor1" } });
    expected.push_back ({ "FeatureInfo", 3, { "" } });
    const auto stereo = componentCalls ("ComponentDescriptor2", "PropertyMap2", AAX_eStemFormat_Stereo, 'jccc', 'jycc');
    expected.insert (expected.end(), stereo.begin(), stereo.end());
    expected.push_back ({ "EffectDescriptor1", 3, { "ComponentDescriptor2" } });
    expected.push_back ({ "Collection1", 7, { "com.VANTO.VANTOGroundworkKick", "EffectDescriptor1" } });
    expected.push_back ({ "Collection1", 8, { "VANTO" } });
    expected.push_back ({ "Collection1", 9, { "VANTOGroundworkKick" } });
    expected.push_back ({ "Collection1", 9, { "VANTO Groundwork Kick" } });
    expected.push_back ({ "Collection1", 10, { "65536" } });

    // Out-pointer addresses differ from run to run: compare them as present only.
    auto actual = descriptionCalls (testHost);
    for (auto& call : actual)
        if (call.object == "DescriptionHost" || call.object == "FeatureInfo")
            call.arguments.back().clear();
    EXPECT_EQ (expected, actual);

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
