// AAX_IEffectDescriptor.h: the plug-in side's view of one effect's description: names, category, components, creation procedures, meters.
#pragma once

#include "AAX.h"
#include "AAX_IComponentDescriptor.h"

class AAX_IPropertyMap;

// Which creation procedure AddProcPtr registers.
using AAX_CProcPtrID = uint32_t;
enum AAX_EProcPtrID : AAX_CProcPtrID
{
    AAX_eProcPtrID_Create_EffectParameters = 0,
    AAX_eProcPtrID_Create_EffectGUI = 1
};
constexpr AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectParameters = AAX_eProcPtrID_Create_EffectParameters;
constexpr AAX_CProcPtrID kAAX_ProcPtrID_Create_EffectGUI = AAX_eProcPtrID_Create_EffectGUI;

// Kinds of resource files an effect can name.
enum AAX_EResourceType : uint32_t
{
    AAX_eResourceType_None = 0,
    AAX_eResourceType_PageTable = 1,
    AAX_eResourceType_PageTableDir = 2
};

class AAX_IEffectDescriptor
{
public:
    virtual ~AAX_IEffectDescriptor() = default;

    // Descriptors and maps made here belong to this descriptor.
    virtual AAX_IComponentDescriptor* NewComponentDescriptor() = 0;
    virtual AAX_Result AddComponent (AAX_IComponentDescriptor* componentDescriptor) = 0;
    virtual AAX_Result AddName (const char* name) = 0;
    virtual AAX_Result AddCategory (uint32_t category) = 0;
    virtual AAX_Result AddCategoryBypassParameter (uint32_t category, AAX_CParamID parameterID) = 0;
    virtual AAX_Result AddProcPtr (void* procedure, AAX_CProcPtrID procedureID) = 0;
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties (AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddResourceInfo (AAX_EResourceType resourceType, const char* info) = 0;
    virtual AAX_Result AddMeterDescription (AAX_CTypeID meterID, const char* meterName, AAX_IPropertyMap* properties) = 0;
    virtual AAX_Result AddControlMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* nodeName,
                                           uint32_t channelMask) = 0;
};
