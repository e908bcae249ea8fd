// Component descriptors against the test host: positions, defaults the framework relies on, map copies and manual procedure registration.
#include "AAX_VWrapperTestSupport.h"

#include <AAX_CHostServices.h>
#include <AAX_Enums.h>
#include <AAX_Errors.h>
#include <AAX_StemFormats.h>
#include <AAX_VComponentDescriptor.h>

#include <HostRegistration.h>

#include <gtest/gtest.h>

using host::Versions;
using wrapper_test::lastArguments;
using wrapper_test::positionsCalled;

namespace
{
    IACFUnknown* asModuleSees (host::IUnknownSlots* object) { return reinterpret_cast<IACFUnknown*> (object); }

    struct Context
    {
        float* const* inputs;
    };

    void AAX_CALLBACK processContexts (Context* const[], const void* const) {}
    void AAX_CALLBACK processAnything (void* const[], const void* const) {}

    struct DescriptorFixture
    {
        explicit DescriptorFixture (host::HostRegistration::Offer offer = {})
            : registration (testHost, offer),
              descriptor (std::make_unique<AAX_VComponentDescriptor> (asModuleSees (testHost.hostUnknown())))
        {
            AAX_CHostServices::Set (asModuleSees (testHost.hostUnknown()));
            testHost.log().clear();
        }

        ~DescriptorFixture() { AAX_CHostServices::Set (nullptr); }

        host::HostComponentDescriptor& hostDescriptor() { return *registration.componentDescriptors().front(); }

        std::vector<std::string> traces()
        {
            std::vector<std::string> lines;
            for (const auto& line : testHost.services().traces())
                lines.push_back (line.text);
            return lines;
        }

        host::TestHost testHost;
        host::HostRegistration registration;
        std::unique_ptr<AAX_VComponentDescriptor> descriptor;
    };

    host::HostRegistration::Offer olderHost()
    {
        host::HostRegistration::Offer offer;
        offer.componentDescriptor = offer.propertyMap = Versions::firstOnly;
        return offer;
    }
}

TEST (AAX_VComponentDescriptor, OperationsReachTheirPositionsWithTheFrameworksDefaults)
{
    DescriptorFixture f;
    AAX_IComponentDescriptor& d = *f.descriptor; // as the framework sees it
    const AAX_CTypeID meters[] { 'Metr' };
    AAX_CSelector id = 0;
    AAX_CSelector ids[2] {};
    auto* map = d.NewPropertyMap();

    EXPECT_EQ (0, d.Clear());
    EXPECT_EQ (0, d.AddAudioIn (0));
    EXPECT_EQ (0, d.AddAudioOut (1));
    EXPECT_EQ (0, d.AddAudioBufferLength (2));
    EXPECT_EQ (0, d.AddSampleRate (7));
    EXPECT_EQ (0, d.AddClock (8));
    EXPECT_EQ (0, d.AddSideChainIn (9));
    EXPECT_EQ (0, d.AddDataInPort (3, sizeof (int32_t)));
    EXPECT_EQ (0, d.AddAuxOutputStem (10, AAX_eStemFormat_Stereo, "Aux"));
    EXPECT_EQ (0, d.AddPrivateData (4, 8));
    EXPECT_EQ (0, d.AddTemporaryData (11, 16));
    EXPECT_EQ (0, d.AddDmaInstance (12, 1));
    EXPECT_EQ (0, d.AddMeters (6, meters, 1));
    EXPECT_EQ (0, d.AddMIDINode (13, AAX_eMIDINodeType_LocalInput, "In", 0xFFFF));
    EXPECT_EQ (0, d.AddReservedField (14, 5));
    EXPECT_EQ (0, d.AddProcessProc_Native (processContexts, map));
    EXPECT_EQ (0, d.AddProcessProc_TI ("kick.dll", "process", map, nullptr, nullptr, &id));
    EXPECT_EQ (0, d.AddProcessProc (map, ids, 2));

    EXPECT_EQ ((std::vector<int> { 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 19, 14, 18, 15, 4, 16, 17, 20 }),
               positionsCalled (f.testHost, "ComponentDescriptor1"));

    const auto calls = f.testHost.log().callsTo ("ComponentDescriptor1");
    EXPECT_EQ ((std::vector<std::string> { "3", "4", "1" }), calls[7].arguments);  // data-in port: buffered by default
    EXPECT_EQ ((std::vector<std::string> { "4", "8", "0" }), calls[9].arguments); // private data: default options
    // The typed procedure is registered as it is, with the map's host object.
    EXPECT_EQ (host::CallLog::text (reinterpret_cast<const void*> (&processContexts)), calls[15].arguments[0]);
    EXPECT_EQ ("PropertyMap1", calls[15].arguments[1]);
    EXPECT_EQ ((std::vector<std::string> { "PropertyMap1", host::CallLog::text (static_cast<const void*> (ids)), "2" }),
               calls[17].arguments);

    f.descriptor.reset();
    AAX_CHostServices::Set (nullptr);
    EXPECT_TRUE (f.testHost.objectsWithUnbalancedReferences().empty());
}

