// AAX_IComponentDescriptor.h: the plug-in side's view of one processing component: its context fields, process procedures and properties.
#pragma once

#include "AAX.h"
#include "AAX_StemFormats.h" // auxiliary output stems

class AAX_IPropertyMap;

// Why a component instance's init procedure is called.
enum AAX_EComponentInstanceInitAction : int32_t
{
    AAX_eComponentInstanceInitAction_AddingNewInstance = 0,
    AAX_eComponentInstanceInitAction_RemovingInstance = 1,
    AAX_eComponentInstanceInitAction_ResetingInstance = 2
};

// How packets posted to a data-in port reach the processing side.
enum AAX_EDataInPortType : uint32_t
{
    AAX_eDataInPortType_Unbuffered = 0,
    AAX_eDataInPortType_Buffered = 1,
    AAX_eDataInPortType_Incremental = 2
};

enum AAX_EPrivateDataOptions : uint32_t
{
    AAX_ePrivateDataOptions_DefaultOptions = 0
};

enum AAX_EMIDINodeType : uint32_t
{
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3
};

// Native procedures in their generic form: contexts are untyped.
using AAX_CProcessProc = void (AAX_CALLBACK*) (void* const instancesBegin[], const void* const instancesEnd);
using AAX_CInstanceInitProc = int32_t (AAX_CALLBACK*) (const void* instanceContext, AAX_EComponentInstanceInitAction action);
using AAX_CBackgroundProc = int32_t (AAX_CALLBACK*)();

class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddClock (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex field) = 0;
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize,
                                      AAX_EDataInPortType portType = AAX_eDataInPortType_Buffered) = 0;
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) = 0;
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex field, int32_t dataSize,
                                       uint32_t options = AAX_ePrivateDataOptions_DefaultOptions) = 0;
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize) = 0;
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex field, uint32_t dmaMode) = 0;
    virtual AAX_Result AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) = 0;
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* name, uint32_t channelMask) = 0;
    virtual AAX_Result AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) = 0;

    // Maps made here belong to this descriptor.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* source) = 0;

    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc processProc, AAX_IPropertyMap* properties = nullptr,
                                              AAX_CInstanceInitProc instanceInitProc = nullptr,
                                              AAX_CBackgroundProc backgroundProc = nullptr,
                                              AAX_CSelector* procedureIDOut = nullptr) = 0;
    virtual AAX_Result AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol,
                                          AAX_IPropertyMap* properties = nullptr, const char* instanceInitProcSymbol = nullptr,
                                          const char* backgroundProcSymbol = nullptr, AAX_CSelector* procedureIDOut = nullptr) = 0;
    // Registers every procedure the properties describe; the IDs are written
    // to `procedureIDsOut`, followed by a 0, when `capacity` leaves room.
    virtual AAX_Result AddProcessProc (AAX_IPropertyMap* properties, AAX_CSelector* procedureIDsOut = nullptr,
                                       int32_t capacity = 0) = 0;

    // The typed form: takes a process procedure over the plug-in's own context type.
    template <typename Context>
    AAX_Result AddProcessProc_Native (void (AAX_CALLBACK* processProc) (Context* const instancesBegin[], const void* const instancesEnd),
                                      AAX_IPropertyMap* properties = nullptr,
                                      int32_t (AAX_CALLBACK* instanceInitProc) (const Context*, AAX_EComponentInstanceInitAction) = nullptr,
                                      AAX_CBackgroundProc backgroundProc = nullptr,
                                      AAX_CSelector* procedureIDOut = nullptr)
    {
        // Through the generic function-pointer type, which converts to any other without complaint.
        using AnyProcedure = void (*)();
        return AddProcessProc_Native (reinterpret_cast<AAX_CProcessProc> (reinterpret_cast<AnyProcedure> (processProc)), properties,
                                      reinterpret_cast<AAX_CInstanceInitProc> (reinterpret_cast<AnyProcedure> (instanceInitProc)),
                                      backgroundProc, procedureIDOut);
    }
};
