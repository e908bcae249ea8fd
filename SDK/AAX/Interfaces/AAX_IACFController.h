// AAX_IACFController.h: the host's controller (versions 1 to 3) and page-table controller (versions 1 and 2) as tables of operations.
#pragma once

#include "AAX_IController.h"
#include "IACFUnknown.h"

class AAX_IACFController : public IACFUnknown
{
public:
    virtual AAX_Result GetEffectID (AAX_IString* effectIDOut) = 0;                                      // 3
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* sampleRateOut) = 0;                              // 4
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* stemFormatOut) = 0;                         // 5
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* stemFormatOut) = 0;                        // 6
    virtual AAX_Result GetSignalLatency (int32_t* samplesOut) = 0;                                      // 7
    virtual AAX_Result GetCycleCount (AAX_EProperty whichCycleCount, AAX_CPropertyValue* valueOut) = 0; // 8
    virtual AAX_Result GetTODLocation (AAX_CTimeOfDay* timeOfDayOut) = 0;                               // 9
    virtual AAX_Result SetSignalLatency (uint32_t samples) = 0;                                         // 10
    virtual AAX_Result SetCycleCount (AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values, uint32_t count) = 0; // 11
    virtual AAX_Result PostPacket (AAX_CFieldIndex fieldIndex, const void* payload, uint32_t payloadSize) = 0; // 12
    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* valueOut) = 0;                 // 13
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* valueOut) = 0;                    // 14
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) = 0;                                   // 15
    virtual AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clippedOut) = 0;             // 16
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID meterID) = 0;                                     // 17
    virtual AAX_Result GetMeterCount (uint32_t* countOut) = 0;                                          // 18
    virtual AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* portOut, AAX_CMidiPacket* packetOut) = 0;    // 19

protected:
    ~AAX_IACFController() = default;
};

class AAX_IACFController_V2 : public AAX_IACFController
{
public:
    virtual AAX_Result SendNotification (AAX_CTypeID notificationType, const void* data, uint32_t dataSize) = 0; // 20
    virtual AAX_Result GetHybridSignalLatency (int32_t* samplesOut) = 0;                                // 21
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestampOut) = 0;         // 22
    virtual AAX_Result GetHostName (AAX_IString* hostNameOut) = 0;                                      // 23

protected:
    ~AAX_IACFController_V2() = default;
};

class AAX_IACFController_V3 : public AAX_IACFController_V2
{
public:
    virtual AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* platformOut) = 0;                  // 24
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuiteOut) = 0;                             // 25

protected:
    ~AAX_IACFController_V3() = default;
};

// Each operation fills `pageTable`, an empty host page table the caller created.
class AAX_IACFPageTableController : public IACFUnknown
{
public:
    virtual AAX_Result CopyTableForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                           AAX_CPropertyValue plugInID, uint32_t tableType, int32_t tablePageSize,
                                           IACFUnknown* pageTable) = 0;                                // 3
    virtual AAX_Result CopyTableOfLayoutForEffect (const char* effectID, const char* layoutName, uint32_t tableType,
                                                   int32_t tablePageSize, IACFUnknown* pageTable) = 0; // 4

protected:
    ~AAX_IACFPageTableController() = default;
};

class AAX_IACFPageTableController_V2 : public AAX_IACFPageTableController
{
public:
    virtual AAX_Result CopyTableForEffectFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                   AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                   AAX_CPropertyValue plugInID, uint32_t tableType, int32_t tablePageSize,
                                                   IACFUnknown* pageTable) = 0;                        // 5
    virtual AAX_Result CopyTableOfLayoutFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                  const char* layoutName, uint32_t tableType, int32_t tablePageSize,
                                                  IACFUnknown* pageTable) = 0;                         // 6

protected:
    ~AAX_IACFPageTableController_V2() = default;
};
