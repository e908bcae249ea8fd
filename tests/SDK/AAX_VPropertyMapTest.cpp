// Property maps against the test host: positions, the local pointer store, the stem-format check, features.
#include "AAX_VWrapperTestSupport.h"

#include <AAX_Errors.h>
#include <AAX_IFeatureInfo.h>
#include <AAX_StemFormats.h>
#include <AAX_VDescriptionHost.h>
#include <AAX_VFeatureInfo.h>
#include <AAX_VPropertyMap.h>

#include <HostRegistration.h>

#include <gtest/gtest.h>

using host::Versions;
using wrapper_test::positionsCalled;

namespace
{
    IACFUnknown* asModuleSees (host::IUnknownSlots* object) { return reinterpret_cast<IACFUnknown*> (object); }

    struct MapFixture
    {
        explicit MapFixture (host::HostRegistration::Offer offer = {})
            : registration (testHost, offer),
              map (AAX_VPropertyMap::Create (asModuleSees (testHost.hostUnknown())))
        {
            testHost.log().clear();
        }

        host::HostPropertyMap& hostMap() { return *registration.propertyMaps().front(); }

        host::TestHost testHost;
        host::HostRegistration registration;
        std::unique_ptr<AAX_VPropertyMap> map;
    };

    host::HostRegistration::Offer mapsOffering (Versions versions, Versions descriptionHost = Versions::all)
    {
        host::HostRegistration::Offer offer;
        offer.propertyMap = versions;
        offer.descriptionHost = descriptionHost;
        return offer;
    }

    const int marker = 0;
    const void* const somePointer = &marker;
}

TEST (AAX_VPropertyMap, OperationsReachTheirPositionsOnANewHostMap)
{
    MapFixture f;
    ASSERT_NE (nullptr, f.map);
    const AAX_SPlugInIdentifierTriad ids[] { { 'Mfr1', 'Prd1', 'Plg1' } };
    const AAX_SPlugInIdentifierTriad* idsOut = nullptr;
    uint32_t count = 0;
    AAX_CPropertyValue value = 0;
    const void* pointer = nullptr;

    EXPECT_EQ (0, f.map->AddProperty (AAX_eProperty_ProductID, 'G0wk'));
    EXPECT_TRUE (f.map->GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ ('G0wk', value);
    EXPECT_EQ (0, f.map->RemoveProperty (AAX_eProperty_ProductID));
    EXPECT_FALSE (f.map->GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (0, f.map->AddPropertyWithIDArray (AAX_eProperty_ManufacturerID, ids, 1));
    EXPECT_TRUE (f.map->GetPropertyWithIDArray (AAX_eProperty_ManufacturerID, &idsOut, &count));
    EXPECT_EQ (0, f.map->AddPointerProperty (AAX_eProperty_NativeProcessProc, somePointer));
    EXPECT_TRUE (f.map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));
    EXPECT_EQ (0, f.map->AddPointerProperty (AAX_eProperty_TIDLLFileName, "kick.dll"));

    EXPECT_EQ ((std::vector<int> { 4, 3, 5, 3, 6, 7, 9, 8, 9 }), positionsCalled (f.testHost, "PropertyMap1"));
    EXPECT_EQ (somePointer, pointer);
    EXPECT_EQ (1u, count);
    EXPECT_EQ (static_cast<void*> (&f.hostMap().unknown()), f.map->GetIUnknown());
}

TEST (AAX_VPropertyMap, WithoutTheThirdVersionPointerPropertiesStayInTheMap)
{
    MapFixture f (mapsOffering (Versions::firstOnly));
    const void* pointer = nullptr;

    EXPECT_EQ (0, f.map->AddPointerProperty (AAX_eProperty_NativeProcessProc, somePointer));
    EXPECT_TRUE (f.map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));
    EXPECT_EQ (somePointer, pointer);
    EXPECT_FALSE (f.map->GetPointerProperty (AAX_eProperty_NativeProcessProc, nullptr));
    EXPECT_FALSE (f.map->GetPointerProperty (AAX_eProperty_TIBackgroundProc, &pointer));

    // Only the pointer properties 36 to 42 can be kept.
    EXPECT_EQ (0, f.map->AddPointerProperty (AAX_eProperty_TIBackgroundProc, somePointer));
    EXPECT_EQ (0, f.map->AddPointerProperty (AAX_eProperty_TIBackgroundProc, &pointer));
    const void* replaced = nullptr;
    EXPECT_TRUE (f.map->GetPointerProperty (AAX_eProperty_TIBackgroundProc, &replaced));
    EXPECT_EQ (static_cast<const void*> (&pointer), replaced) << "a second value replaces the first";
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, f.map->AddPointerProperty (static_cast<AAX_EProperty> (35), somePointer));
    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, f.map->AddPointerProperty (static_cast<AAX_EProperty> (43), somePointer));

    // Removing goes to the host and leaves the kept pointer alone.
    EXPECT_EQ (0, f.map->RemoveProperty (AAX_eProperty_NativeProcessProc));
    EXPECT_TRUE (f.map->GetPointerProperty (AAX_eProperty_NativeProcessProc, &pointer));

    EXPECT_EQ (AAX_ERROR_UNIMPLEMENTED, f.map->AddPropertyWithIDArray (AAX_eProperty_ManufacturerID, nullptr, 0));
    EXPECT_FALSE (f.map->GetPropertyWithIDArray (AAX_eProperty_ManufacturerID, nullptr, nullptr));
    EXPECT_EQ ((std::vector<int> { 5 }), positionsCalled (f.testHost, "PropertyMap1"));
    EXPECT_EQ (static_cast<void*> (&f.hostMap().unknown()), f.map->GetIUnknown());
}

