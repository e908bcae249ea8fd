// HostController.cpp: the recording controller, page-table controller, transport and automation delegate of one instance.
#include "HostController.h"

#include "HostPageTable.h"

#include <algorithm>

namespace
{
    template <typename Value>
    void write (Value* out, Value value)
    {
        if (out != nullptr)
            *out = value;
    }

    // The update source handed back with a confirmed value: the host's own.
    constexpr int32_t updateSourceUnspecified = 0;
}

//==============================================================================
host::HostControllerObject::HostControllerObject (CallLog& log, Versions versions)
    : HostObject ("Controller", log)
{
    offerVersions (*this, { uids::IID_IAAXControllerV1, uids::IID_IAAXControllerV2, uids::IID_IAAXControllerV3 }, versions);
}

int32_t host::HostControllerObject::GetEffectID (void* effectIDOut)
{
    record (3, { CallLog::text (effectIDOut) });
    return resultOk;
}

int32_t host::HostControllerObject::GetSampleRate (float* sampleRateOut)
{
    record (4, { CallLog::text (sampleRateOut) });
    write (sampleRateOut, sampleRate);
    return resultOk;
}

int32_t host::HostControllerObject::GetInputStemFormat (int32_t* stemFormatOut)
{
    record (5, { CallLog::text (stemFormatOut) });
    write (stemFormatOut, inputStemFormat);
    return resultOk;
}

int32_t host::HostControllerObject::GetOutputStemFormat (int32_t* stemFormatOut)
{
    record (6, { CallLog::text (stemFormatOut) });
    write (stemFormatOut, outputStemFormat);
    return resultOk;
}

int32_t host::HostControllerObject::GetSignalLatency (int32_t* samplesOut)
{
    record (7, { CallLog::text (samplesOut) });
    write (samplesOut, signalLatency);
    return resultOk;
}

int32_t host::HostControllerObject::GetCycleCount (int32_t property, int32_t* valueOut)
{
    record (8, { CallLog::text (property), CallLog::text (valueOut) });
    write (valueOut, 0);
    return resultOk;
}

int32_t host::HostControllerObject::GetTODLocation (uint64_t* timeOfDayOut)
{
    record (9, { CallLog::text (timeOfDayOut) });
    write<uint64_t> (timeOfDayOut, 0);
    return resultOk;
}

int32_t host::HostControllerObject::SetSignalLatency (uint32_t samples)
{
    record (10, { CallLog::text (samples) });
    signalLatency = static_cast<int32_t> (samples);
    return resultOk;
}

int32_t host::HostControllerObject::SetCycleCount (int32_t* properties, int32_t* values, uint32_t count)
{
    record (11, { CallLog::text (properties), CallLog::text (values), CallLog::text (count) });
    return resultOk;
}

int32_t host::HostControllerObject::PostPacket (int32_t fieldIndex, const void* payload, uint32_t size)
{
    record (12, { CallLog::text (fieldIndex), CallLog::text (payload), CallLog::text (size) });
    return resultOk;
}

int32_t host::HostControllerObject::GetCurrentMeterValue (uint32_t meterID, float* valueOut)
{
    record (13, { CallLog::text (meterID), CallLog::text (valueOut) });
    write (valueOut, 0.0f);
    return resultOk;
}

int32_t host::HostControllerObject::GetMeterPeakValue (uint32_t meterID, float* valueOut)
{
    record (14, { CallLog::text (meterID), CallLog::text (valueOut) });
    write (valueOut, 0.0f);
    return resultOk;
}

int32_t host::HostControllerObject::ClearMeterPeakValue (uint32_t meterID)
{
    record (15, { CallLog::text (meterID) });
    return resultOk;
}

int32_t host::HostControllerObject::GetMeterClipped (uint32_t meterID, uint8_t* clippedOut)
{
    record (16, { CallLog::text (meterID), CallLog::text (clippedOut) });
    write<uint8_t> (clippedOut, 0);
    return resultOk;
}

int32_t host::HostControllerObject::ClearMeterClipped (uint32_t meterID)
{
    record (17, { CallLog::text (meterID) });
    return resultOk;
}

int32_t host::HostControllerObject::GetMeterCount (uint32_t* countOut)
{
    record (18, { CallLog::text (countOut) });
    write<uint32_t> (countOut, 0);
    return resultOk;
}

