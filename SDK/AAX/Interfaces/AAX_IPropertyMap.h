// AAX_IPropertyMap.h: the plug-in side's view of a property map: integer and pointer properties that describe a component, meter or feature.
#pragma once

#include "AAX.h"
#include "AAX_Properties.h"

class IACFUnknown;

// Names one plug-in type: who made it, which product, which variant.
struct AAX_SPlugInIdentifierTriad
{
    AAX_CTypeID mManufacturerID;
    AAX_CTypeID mProductID;
    AAX_CTypeID mPlugInID;
};

class AAX_IPropertyMap
{
public:
    virtual ~AAX_IPropertyMap() = default;

    // True when the property is set; its value is then written.
    virtual AAX_CBoolean GetProperty (AAX_EProperty property, AAX_CPropertyValue* valueOut) const = 0;
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty property, const void** valueOut) const = 0;
    virtual AAX_Result AddProperty (AAX_EProperty property, AAX_CPropertyValue value) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty property, const void* value) = 0;
    virtual AAX_Result AddPointerProperty (AAX_EProperty property, const char* value) = 0;
    virtual AAX_Result RemoveProperty (AAX_EProperty property) = 0;
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* identifiers,
                                               uint32_t count) = 0;
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** identifiersOut,
                                                 uint32_t* countOut) const = 0;
    // The host's map behind this one, newest version first; null when there is none.
    virtual IACFUnknown* GetIUnknown() = 0;
};
