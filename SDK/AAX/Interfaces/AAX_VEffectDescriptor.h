// AAX_VEffectDescriptor.h: an effect description built on the host's effect descriptor.
#pragma once

#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IEffectDescriptor.h"
#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "ACFPtr.h"

#include <memory>
#include <vector>

// Version-1 operations answer -20004 without the host's descriptor,
// AddControlMIDINode -20009 without version 2.
class AAX_VEffectDescriptor : public AAX_IEffectDescriptor
{
public:
    // Creates the host's descriptor through the host object's component factory.
    explicit AAX_VEffectDescriptor (IACFUnknown* hostObject);

    AAX_IComponentDescriptor* NewComponentDescriptor() override;
    AAX_Result AddComponent (AAX_IComponentDescriptor* componentDescriptor) override;
    AAX_Result AddName (const char* name) override;
    AAX_Result AddCategory (uint32_t category) override;
    AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID) override;
    AAX_Result AddProcPtr (void* procedure, AAX_CProcPtrID procedureID) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* properties) override;
    AAX_Result AddResourceInfo (AAX_EResourceType resourceType, const char* info) override;
    AAX_Result AddMeterDescription (AAX_CTypeID meterID, const char* meterName, AAX_IPropertyMap* properties) override;
    AAX_Result AddControlMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                                   uint32_t channelMask) override;

    // The host's descriptor, as the collection hands it on.
    IACFUnknown* GetIUnknown() const noexcept { return descriptorV1.get(); }

private:
    ACFPtr<IACFUnknown> hostObject;
    ACFPtr<AAX_IACFEffectDescriptor> descriptorV1;
    ACFPtr<AAX_IACFEffectDescriptor_V2> descriptorV2;
    std::vector<std::unique_ptr<AAX_VComponentDescriptor>> componentDescriptors;
    AAX_VPropertyMapStore propertyMaps;
};