int32_t host::HostControllerObject::GetNextMIDIPacket (int32_t* portOut, void* packetOut)
{
    record (19, { CallLog::text (portOut), CallLog::text (packetOut) });
    return resultOk;
}

int32_t host::HostControllerObject::SendNotification (uint32_t type, const void* data, uint32_t size)
{
    record (20, { CallLog::text (type), CallLog::text (data), CallLog::text (size) });
    return resultOk;
}

int32_t host::HostControllerObject::GetHybridSignalLatency (int32_t* samplesOut)
{
    record (21, { CallLog::text (samplesOut) });
    write (samplesOut, hybridSignalLatency);
    return resultOk;
}

int32_t host::HostControllerObject::GetCurrentAutomationTimestamp (int64_t* timestampOut)
{
    record (22, { CallLog::text (timestampOut) });
    write (timestampOut, automationTimestamp);
    return resultOk;
}

int32_t host::HostControllerObject::GetHostName (void* hostNameOut)
{
    record (23, { CallLog::text (hostNameOut) });
    return resultOk;
}

int32_t host::HostControllerObject::GetPlugInTargetPlatform (int32_t* platformOut)
{
    record (24, { CallLog::text (platformOut) });
    write (platformOut, targetPlatform);
    return resultOk;
}

int32_t host::HostControllerObject::GetIsAudioSuite (uint8_t* isAudioSuiteOut)
{
    record (25, { CallLog::text (isAudioSuiteOut) });
    write (isAudioSuiteOut, isAudioSuite);
    return resultOk;
}

//==============================================================================
host::HostPageTableController::HostPageTableController (CallLog& log, Versions versions)
    : HostObject ("PageTableController", log)
{
    offerVersions (*this, { uids::IID_IAAXPageTableControllerV1, uids::IID_IAAXPageTableControllerV2 }, versions);
}

int32_t host::HostPageTableController::CopyTableForEffect (int32_t manufacturer, int32_t product, int32_t plugIn,
                                                          uint32_t type, int32_t pageSize, IUnknownSlots* table)
{
    record (3, { CallLog::text (manufacturer), CallLog::text (product), CallLog::text (plugIn), CallLog::text (type),
                 CallLog::text (pageSize), CallLog::text (table) });
    return copyResult;
}

int32_t host::HostPageTableController::CopyTableOfLayoutForEffect (const char* effectID, const char* layout, uint32_t type,
                                                                  int32_t pageSize, IUnknownSlots* table)
{
    record (4, { CallLog::text (effectID), CallLog::text (layout), CallLog::text (type), CallLog::text (pageSize),
                 CallLog::text (table) });
    return copyResult;
}

int32_t host::HostPageTableController::CopyTableForEffectFromFile (const char* path, int32_t encoding, int32_t manufacturer,
                                                                  int32_t product, int32_t plugIn, uint32_t type,
                                                                  int32_t pageSize, IUnknownSlots* table)
{
    record (5, { CallLog::text (path), CallLog::text (encoding), CallLog::text (manufacturer), CallLog::text (product),
                 CallLog::text (plugIn), CallLog::text (type), CallLog::text (pageSize), CallLog::text (table) });
    return copyResult;
}

int32_t host::HostPageTableController::CopyTableOfLayoutFromFile (const char* path, int32_t encoding, const char* layout,
                                                                 uint32_t type, int32_t pageSize, IUnknownSlots* table)
{
    record (6, { CallLog::text (path), CallLog::text (encoding), CallLog::text (layout), CallLog::text (type),
                 CallLog::text (pageSize), CallLog::text (table) });
    return copyResult;
}

//==============================================================================
host::HostTransport::HostTransport (CallLog& log, Versions versions)
    : HostObject ("Transport", log)
{
    offerVersions (*this, { uids::IID_IAAXTransportV1, uids::IID_IAAXTransportV2 }, versions);
}

int32_t host::HostTransport::GetCurrentTempo (double* bpmOut)
{
    record (3, { CallLog::text (bpmOut) });
    write (bpmOut, tempo);
    return resultOk;
}

int32_t host::HostTransport::GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut)
{
    record (4, { CallLog::text (numeratorOut), CallLog::text (denominatorOut) });
    write (numeratorOut, meterNumerator);
    write (denominatorOut, meterDenominator);
    return resultOk;
}

