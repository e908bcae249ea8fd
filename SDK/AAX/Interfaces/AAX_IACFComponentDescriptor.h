// AAX_IACFComponentDescriptor.h: the host's component-descriptor interface, versions 1 to 3, as tables of operations.
#pragma once

#include "AAX_IComponentDescriptor.h"
#include "IACFUnknown.h"

class AAX_IACFComponentDescriptor : public IACFUnknown
{
public:
    virtual AAX_Result Clear() = 0;                                                                    // 3
    virtual AAX_Result AddReservedField (AAX_CFieldIndex field, uint32_t fieldType) = 0;               // 4
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex field) = 0;                                         // 5
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex field) = 0;                                        // 6
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex field) = 0;                               // 7
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex field) = 0;                                      // 8
    virtual AAX_Result AddClock (AAX_CFieldIndex field) = 0;                                           // 9
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex field) = 0;                                     // 10
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex field, uint32_t packetSize, AAX_EDataInPortType portType) = 0; // 11
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex field, int32_t stemFormat, const char* name) = 0; // 12
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex field, int32_t dataSize, uint32_t options) = 0; // 13
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex field, uint32_t dmaMode) = 0;                   // 14
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex field, AAX_EMIDINodeType nodeType, const char* name,
                                    uint32_t channelMask) = 0;                                         // 15
    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc processProc, IACFUnknown* properties,
                                              AAX_CInstanceInitProc instanceInitProc, AAX_CBackgroundProc backgroundProc,
                                              AAX_CSelector* procedureIDOut) = 0;                      // 16
    virtual AAX_Result AddProcessProc_TI (const char* dllFileName, const char* processProcSymbol, IACFUnknown* properties,
                                          const char* instanceInitProcSymbol, const char* backgroundProcSymbol,
                                          AAX_CSelector* procedureIDOut) = 0;                          // 17
    virtual AAX_Result AddMeters (AAX_CFieldIndex field, const AAX_CTypeID* meterIDs, uint32_t meterCount) = 0; // 18

protected:
    ~AAX_IACFComponentDescriptor() = default;
};

class AAX_IACFComponentDescriptor_V2 : public AAX_IACFComponentDescriptor
{
public:
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex field, uint32_t dataElementSize) = 0;         // 19

protected:
    ~AAX_IACFComponentDescriptor_V2() = default;
};

class AAX_IACFComponentDescriptor_V3 : public AAX_IACFComponentDescriptor_V2
{
public:
    virtual AAX_Result AddProcessProc (IACFUnknown* properties, AAX_CSelector* procedureIDsOut, int32_t capacity) = 0; // 20

protected:
    ~AAX_IACFComponentDescriptor_V3() = default;
};
