// AAX_VController.cpp: controller operations forwarded to the version of the host's controller that has them.
#include "AAX_VController.h"

#include "AAX_Errors.h"
#include "AAX_HostComponent.h"
#include "AAX_VPageTable.h"

AAX_VController::AAX_VController (IACFUnknown* hostObject)
{
    controllerV1.query (hostObject, IID_IAAXControllerV1);
    controllerV2.query (hostObject, IID_IAAXControllerV2);
    controllerV3.query (hostObject, IID_IAAXControllerV3);
    pageTableControllerV1.query (hostObject, IID_IAAXPageTableControllerV1);
    pageTableControllerV2.query (hostObject, IID_IAAXPageTableControllerV2);
    componentFactory.query (hostObject, IID_IACFComponentFactory);
}

AAX_Result AAX_VController::GetEffectID (AAX_IString* effectIDOut) const
{
    return controllerV1 ? controllerV1->GetEffectID (effectIDOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetSampleRate (AAX_CSampleRate* sampleRateOut) const
{
    return controllerV1 ? controllerV1->GetSampleRate (sampleRateOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetInputStemFormat (AAX_EStemFormat* stemFormatOut) const
{
    return controllerV1 ? controllerV1->GetInputStemFormat (stemFormatOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetOutputStemFormat (AAX_EStemFormat* stemFormatOut) const
{
    return controllerV1 ? controllerV1->GetOutputStemFormat (stemFormatOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetSignalLatency (int32_t* samplesOut) const
{
    return controllerV1 ? controllerV1->GetSignalLatency (samplesOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetCycleCount (AAX_EProperty whichCycleCount, AAX_CPropertyValue* valueOut) const
{
    return controllerV1 ? controllerV1->GetCycleCount (whichCycleCount, valueOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetTODLocation (AAX_CTimeOfDay* timeOfDayOut) const
{
    return controllerV1 ? controllerV1->GetTODLocation (timeOfDayOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SetSignalLatency (uint32_t samples)
{
    return controllerV1 ? controllerV1->SetSignalLatency (samples) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SetCycleCount (AAX_EProperty* whichCycleCounts, AAX_CPropertyValue* values, uint32_t count)
{
    return controllerV1 ? controllerV1->SetCycleCount (whichCycleCounts, values, count) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::PostPacket (AAX_CFieldIndex fieldIndex, const void* payload, uint32_t payloadSize)
{
    return controllerV1 ? controllerV1->PostPacket (fieldIndex, payload, payloadSize) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID notificationType, const void* data, uint32_t dataSize)
{
    return controllerV2 ? controllerV2->SendNotification (notificationType, data, dataSize) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::SendNotification (AAX_CTypeID notificationType)
{
    return SendNotification (notificationType, nullptr, 0);
}

AAX_Result AAX_VController::GetCurrentMeterValue (AAX_CTypeID meterID, float* valueOut) const
{
    return controllerV1 ? controllerV1->GetCurrentMeterValue (meterID, valueOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterPeakValue (AAX_CTypeID meterID, float* valueOut) const
{
    return controllerV1 ? controllerV1->GetMeterPeakValue (meterID, valueOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::ClearMeterPeakValue (AAX_CTypeID meterID) const
{
    return controllerV1 ? controllerV1->ClearMeterPeakValue (meterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterCount (uint32_t* countOut) const
{
    return controllerV1 ? controllerV1->GetMeterCount (countOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetMeterClipped (AAX_CTypeID meterID, AAX_CBoolean* clippedOut) const
{
    return controllerV1 ? controllerV1->GetMeterClipped (meterID, clippedOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::ClearMeterClipped (AAX_CTypeID meterID) const
{
    return controllerV1 ? controllerV1->ClearMeterClipped (meterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetNextMIDIPacket (AAX_CFieldIndex* portOut, AAX_CMidiPacket* packetOut)
{
    return controllerV1 ? controllerV1->GetNextMIDIPacket (portOut, packetOut) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VController::GetHybridSignalLatency (int32_t* samplesOut) const
{
    return controllerV2 ? controllerV2->GetHybridSignalLatency (samplesOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetCurrentAutomationTimestamp (AAX_CTransportCounter* timestampOut) const
{
    if (controllerV2)
        return controllerV2->GetCurrentAutomationTimestamp (timestampOut);

    if (timestampOut != nullptr)
        *timestampOut = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetHostName (AAX_IString* hostNameOut) const
{
    return controllerV2 ? controllerV2->GetHostName (hostNameOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetPlugInTargetPlatform (AAX_CTargetPlatform* platformOut) const
{
    return controllerV3 ? controllerV3->GetPlugInTargetPlatform (platformOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VController::GetIsAudioSuite (AAX_CBoolean* isAudioSuiteOut) const
{
    if (controllerV3)
        return controllerV3->GetIsAudioSuite (isAudioSuiteOut);

    // Callers read the flag without checking the result.
    if (isAudioSuiteOut != nullptr)
        *isAudioSuiteOut = 0;
    return AAX_ERROR_UNIMPLEMENTED;
}

ACFPtr<IACFUnknown> AAX_VController::createEmptyPageTable() const
{
    ACFPtr<IACFUnknown> pageTable;
    if (componentFactory)
        AAX_CreateHostComponent (*componentFactory.get(), AAXCompID_PageTable, IID_IAAXPageTableV2, pageTable);
    return pageTable;
}

template <class Copy>
AAX_IPageTable* AAX_VController::copyPageTable (Copy&& copy) const
{
    const auto pageTable = createEmptyPageTable();
    if (! pageTable || copy (pageTable.get()) != AAX_SUCCESS)
        return nullptr;

    // The wrapper takes references of its own; ours goes with `pageTable`.
    return new AAX_VPageTable (pageTable.get());
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffect (AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                           AAX_CPropertyValue plugInID, uint32_t tableType,
                                                           int32_t tablePageSize) const
{
    if (! pageTableControllerV1)
        return nullptr;
    return copyPageTable ([&] (IACFUnknown* pageTable) {
        return pageTableControllerV1->CopyTableForEffect (manufacturerID, productID, plugInID, tableType, tablePageSize, pageTable);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayout (const char* effectID, const char* layoutName,
                                                           uint32_t tableType, int32_t tablePageSize) const
{
    if (! pageTableControllerV1)
        return nullptr;
    return copyPageTable ([&] (IACFUnknown* pageTable) {
        return pageTableControllerV1->CopyTableOfLayoutForEffect (effectID, layoutName, tableType, tablePageSize, pageTable);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForEffectFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                                   AAX_CPropertyValue manufacturerID, AAX_CPropertyValue productID,
                                                                   AAX_CPropertyValue plugInID, uint32_t tableType,
                                                                   int32_t tablePageSize) const
{
    if (! pageTableControllerV2)
        return nullptr;
    return copyPageTable ([&] (IACFUnknown* pageTable) {
        return pageTableControllerV2->CopyTableForEffectFromFile (pageTableFilePath, filePathEncoding, manufacturerID, productID,
                                                                  plugInID, tableType, tablePageSize, pageTable);
    });
}

AAX_IPageTable* AAX_VController::CreateTableCopyForLayoutFromFile (const char* pageTableFilePath, AAX_ETextEncoding filePathEncoding,
                                                                   const char* layoutName, uint32_t tableType,
                                                                   int32_t tablePageSize) const
{
    if (! pageTableControllerV2)
        return nullptr;
    return copyPageTable ([&] (IACFUnknown* pageTable) {
        return pageTableControllerV2->CopyTableOfLayoutFromFile (pageTableFilePath, filePathEncoding, layoutName,
                                                                 tableType, tablePageSize, pageTable);
    });
}