int32_t host::HostTransport::IsTransportPlaying (bool* playingOut)
{
    record (5, { CallLog::text (playingOut) });
    write (playingOut, playing);
    return resultOk;
}

int32_t host::HostTransport::GetCurrentTickPosition (int64_t* ticksOut)
{
    record (6, { CallLog::text (ticksOut) });
    write (ticksOut, tickPosition);
    return resultOk;
}

int32_t host::HostTransport::GetCurrentLoopPosition (bool* loopingOut, int64_t* startOut, int64_t* endOut)
{
    record (7, { CallLog::text (loopingOut), CallLog::text (startOut), CallLog::text (endOut) });
    write (loopingOut, false);
    write<int64_t> (startOut, 0);
    write<int64_t> (endOut, 0);
    return resultOk;
}

int32_t host::HostTransport::GetCurrentNativeSampleLocation (int64_t* sampleOut)
{
    record (8, { CallLog::text (sampleOut) });
    write (sampleOut, sampleLocation);
    return resultOk;
}

int32_t host::HostTransport::GetCustomTickPosition (int64_t* ticksOut, int64_t sample)
{
    record (9, { CallLog::text (ticksOut), CallLog::text (sample) });
    write (ticksOut, tickPosition);
    return resultOk;
}

int32_t host::HostTransport::GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut, int64_t sample)
{
    record (10, { CallLog::text (barsOut), CallLog::text (beatsOut), CallLog::text (displayTicksOut), CallLog::text (sample) });
    write (barsOut, 1);
    write (beatsOut, 1);
    write<int64_t> (displayTicksOut, 0);
    return resultOk;
}

int32_t host::HostTransport::GetTicksPerQuarter (uint32_t* ticksOut)
{
    record (11, { CallLog::text (ticksOut) });
    write<uint32_t> (ticksOut, 960000);
    return resultOk;
}

int32_t host::HostTransport::GetCurrentTicksPerBeat (uint32_t* ticksOut)
{
    record (12, { CallLog::text (ticksOut) });
    write<uint32_t> (ticksOut, 960000);
    return resultOk;
}

int32_t host::HostTransport::GetTimelineSelectionStartPosition (int64_t* sampleOut)
{
    record (13, { CallLog::text (sampleOut) });
    write (sampleOut, sampleLocation);
    return resultOk;
}

int32_t host::HostTransport::GetTimeCodeInfo (int32_t* frameRateOut, int32_t* offsetOut)
{
    record (14, { CallLog::text (frameRateOut), CallLog::text (offsetOut) });
    write (frameRateOut, frameRate);
    write (offsetOut, timeCodeOffset);
    return resultOk;
}

int32_t host::HostTransport::GetFeetFramesInfo (int32_t* rateOut, int64_t* offsetOut)
{
    record (15, { CallLog::text (rateOut), CallLog::text (offsetOut) });
    write (rateOut, 0);
    write<int64_t> (offsetOut, 0);
    return resultOk;
}

int32_t host::HostTransport::IsMetronomeEnabled (int32_t* enabledOut)
{
    record (16, { CallLog::text (enabledOut) });
    write (enabledOut, 0);
    return resultOk;
}

//==============================================================================
host::HostAutomationDelegate::HostAutomationDelegate (CallLog& log, Versions versions)
    : HostObject ("AutomationDelegate", log)
{
    offerVersions (*this, { uids::IID_IAAXAutomationDelegateV1 }, versions);
}

int32_t host::HostAutomationDelegate::RegisterParameter (const char* parameterID)
{
    record (3, { CallLog::text (parameterID) });
    const std::lock_guard<std::mutex> guard (lock);
    registeredIDs.push_back (CallLog::text (parameterID));
    return resultOk;
}

int32_t host::HostAutomationDelegate::UnregisterParameter (const char* parameterID)
{
    record (4, { CallLog::text (parameterID) });
    const std::lock_guard<std::mutex> guard (lock);
    const auto id = CallLog::text (parameterID);
    registeredIDs.erase (std::remove (registeredIDs.begin(), registeredIDs.end(), id), registeredIDs.end());
    return resultOk;
}

