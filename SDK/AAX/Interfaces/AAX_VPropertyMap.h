// AAX_VPropertyMap.h: a property map backed by the host's, which keeps pointer properties itself when the host's map is too old for them.
#pragma once

#include "AAX_IACFDescriptionHost.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_IPropertyMap.h"
#include "ACFPtr.h"

#include <map>
#include <memory>
#include <vector>

class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    // A new map created through the host object's component factory; null
    // without a host object or factory. The map exists even when the host
    // could not create its side.
    static std::unique_ptr<AAX_VPropertyMap> Create (IACFUnknown* hostObject);
    // A map over a property map the host handed out.
    static std::unique_ptr<AAX_VPropertyMap> Acquire (IACFUnknown* hostPropertyMap);
    // The host's map behind `properties`, as the host takes it; null for null.
    static IACFUnknown* HostMapOf (AAX_IPropertyMap* properties);

    AAX_CBoolean GetProperty (AAX_EProperty property, AAX_CPropertyValue* valueOut) const override;
    AAX_CBoolean GetPointerProperty (AAX_EProperty property, const void** valueOut) const override;
    // Stem formats are checked against the classic set when no description
    // host can say which formats this host supports.
    AAX_Result AddProperty (AAX_EProperty property, AAX_CPropertyValue value) override;
    AAX_Result AddPointerProperty (AAX_EProperty property, const void* value) override;
    AAX_Result AddPointerProperty (AAX_EProperty property, const char* value) override;
    AAX_Result RemoveProperty (AAX_EProperty property) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* identifiers,
                                       uint32_t count) override;
    AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** identifiersOut,
                                         uint32_t* countOut) const override;
    IACFUnknown* GetIUnknown() override;

private:
    AAX_VPropertyMap() = default;
    void queryNewerVersions();

    ACFPtr<AAX_IACFPropertyMap> mapV1;
    ACFPtr<AAX_IACFPropertyMap_V2> mapV2;
    ACFPtr<AAX_IACFPropertyMap_V3> mapV3;
    ACFPtr<AAX_IACFDescriptionHost> descriptionHost;
    // Pointer properties a map without version 3 cannot take.
    std::map<int32_t, const void*> localPointerProperties;
};

// The property maps a collection or descriptor made, deleted with it.
class AAX_VPropertyMapStore
{
public:
    // A new map through `hostObject`'s component factory, kept here; null
    // when `AAX_VPropertyMap::Create` makes none.
    AAX_IPropertyMap* NewPropertyMap (IACFUnknown* hostObject);

private:
    std::vector<std::unique_ptr<AAX_VPropertyMap>> maps;
};
