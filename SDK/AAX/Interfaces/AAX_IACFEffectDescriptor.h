// AAX_IACFEffectDescriptor.h: the host's effect-descriptor interface, versions 1 and 2, as tables of operations.
#pragma once

#include "AAX_IEffectDescriptor.h"
#include "IACFUnknown.h"

class AAX_IACFEffectDescriptor : public IACFUnknown
{
public:
    virtual AAX_Result AddComponent (IACFUnknown* componentDescriptor) = 0;                            // 3
    virtual AAX_Result AddName (const char* name) = 0;                                                 // 4
    virtual AAX_Result AddCategory (uint32_t category) = 0;                                            // 5
    virtual AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID) = 0;   // 6
    virtual AAX_Result AddProcPtr (void* procedure, AAX_CProcPtrID procedureID) = 0;                   // 7
    virtual AAX_Result SetProperties (IACFUnknown* properties) = 0;                                    // 8
    virtual AAX_Result AddResourceInfo (AAX_EResourceType resourceType, const char* info) = 0;         // 9
    virtual AAX_Result AddMeterDescription (AAX_CTypeID meterID, const char* meterName, IACFUnknown* properties) = 0; // 10

protected:
    ~AAX_IACFEffectDescriptor() = default;
};

class AAX_IACFEffectDescriptor_V2 : public AAX_IACFEffectDescriptor
{
public:
    virtual AAX_Result AddControlMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                                           uint32_t channelMask) = 0;                                  // 11

protected:
    ~AAX_IACFEffectDescriptor_V2() = default;
};