int32_t host::HostAutomationDelegate::PostSetValueRequest (const char* parameterID, double normalized)
{
    record (5, { CallLog::text (parameterID), numberText (normalized) });
    const std::lock_guard<std::mutex> guard (lock);
    queue.push_back ({ CallLog::text (parameterID), normalized });
    return resultOk;
}

int32_t host::HostAutomationDelegate::PostCurrentValue (const char* parameterID, double normalized)
{
    record (6, { CallLog::text (parameterID), numberText (normalized) });
    return resultOk;
}

int32_t host::HostAutomationDelegate::PostTouchRequest (const char* parameterID)
{
    record (7, { CallLog::text (parameterID) });
    const std::lock_guard<std::mutex> guard (lock);
    touchedIDs.push_back (CallLog::text (parameterID));
    return resultOk;
}

int32_t host::HostAutomationDelegate::PostReleaseRequest (const char* parameterID)
{
    record (8, { CallLog::text (parameterID) });
    const std::lock_guard<std::mutex> guard (lock);
    const auto touched = std::find (touchedIDs.begin(), touchedIDs.end(), CallLog::text (parameterID));
    if (touched != touchedIDs.end())
        touchedIDs.erase (touched);
    return resultOk;
}

int32_t host::HostAutomationDelegate::GetTouchState (const char* parameterID, uint8_t* touchedOut)
{
    record (9, { CallLog::text (parameterID), CallLog::text (touchedOut) });
    const std::lock_guard<std::mutex> guard (lock);
    const bool touched = std::find (touchedIDs.begin(), touchedIDs.end(), CallLog::text (parameterID)) != touchedIDs.end();
    write<uint8_t> (touchedOut, touched ? 1 : 0);
    return resultOk;
}

std::vector<std::string> host::HostAutomationDelegate::registered() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return registeredIDs;
}

int host::HostAutomationDelegate::pump (void* effectParameters)
{
    std::vector<Request> pending;
    {
        const std::lock_guard<std::mutex> guard (lock);
        pending.swap (queue);
    }

    if (effectParameters == nullptr)
        return 0;

    // Delivered outside the lock: the module answers by posting new requests.
    for (const auto& request : pending)
        callAtPosition<int32_t> (effectParameters, effectParametersUpdateNormalizedValuePosition,
                                 request.parameterID.c_str(), request.normalized, updateSourceUnspecified);
    return static_cast<int> (pending.size());
}

//==============================================================================
host::HostController::HostController (TestHost& host, const Offer& offer)
    : controllerObject (host.adopt (std::make_unique<HostControllerObject> (host.log(), offer.controller))),
      pageTables (host.adopt (std::make_unique<HostPageTableController> (host.log(), offer.pageTableController))),
      transportObject (host.adopt (std::make_unique<HostTransport> (host.log(), offer.transport))),
      automation (host.adopt (std::make_unique<HostAutomationDelegate> (host.log(), offer.automationDelegate)))
{
    // The controller object is the one the module is handed; it answers the
    // other interfaces of the instance by forwarding to their objects.
    forwardVersions (controllerObject, pageTables,
                     { uids::IID_IAAXPageTableControllerV1, uids::IID_IAAXPageTableControllerV2 }, offer.pageTableController);
    forwardVersions (controllerObject, transportObject,
                     { uids::IID_IAAXTransportV1, uids::IID_IAAXTransportV2 }, offer.transport);
    forwardVersions (controllerObject, automation, { uids::IID_IAAXAutomationDelegateV1 }, offer.automationDelegate);

    if (offer.componentFactory)
    {
        controllerObject.forward (uids::IID_IACFComponentFactory, host.factory());
        auto& log = host.log();
        const auto tableVersions = offer.pageTable;
        host.factory().registerClass (uids::AAXCompID_PageTable, [&log, tableVersions] {
            return std::make_unique<HostPageTable> (log, tableVersions);
        });
    }
}

void host::HostController::setEffectParameters (void* effectParameters)
{
    parameters = effectParameters;
    if (effectParameters != nullptr)
        controllerObject.forward (uids::IID_IAAXEffectParametersV1, *static_cast<IUnknownSlots*> (effectParameters));
    else
        controllerObject.stopForwarding (uids::IID_IAAXEffectParametersV1);
}
