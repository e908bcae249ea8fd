// AAX_VEffectDescriptor.cpp: effect names, category, components and procedures forwarded to the host's descriptor.
#include "AAX_VEffectDescriptor.h"

#include "AAX_Errors.h"
#include "AAX_HostComponent.h"

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* host)
    : hostObject (host)
{
    AAX_CreateHostComponent (host, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1, descriptorV1);
    if (descriptorV1)
        descriptorV2.query (descriptorV1.get(), IID_IAAXEffectDescriptorV2);
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    componentDescriptors.push_back (std::make_unique<AAX_VComponentDescriptor> (hostObject.get()));
    return componentDescriptors.back().get();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* componentDescriptor)
{
    if (! descriptorV1)
        return AAX_ERROR_NULL_OBJECT;
    const auto* component = dynamic_cast<AAX_VComponentDescriptor*> (componentDescriptor);
    return descriptorV1->AddComponent (component != nullptr ? component->GetIUnknown() : nullptr);
}

AAX_Result AAX_VEffectDescriptor::AddName (const char* name)
{
    return descriptorV1 ? descriptorV1->AddName (name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t category)
{
    return descriptorV1 ? descriptorV1->AddCategory (category) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID)
{
    return descriptorV1 ? descriptorV1->AddCategoryBypassParameter (category, parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* procedure, AAX_CProcPtrID procedureID)
{
    return descriptorV1 ? descriptorV1->AddProcPtr (procedure, procedureID) : AAX_ERROR_NULL_OBJECT;
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    return propertyMaps.NewPropertyMap (hostObject.get());
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* properties)
{
    return descriptorV1 ? descriptorV1->SetProperties (AAX_VPropertyMap::HostMapOf (properties)) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddResourceInfo (AAX_EResourceType resourceType, const char* info)
{
    return descriptorV1 ? descriptorV1->AddResourceInfo (resourceType, info) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddMeterDescription (AAX_CTypeID meterID, const char* meterName, AAX_IPropertyMap* properties)
{
    return descriptorV1 ? descriptorV1->AddMeterDescription (meterID, meterName, AAX_VPropertyMap::HostMapOf (properties))
                        : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                                                      uint32_t channelMask)
{
    return descriptorV2 ? descriptorV2->AddControlMIDINode (field, nodeType, nodeName, channelMask) : AAX_ERROR_UNIMPLEMENTED;
}