// A host may answer each version of its map with a different object: the
// host gets back the newest one the map holds.
TEST (AAX_VPropertyMap, HandsTheHostItsNewestVersionOfTheMap)
{
    host::CallLog log;
    host::HostPropertyMap first ("First", log, Versions::firstOnly);
    host::HostPropertyMap second ("Second", log, Versions::all);
    host::HostPropertyMap third ("Third", log, Versions::all);
    first.forward (host::uids::IID_IAAXPropertyMapV2, second);
    first.forward (host::uids::IID_IAAXPropertyMapV3, third);

    EXPECT_EQ (static_cast<void*> (&third.unknown()), AAX_VPropertyMap::Acquire (asModuleSees (&first.unknown()))->GetIUnknown());

    host::HostPropertyMap withoutThird ("WithoutThird", log, Versions::firstOnly);
    withoutThird.forward (host::uids::IID_IAAXPropertyMapV2, second);
    EXPECT_EQ (static_cast<void*> (&second.unknown()), AAX_VPropertyMap::Acquire (asModuleSees (&withoutThird.unknown()))->GetIUnknown());

    for (const auto* object : { &first, &second, &third, &withoutThird })
        EXPECT_EQ (0, object->referenceCount()) << object->name();
}

TEST (AAX_VPropertyMap, WithoutAHostMapIntegerPropertiesFailAndNothingThrows)
{
    MapFixture f (mapsOffering (Versions::none));
    ASSERT_NE (nullptr, f.map);
    AAX_CPropertyValue value = 0;
    EXPECT_FALSE (f.map->GetProperty (AAX_eProperty_ProductID, &value));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, f.map->AddProperty (AAX_eProperty_ProductID, 1));
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, f.map->RemoveProperty (AAX_eProperty_ProductID));
    EXPECT_EQ (nullptr, f.map->GetIUnknown());

    EXPECT_EQ (nullptr, AAX_VPropertyMap::Create (nullptr));
    f.map.reset();
    EXPECT_TRUE (f.testHost.objectsWithUnbalancedReferences().empty());
}

