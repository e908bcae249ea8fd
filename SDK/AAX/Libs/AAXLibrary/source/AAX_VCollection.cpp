// AAX_VCollection.cpp: effects and package details forwarded to the host's collection.
#include "AAX_VCollection.h"

#include "AAX_Errors.h"
#include "AAX_HostComponent.h"

AAX_VCollection::AAX_VCollection (IACFUnknown* host)
    : hostObject (host),
      descriptionHost (host)
{
    AAX_CreateHostComponent (host, AAXCompID_AAXCollection, IID_IAAXCollectionV1, collectionV1);
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    effectDescriptors.push_back (std::make_unique<AAX_VEffectDescriptor> (hostObject.get()));
    return effectDescriptors.back().get();
}

AAX_Result AAX_VCollection::AddEffect (const char* effectID, AAX_IEffectDescriptor* effectDescriptor)
{
    const auto* descriptor = dynamic_cast<AAX_VEffectDescriptor*> (effectDescriptor);
    if (! collectionV1 || descriptor == nullptr)
        return AAX_ERROR_NULL_OBJECT;
    return collectionV1->AddEffect (effectID, descriptor->GetIUnknown());
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* name)
{
    return collectionV1 ? collectionV1->SetManufacturerName (name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::AddPackageName (const char* name)
{
    return collectionV1 ? collectionV1->AddPackageName (name) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VCollection::SetPackageVersion (uint32_t version)
{
    return collectionV1 ? collectionV1->SetPackageVersion (version) : AAX_ERROR_NULL_OBJECT;
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    return propertyMaps.NewPropertyMap (hostObject.get());
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* properties)
{
    if (! collectionV1)
        return AAX_ERROR_NULL_OBJECT;
    return collectionV1->SetProperties (AAX_VPropertyMap::HostMapOf (properties));
}

AAX_IDescriptionHost* AAX_VCollection::DescriptionHost()
{
    return descriptionHost.Supported() ? &descriptionHost : nullptr;
}

const AAX_IDescriptionHost* AAX_VCollection::DescriptionHost() const
{
    return descriptionHost.Supported() ? &descriptionHost : nullptr;
}

IACFDefinition* AAX_VCollection::HostDefinition() const
{
    return descriptionHost.HostDefinition();
}
