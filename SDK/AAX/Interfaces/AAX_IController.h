// AAX_IController.h: the plug-in side's view of an effect instance's host controller: rates, formats, latency, packets, meters, page tables.
#pragma once

#include "AAX.h"
#include "AAX_Properties.h"
#include "AAX_StemFormats.h"

class AAX_IPageTable;
class AAX_IString;
struct AAX_CMidiPacket;

// The processing platform an instance runs on; passed through from the host.
using AAX_CTargetPlatform = int32_t;

// How a file path handed to the host is encoded.
enum AAX_ETextEncoding : int32_t
{
    AAX_eTextEncoding_Undefined = -1,
    AAX_eTextEncoding_UTF8 = 0
};

class AAX_IController
{
public:
    virtual ~AAX_IController() = default;

    virtual AAX_Result GetEffectID (AAX_IString* effectIDOut) const = 0;
    virtual AAX_Result GetSampleRate (AAX_CSampleRate* sampleRateOut) const = 0;
    virtual AAX_Result GetInputStemFormat (AAX_EStemFormat* stemFormatOut) const = 0;
    virtual AAX_Result GetOutputStemFormat (AAX_EStemFormat* stemFormatOut) const = 0;
    virtual AAX_Result GetSignalLatency (int32_t* samplesOut) const = 0;
    virtual AAX_Result GetCycleCount (AAX_EProperty whichCycleCount, AAX_CPropertyValue* valueOut) const = 0;
    virtual AAX_Result GetTODLocation (AAX_CTimeOfDay* timeOfDayOut) const = 0;
    virtual AAX_Result SetSignalLatency (uint32_t samples) = 0;
    virtual AAX_Result SetCycleCount (AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values, uint32_t count) = 0;
    virtual AAX_Result PostPacket (AAX_CFieldIndex fieldIndex, const void* payload, uint32_t payloadSize) = 0;
    virtual AAX_Result SendNotification (AAX_CTypeID notificationType, const void* data, uint32_t dataSize) = 0;
    virtual AAX_Result SendNotification (AAX_CTypeID notificationType) = 0;

    virtual AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* valueOut) const = 0;
    virtual AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* valueOut) const = 0;
    virtual AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) const = 0;
    virtual AAX_Result GetMeterCount (uint32_t* countOut) const = 0;
    virtual AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clippedOut) const = 0;
    virtual AAX_Result ClearMeterClipped (AAX_CTypeID meterID) const = 0;

    virtual AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* portOut, AAX_CMidiPacket* packetOut) = 0;
    virtual AAX_Result GetHybridSignalLatency (int32_t* samplesOut) const = 0;
    virtual AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestampOut) const = 0;
    virtual AAX_Result GetHostName (AAX_IString* hostNameOut) const = 0;
    virtual AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* platformOut) const = 0;
    virtual AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuiteOut) const = 0;

    // Copies of the host's page tables. Each answers a new table that the
    // caller owns and deletes, or null.
    virtual AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                      AAX_CPropertyValue plugInID, uint32_t tableType,
                                                      int32_t tablePageSize) const = 0;
    virtual AAX_IPageTable* CreateTableCopyForLayout (const char* effectID, const char* layoutName,
                                                      uint32_t tableType, int32_t tablePageSize) const = 0;
    virtual AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                              AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                              AAX_CPropertyValue plugInID, uint32_t tableType,
                                                              int32_t tablePageSize) const = 0;
    virtual AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                              const char* layoutName, uint32_t tableType,
                                                              int32_t tablePageSize) const = 0;
};