TEST (AAX_VComponentDescriptor, MissingVersionsAnswerAsDocumented)
{
    DescriptorFixture older (olderHost());
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, older.descriptor->AddTemporaryData (0, 4));
    EXPECT_EQ (0, older.descriptor->AddAudioIn (0));

    host::HostRegistration::Offer none;
    none.componentDescriptor = Versions::none;
    DescriptorFixture missing (none);
    AAX_IComponentDescriptor& d = *missing.descriptor;
    EXPECT_EQ (nullptr, missing.descriptor->GetIUnknown());
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, d.Clear());
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, d.AddAudioOut (1));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, d.AddPrivateData (4, 8));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, d.AddProcessProc_Native (processAnything));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, d.AddTemporaryData (0, 4));
    // Without any descriptor there is nothing to register the procedures with.
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, d.AddProcessProc (d.NewPropertyMap(), nullptr, 0));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, older.descriptor->AddProcessProc (nullptr, nullptr, 0));
}

TEST (AAX_VComponentDescriptor, DuplicateCopiesEveryPropertyFromTenTo401)
{
    DescriptorFixture f (olderHost());
    auto* source = f.descriptor->NewPropertyMap();
    for (const int id : { 9, 10, 300, 401, 402 })
        source->AddProperty (static_cast<AAX_EProperty> (id), id * 2);
    const int marker = 0;
    source->AddPointerProperty (AAX_eProperty_NativeBackgroundProc, &marker);

    auto* copy = f.descriptor->DuplicatePropertyMap (source);
    ASSERT_NE (nullptr, copy);
    ASSERT_NE (source, copy);
    const auto copied = f.registration.propertyMaps()[1]->properties();
    EXPECT_EQ ((std::map<int32_t, int32_t> { { 10, 20 }, { 300, 600 }, { 401, 802 } }), copied);
    const void* pointer = nullptr;
    EXPECT_TRUE (copy->GetPointerProperty (AAX_eProperty_NativeBackgroundProc, &pointer));
    EXPECT_EQ (&marker, pointer);

    EXPECT_EQ (nullptr, f.descriptor->DuplicatePropertyMap (nullptr));
    // A descriptor without a host object can make no map to copy into.
    AAX_VComponentDescriptor orphan (nullptr);
    EXPECT_EQ (nullptr, orphan.DuplicatePropertyMap (source));
}

namespace
{
    // A map describing one native plug-in type with its process procedure.
    AAX_IPropertyMap& nativeProperties (AAX_VComponentDescriptor& descriptor)
    {
        auto& map = *descriptor.NewPropertyMap();
        map.AddProperty (AAX_eProperty_PlugInID_Native, 'jcbb');
        map.AddPointerProperty (AAX_eProperty_NativeProcessProc, reinterpret_cast<const void*> (&processAnything));
        return map;
    }
}

