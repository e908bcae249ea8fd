// AAX_ICollection.h: the plug-in side's view of the registration collection: effects, package names and version, the description host.
#pragma once

#include "AAX.h"

class AAX_IDescriptionHost;
class AAX_IEffectDescriptor;
class AAX_IPropertyMap;
class IACFDefinition;

class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    // Descriptors and maps made here belong to this collection.
    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    virtual AAX_Result AddEffect (const char* effectID, AAX_IEffectDescriptor* effectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* name) = 0;
    virtual AAX_Result AddPackageName (const char* name) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t version) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties (AAX_IPropertyMap* properties) = 0;
    // Null when the host offers no description host.
    virtual AAX_IDescriptionHost* DescriptionHost() = 0;
    virtual const AAX_IDescriptionHost* DescriptionHost() const = 0;
    virtual IACFDefinition* HostDefinition() const = 0;
};
