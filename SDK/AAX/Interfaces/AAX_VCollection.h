// AAX_VCollection.h: the registration collection built on the host's, owner of every descriptor and map made during one registration.
#pragma once

#include "AAX_IACFCollection.h"
#include "AAX_ICollection.h"
#include "AAX_VDescriptionHost.h"
#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "ACFPtr.h"

#include <memory>
#include <vector>

// Operations answer -20004 without the host's collection.
class AAX_VCollection : public AAX_ICollection
{
public:
    // Builds the description host on `hostObject`, then creates the host's
    // collection through its component factory.
    explicit AAX_VCollection (IACFUnknown* hostObject);

    AAX_IEffectDescriptor* NewDescriptor() override;
    // Also -20004 for a null descriptor.
    AAX_Result AddEffect (const char* effectID, AAX_IEffectDescriptor* effectDescriptor) override;
    AAX_Result SetManufacturerName (const char* name) override;
    AAX_Result AddPackageName (const char* name) override;
    AAX_Result SetPackageVersion (uint32_t version) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* properties) override;
    AAX_IDescriptionHost* DescriptionHost() override;
    const AAX_IDescriptionHost* DescriptionHost() const override;
    IACFDefinition* HostDefinition() const override;

    // The host's collection: registration asks it for the plug-in definition.
    IACFUnknown* GetIUnknown() const noexcept { return collectionV1.get(); }

private:
    ACFPtr<IACFUnknown> hostObject;
    ACFPtr<AAX_IACFCollection> collectionV1;
    AAX_VDescriptionHost descriptionHost;
    std::vector<std::unique_ptr<AAX_VEffectDescriptor>> effectDescriptors;
    AAX_VPropertyMapStore propertyMaps;
};
