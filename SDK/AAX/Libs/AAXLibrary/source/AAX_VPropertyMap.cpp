// AAX_VPropertyMap.cpp: property maps over the host's, with the stem-format check and the local pointer store.
#include "AAX_VPropertyMap.h"

#include "AAX_Errors.h"
#include "AAX_HostComponent.h"
#include "AAX_StemFormats.h"

#include <algorithm>
#include <iterator>

namespace
{
    // Properties whose values are addresses or texts rather than integers.
    constexpr AAX_EProperty pointerProperties[] {
        AAX_eProperty_NativeProcessProc, AAX_eProperty_NativeInstanceInitProc, AAX_eProperty_NativeBackgroundProc,
        AAX_eProperty_TIDLLFileName, AAX_eProperty_TIProcessProc, AAX_eProperty_TIInstanceInitProc,
        AAX_eProperty_TIBackgroundProc
    };

    bool isPointerProperty (AAX_EProperty property) noexcept
    {
        return std::find (std::begin (pointerProperties), std::end (pointerProperties), property) != std::end (pointerProperties);
    }

    // A stem format a host without per-format support information accepts:
    // one of the classic layouts, "none" or "any". The channel count is not checked.
    bool isClassicStemFormat (AAX_CPropertyValue stemFormat) noexcept
    {
        const auto index = AAX_STEM_FORMAT_INDEX (stemFormat);
        return (index >= 0 && index <= AAX_kLastClassicStemFormatIndex)
            || stemFormat == AAX_eStemFormat_None
            || stemFormat == AAX_eStemFormat_Any;
    }
}

std::unique_ptr<AAX_VPropertyMap> AAX_VPropertyMap::Create (IACFUnknown* hostObject)
{
    const auto factory = AAX_HostComponentFactory (hostObject);
    if (! factory)
        return nullptr;

    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    AAX_CreateHostComponent (*factory.get(), AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1, map->mapV1);
    map->queryNewerVersions();

    // The first of these that knows a description host provides it.
    IACFUnknown* const candidates[] { hostObject, factory.get(), map->mapV2.get(), map->mapV3.get(), map->mapV1.get() };
    for (auto* candidate : candidates)
        if (! map->descriptionHost && candidate != nullptr)
            map->descriptionHost.query (candidate, IID_IAAXDescriptionHostV1);

    return map;
}

std::unique_ptr<AAX_VPropertyMap> AAX_VPropertyMap::Acquire (IACFUnknown* hostPropertyMap)
{
    std::unique_ptr<AAX_VPropertyMap> map (new AAX_VPropertyMap());
    map->mapV1.query (hostPropertyMap, IID_IAAXPropertyMapV1);
    map->mapV2.query (hostPropertyMap, IID_IAAXPropertyMapV2);
    map->mapV3.query (hostPropertyMap, IID_IAAXPropertyMapV3);
    map->descriptionHost.query (hostPropertyMap, IID_IAAXDescriptionHostV1);
    return map;
}

void AAX_VPropertyMap::queryNewerVersions()
{
    if (! mapV1)
        return;
    mapV2.query (mapV1.get(), IID_IAAXPropertyMapV2);
    mapV3.query (mapV1.get(), IID_IAAXPropertyMapV3);
}

AAX_CBoolean AAX_VPropertyMap::GetProperty (AAX_EProperty property, AAX_CPropertyValue* valueOut) const
{
    return mapV1 ? mapV1->GetProperty (property, valueOut) : AAX_CBoolean { false };
}

AAX_CBoolean AAX_VPropertyMap::GetPointerProperty (AAX_EProperty property, const void** valueOut) const
{
    if (mapV3)
        return mapV3->GetPointerProperty (property, valueOut);

    const auto stored = localPointerProperties.find (property);
    if (valueOut == nullptr || stored == localPointerProperties.end())
        return false;
    *valueOut = stored->second;
    return true;
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_EProperty property, AAX_CPropertyValue value)
{
    const bool isStemFormat = property == AAX_eProperty_InputStemFormat || property == AAX_eProperty_OutputStemFormat;
    if (isStemFormat && ! descriptionHost && ! isClassicStemFormat (value))
        return AAX_ERROR_PROPERTY_UNDEFINED;

    return mapV1 ? mapV1->AddProperty (property, value) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty property, const void* value)
{
    if (mapV3)
        return mapV3->AddPointerProperty (property, value);

    if (! isPointerProperty (property))
        return AAX_ERROR_UNIMPLEMENTED;
    localPointerProperties[property] = value;
    return AAX_SUCCESS;
}

AAX_Result AAX_VPropertyMap::AddPointerProperty (AAX_EProperty property, const char* value)
{
    return AddPointerProperty (property, static_cast<const void*> (value));
}

AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_EProperty property)
{
    return mapV1 ? mapV1->RemoveProperty (property) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* identifiers,
                                                     uint32_t count)
{
    return mapV2 ? mapV2->AddPropertyWithIDArray (property, identifiers, count) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_CBoolean AAX_VPropertyMap::GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** identifiersOut,
                                                       uint32_t* countOut) const
{
    return mapV2 ? mapV2->GetPropertyWithIDArray (property, identifiersOut, countOut) : AAX_CBoolean { false };
}

IACFUnknown* AAX_VPropertyMap::HostMapOf (AAX_IPropertyMap* properties)
{
    return properties != nullptr ? properties->GetIUnknown() : nullptr;
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown()
{
    if (mapV3)
        return mapV3.get();
    if (mapV2)
        return mapV2.get();
    return mapV1.get();
}

AAX_IPropertyMap* AAX_VPropertyMapStore::NewPropertyMap (IACFUnknown* hostObject)
{
    auto map = AAX_VPropertyMap::Create (hostObject);
    if (map == nullptr)
        return nullptr;
    maps.push_back (std::move (map));
    return maps.back().get();
}