TEST (AAX_VPropertyMap, StemFormatsAreCheckedOnlyWhenNoDescriptionHostCanVouchForThem)
{
    MapFixture f (mapsOffering (Versions::all, Versions::none));
    const auto index13 = AAX_STEM_FORMAT (13, 9);
    for (const auto property : { AAX_eProperty_InputStemFormat, AAX_eProperty_OutputStemFormat })
    {
        EXPECT_EQ (AAX_ERROR_PROPERTY_UNDEFINED, f.map->AddProperty (property, index13));
        EXPECT_EQ (AAX_ERROR_PROPERTY_UNDEFINED, f.map->AddProperty (property, AAX_STEM_FORMAT (-2, 0)));
        EXPECT_EQ (0, f.map->AddProperty (property, AAX_STEM_FORMAT (0, 1)));
        EXPECT_EQ (0, f.map->AddProperty (property, AAX_STEM_FORMAT (12, 0xFFFF))); // channel count not checked
        EXPECT_EQ (0, f.map->AddProperty (property, -65536));
        EXPECT_EQ (0, f.map->AddProperty (property, -6553600));
    }
    EXPECT_EQ (0, f.map->AddProperty (AAX_eProperty_ProductID, index13)); // other properties are not stem formats
    EXPECT_EQ (9u, positionsCalled (f.testHost, "PropertyMap1").size()); // rejected values never reach the host

    MapFixture vouched;
    EXPECT_EQ (0, vouched.map->AddProperty (AAX_eProperty_InputStemFormat, index13));
    EXPECT_EQ (index13, vouched.hostMap().property (AAX_eProperty_InputStemFormat));
}

TEST (AAX_VDescriptionHost, FeatureInfoAndItsPropertiesComeBackOwnedByTheCallerWithEveryReferenceReturned)
{
    host::TestHost testHost;
    host::HostRegistration registration (testHost);
    auto& feature = registration.addFeature (host::uids::AAXATTR_ClientFeature_StemFormat, AAX_eSupportLevel_ByProperty);
    // Such a host lists its formats as properties: stem format -> support level.
    feature.properties().AddProperty (AAX_eStemFormat_Stereo, AAX_eSupportLevel_Supported);
    {
        AAX_VDescriptionHost descriptionHost (asModuleSees (testHost.hostUnknown()));
        ASSERT_TRUE (descriptionHost.Supported());
        EXPECT_NE (nullptr, descriptionHost.HostDefinition());

        std::unique_ptr<const AAX_IFeatureInfo> info (descriptionHost.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
        ASSERT_NE (nullptr, info);
        EXPECT_EQ (AAXATTR_ClientFeature_StemFormat, info->ID());
        AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
        EXPECT_EQ (0, info->SupportLevel (level));
        EXPECT_EQ (AAX_eSupportLevel_ByProperty, level);

        std::unique_ptr<const AAX_IPropertyMap> properties (info->AcquireProperties());
        ASSERT_NE (nullptr, properties);
        AAX_CPropertyValue supported = 0;
        EXPECT_TRUE (properties->GetProperty (static_cast<AAX_EProperty> (AAX_eStemFormat_Stereo), &supported));
        EXPECT_EQ (AAX_eSupportLevel_Supported, supported);

        // A feature the host does not know.
        EXPECT_EQ (nullptr, std::unique_ptr<const AAX_IFeatureInfo> (descriptionHost.AcquireFeatureProperties (IID_IACFUnknown)));
    }
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());

    // A host that hands out an object and yet reports failure gets its reference back.
    registration.descriptionHost().acquireResult = AAX_ERROR_UNKNOWN_ID;
    feature.acquireResult = AAX_ERROR_UNKNOWN_ID;
    {
        const AAX_VDescriptionHost descriptionHost (asModuleSees (testHost.hostUnknown()));
        EXPECT_EQ (nullptr, descriptionHost.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
        const AAX_VFeatureInfo info (asModuleSees (&feature.unknown()), AAXATTR_ClientFeature_StemFormat);
        EXPECT_EQ (nullptr, info.AcquireProperties());
    }
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());

    const AAX_VDescriptionHost none (nullptr);
    EXPECT_FALSE (none.Supported());
    EXPECT_EQ (nullptr, none.AcquireFeatureProperties (AAXATTR_ClientFeature_StemFormat));
    AAX_ESupportLevel level = AAX_eSupportLevel_Uninitialized;
    EXPECT_EQ (AAX_ERROR_NULL_OBJECT, AAX_VFeatureInfo (nullptr, AAXATTR_ClientFeature_StemFormat).SupportLevel (level));
}
