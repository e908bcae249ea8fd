// AAX_IACFPropertyMap.h: the host's property-map interface, versions 1 to 3, as tables of operations.
#pragma once

#include "AAX_IPropertyMap.h"
#include "IACFUnknown.h"

class AAX_IACFPropertyMap : public IACFUnknown
{
public:
    virtual AAX_CBoolean GetProperty (AAX_EProperty property, AAX_CPropertyValue* valueOut) = 0;       // 3
    virtual AAX_Result AddProperty (AAX_EProperty property, AAX_CPropertyValue value) = 0;             // 4
    virtual AAX_Result RemoveProperty (AAX_EProperty property) = 0;                                    // 5

protected:
    ~AAX_IACFPropertyMap() = default;
};

class AAX_IACFPropertyMap_V2 : public AAX_IACFPropertyMap
{
public:
    virtual AAX_Result AddPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad* identifiers,
                                               uint32_t count) = 0;                                    // 6
    virtual AAX_CBoolean GetPropertyWithIDArray (AAX_EProperty property, const AAX_SPlugInIdentifierTriad** identifiersOut,
                                                 uint32_t* countOut) = 0;                              // 7

protected:
    ~AAX_IACFPropertyMap_V2() = default;
};

class AAX_IACFPropertyMap_V3 : public AAX_IACFPropertyMap_V2
{
public:
    virtual AAX_CBoolean GetPointerProperty (AAX_EProperty property, const void** valueOut) = 0;       // 8
    virtual AAX_Result AddPointerProperty (AAX_EProperty property, const void* value) = 0;             // 9

protected:
    ~AAX_IACFPropertyMap_V3() = default;
};