TEST (AAX_VComponentDescriptor, ManualRegistrationWritesTheIDsAndATerminatorOnlyWhenTheyFit)
{
    {
        DescriptorFixture f (olderHost());
        auto* empty = f.descriptor->NewPropertyMap();
        AAX_CSelector ids[2] { 7, 7 };
        EXPECT_EQ (AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW, f.descriptor->AddProcessProc (empty, ids, 0));
        EXPECT_EQ (7u, ids[0]);
        EXPECT_EQ (0, f.descriptor->AddProcessProc (empty, ids, 1));
        EXPECT_EQ (0u, ids[0]);
        EXPECT_EQ (7u, ids[1]);
        EXPECT_EQ (0, f.descriptor->AddProcessProc (empty, nullptr, 0));
    }
    {
        DescriptorFixture f (olderHost());
        auto& map = nativeProperties (*f.descriptor);
        AAX_CSelector ids[3] { 7, 7, 7 };
        EXPECT_EQ (AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW, f.descriptor->AddProcessProc (&map, ids, 1));
        EXPECT_EQ (7u, ids[0]); // nothing written, though the procedure stays registered
        EXPECT_EQ (0, f.descriptor->AddProcessProc (&map, ids, 2));
        EXPECT_EQ (host::HostComponentDescriptor::firstProcedureID + 1, ids[0]);
        EXPECT_EQ (0u, ids[1]);

        const auto registered = lastArguments (f.testHost, "ComponentDescriptor1");
        EXPECT_EQ (host::CallLog::text (reinterpret_cast<const void*> (&processAnything)), registered[0]);
        EXPECT_EQ ("PropertyMap1", registered[1]);
    }
}

TEST (AAX_VComponentDescriptor, ManualRegistrationRegistersNativeThenTIAndStopsAtTheFirstFailure)
{
    DescriptorFixture f (olderHost());
    auto& map = nativeProperties (*f.descriptor);
    map.AddProperty (AAX_eProperty_PlugInID_TI, 'jtbb');
    map.AddPointerProperty (AAX_eProperty_TIProcessProc, "processTI");
    AAX_CSelector ids[3] {};

    EXPECT_EQ (0, f.descriptor->AddProcessProc (&map, ids, 3));
    EXPECT_EQ ((std::vector<int> { 16, 17 }), positionsCalled (f.testHost, "ComponentDescriptor1"));
    EXPECT_EQ ((std::vector<AAX_CSelector> { 100, 101, 0 }), std::vector<AAX_CSelector> (ids, ids + 3));
    // The missing DLL name is reported; the TI procedure is still registered.
    EXPECT_EQ ((std::vector<std::string> { "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_TIDLLFileName" }),
               f.traces());
    EXPECT_EQ (AAX_eTracePriorityHost_High, f.testHost.services().traces().front().priority);

    f.testHost.log().clear();
    f.hostDescriptor().registrationResult = AAX_ERROR_INVALID_ARGUMENT;
    EXPECT_EQ (AAX_ERROR_INVALID_ARGUMENT, f.descriptor->AddProcessProc (&map, ids, 3));
    EXPECT_EQ ((std::vector<int> { 16 }), positionsCalled (f.testHost, "ComponentDescriptor1"));
}

TEST (AAX_VComponentDescriptor, ManualRegistrationNeverRegistersANullNativeProcedure)
{
    DescriptorFixture f (olderHost());
    auto* map = f.descriptor->NewPropertyMap();
    map->AddProperty (AAX_eProperty_PlugInID_AudioSuite, 'jybb');
    AAX_CSelector ids[2] { 7, 7 };

    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, f.descriptor->AddProcessProc (map, ids, 2));
    EXPECT_TRUE (positionsCalled (f.testHost, "ComponentDescriptor1").empty());
    EXPECT_EQ (7u, ids[0]);
    EXPECT_EQ ((std::vector<std::string> { "AAX_VComponentDescriptor: ManuallyAddProcessProcs() - no value found for AAX_eProperty_NativeProcessProc" }),
               f.traces());
}

TEST (AAX_VComponentDescriptor, ManualRegistrationLeavesTheBufferLengthOffACopyOfTheMap)
{
    DescriptorFixture f (olderHost());
    auto& map = nativeProperties (*f.descriptor);
    map.AddProperty (AAX_eProperty_AudioBufferLength, 64);

    EXPECT_EQ (0, f.descriptor->AddProcessProc (&map, nullptr, 0));
    EXPECT_EQ ("PropertyMap2", lastArguments (f.testHost, "ComponentDescriptor1")[1]);
    const auto maps = f.registration.propertyMaps();
    ASSERT_EQ (2u, maps.size());
    EXPECT_EQ (64, maps[0]->property (AAX_eProperty_AudioBufferLength));
    EXPECT_FALSE (maps[1]->property (AAX_eProperty_AudioBufferLength).has_value());
    EXPECT_EQ ('jcbb', maps[1]->property (AAX_eProperty_PlugInID_Native));
    EXPECT_TRUE (f.testHost.services().assertions().empty());
}
