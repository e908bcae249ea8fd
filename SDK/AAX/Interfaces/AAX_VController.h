// AAX_VController.h: forwards an effect instance's controller operations to the host, and copies host page tables.
#pragma once

#include "AAX_IACFController.h"
#include "AAX_IController.h"
#include "ACFPtr.h"
#include "IACFComponentFactory.h"

// Version-1 operations answer -20004 without controller version 1, the newer
// ones -20009 without their version; page-table copies answer null.
class AAX_VController : public AAX_IController
{
public:
    // Queries the host's controller object (may be null). An object without
    // a component factory still works; only its page-table copies answer null.
    explicit AAX_VController (IACFUnknown* hostObject);

    AAX_Result GetEffectID (AAX_IString* effectIDOut) const override;
    AAX_Result GetSampleRate (AAX_CSampleRate* sampleRateOut) const override;
    AAX_Result GetInputStemFormat (AAX_EStemFormat* stemFormatOut) const override;
    AAX_Result GetOutputStemFormat (AAX_EStemFormat* stemFormatOut) const override;
    AAX_Result GetSignalLatency (int32_t* samplesOut) const override;
    AAX_Result GetCycleCount (AAX_EProperty whichCycleCount, AAX_CPropertyValue* valueOut) const override;
    AAX_Result GetTODLocation (AAX_CTimeOfDay* timeOfDayOut) const override;
    AAX_Result SetSignalLatency (uint32_t samples) override;
    AAX_Result SetCycleCount (AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values, uint32_t count) override;
    AAX_Result PostPacket (AAX_CFieldIndex fieldIndex, const void* payload, uint32_t payloadSize) override;
    AAX_Result SendNotification (AAX_CTypeID notificationType, const void* data, uint32_t dataSize) override;
    AAX_Result SendNotification (AAX_CTypeID notificationType) override;

    AAX_Result GetCurrentMeterValue (AAX_CTypeID meterID, float* valueOut) const override;
    AAX_Result GetMeterPeakValue (AAX_CTypeID meterID, float* valueOut) const override;
    AAX_Result ClearMeterPeakValue (AAX_CTypeID meterID) const override;
    AAX_Result GetMeterCount (uint32_t* countOut) const override;
    AAX_Result GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clippedOut) const override;
    AAX_Result ClearMeterClipped (AAX_CTypeID meterID) const override;

    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex* portOut, AAX_CMidiPacket* packetOut) override;
    AAX_Result GetHybridSignalLatency (int32_t* samplesOut) const override;
    // Without controller version 2 the out value is set to 0 before answering.
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestampOut) const override;
    AAX_Result GetHostName (AAX_IString* hostNameOut) const override;
    AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform* platformOut) const override;
    // Without controller version 3 the out value is set to 0 (not AudioSuite) before answering.
    AAX_Result GetIsAudioSuite (AAX_CBoolean* isAudioSuiteOut) const override;

    AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                              AAX_CPropertyValue plugInID, uint32_t tableType,
                                              int32_t tablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayout (const char* effectID, const char* layoutName,
                                              uint32_t tableType, int32_t tablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForEffectFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                      AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                      AAX_CPropertyValue plugInID, uint32_t tableType,
                                                      int32_t tablePageSize) const override;
    AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                      const char* layoutName, uint32_t tableType,
                                                      int32_t tablePageSize) const override;

private:
    // An empty host page table from the component factory, or null.
    ACFPtr<IACFUnknown> createEmptyPageTable() const;
    // Runs `copy` on a new empty host table and wraps the filled table.
    template <class Copy>
    AAX_IPageTable* copyPageTable (Copy&& copy) const;

    ACFPtr<AAX_IACFController> controllerV1;
    ACFPtr<AAX_IACFController_V2> controllerV2;
    ACFPtr<AAX_IACFController_V3> controllerV3;
    ACFPtr<AAX_IACFPageTableController> pageTableControllerV1;
    ACFPtr<AAX_IACFPageTableController_V2> pageTableControllerV2;
    ACFPtr<IACFComponentFactory> componentFactory;
};
