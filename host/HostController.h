// HostController.h: the host's side of one effect instance: controller, page-table controller, transport and automation delegate.
#pragma once

#include "HostRuntimeInterfaces.h"
#include "HostVersions.h"
#include "TestHost.h"

#include <mutex>
#include <string>
#include <vector>

namespace host
{
    // Answers of the instance's controller; tests set them before the module asks.
    class HostControllerObject final : public HostObject<IControllerV3Slots>
    {
    public:
        HostControllerObject (CallLog& log, Versions versions);

        float sampleRate = 48000.0f;
        int32_t inputStemFormat = 0x00010002; // stereo
        int32_t outputStemFormat = 0x00010002;
        int32_t signalLatency = 0;
        int32_t hybridSignalLatency = 0;
        int64_t automationTimestamp = 0;
        int32_t targetPlatform = 1;
        uint8_t isAudioSuite = 0;

        int32_t GetEffectID (void* effectIDOut) override;
        int32_t GetSampleRate (float* sampleRateOut) override;
        int32_t GetInputStemFormat (int32_t* stemFormatOut) override;
        int32_t GetOutputStemFormat (int32_t* stemFormatOut) override;
        int32_t GetSignalLatency (int32_t* samplesOut) override;
        int32_t GetCycleCount (int32_t property, int32_t* valueOut) override;
        int32_t GetTODLocation (uint64_t* timeOfDayOut) override;
        int32_t SetSignalLatency (uint32_t samples) override;
        int32_t SetCycleCount (int32_t* properties, int32_t* values, uint32_t count) override;
        int32_t PostPacket (int32_t fieldIndex, const void* payload, uint32_t size) override;
        int32_t GetCurrentMeterValue (uint32_t meterID, float* valueOut) override;
        int32_t GetMeterPeakValue (uint32_t meterID, float* valueOut) override;
        int32_t ClearMeterPeakValue (uint32_t meterID) override;
        int32_t GetMeterClipped (uint32_t meterID, uint8_t* clippedOut) override;
        int32_t ClearMeterClipped (uint32_t meterID) override;
        int32_t GetMeterCount (uint32_t* countOut) override;
        int32_t GetNextMIDIPacket (int32_t* portOut, void* packetOut) override;
        int32_t SendNotification (uint32_t type, const void* data, uint32_t size) override;
        int32_t GetHybridSignalLatency (int32_t* samplesOut) override;
        int32_t GetCurrentAutomationTimestamp (int64_t* timestampOut) override;
        int32_t GetHostName (void* hostNameOut) override;
        int32_t GetPlugInTargetPlatform (int32_t* platformOut) override;
        int32_t GetIsAudioSuite (uint8_t* isAudioSuiteOut) override;
    };

    // Fills nothing: it records the request and answers `copyResult`.
    class HostPageTableController final : public HostObject<IPageTableControllerV2Slots>
    {
    public:
        HostPageTableController (CallLog& log, Versions versions);

        int32_t copyResult = resultOk;

        int32_t CopyTableForEffect (int32_t manufacturer, int32_t product, int32_t plugIn, uint32_t type,
                                    int32_t pageSize, IUnknownSlots* table) override;
        int32_t CopyTableOfLayoutForEffect (const char* effectID, const char* layout, uint32_t type,
                                            int32_t pageSize, IUnknownSlots* table) override;
        int32_t CopyTableForEffectFromFile (const char* path, int32_t encoding, int32_t manufacturer, int32_t product,
                                            int32_t plugIn, uint32_t type, int32_t pageSize, IUnknownSlots* table) override;
        int32_t CopyTableOfLayoutFromFile (const char* path, int32_t encoding, const char* layout, uint32_t type,
                                           int32_t pageSize, IUnknownSlots* table) override;
    };

    class HostTransport final : public HostObject<ITransportV2Slots>
    {
    public:
        HostTransport (CallLog& log, Versions versions);

        double tempo = 120.0;
        int32_t meterNumerator = 4;
        int32_t meterDenominator = 4;
        bool playing = false;
        int64_t tickPosition = 0;
        int64_t sampleLocation = 0;
        int32_t frameRate = 0; // undeclared
        int32_t timeCodeOffset = 0;

        int32_t GetCurrentTempo (double* bpmOut) override;
        int32_t GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut) override;
        int32_t IsTransportPlaying (bool* playingOut) override;
        int32_t GetCurrentTickPosition (int64_t* ticksOut) override;
        int32_t GetCurrentLoopPosition (bool* loopingOut, int64_t* startOut, int64_t* endOut) override;
        int32_t GetCurrentNativeSampleLocation (int64_t* sampleOut) override;
        int32_t GetCustomTickPosition (int64_t* ticksOut, int64_t sample) override;
        int32_t GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut, int64_t sample) override;
        int32_t GetTicksPerQuarter (uint32_t* ticksOut) override;
        int32_t GetCurrentTicksPerBeat (uint32_t* ticksOut) override;
        int32_t GetTimelineSelectionStartPosition (int64_t* sampleOut) override;
        int32_t GetTimeCodeInfo (int32_t* frameRateOut, int32_t* offsetOut) override;
        int32_t GetFeetFramesInfo (int32_t* rateOut, int64_t* offsetOut) override;
        int32_t IsMetronomeEnabled (int32_t* enabledOut) override;
    };

    // Set requests wait in a queue until the test pumps them back to the
    // instance's parameters object, as a host confirms automation later.
    class HostAutomationDelegate final : public HostObject<IAutomationDelegateV1Slots>
    {
    public:
        HostAutomationDelegate (CallLog& log, Versions versions);

        int32_t RegisterParameter (const char* parameterID) override;
        int32_t UnregisterParameter (const char* parameterID) override;
        int32_t PostSetValueRequest (const char* parameterID, double normalized) override;
        int32_t PostCurrentValue (const char* parameterID, double normalized) override;
        int32_t PostTouchRequest (const char* parameterID) override;
        int32_t PostReleaseRequest (const char* parameterID) override;
        int32_t GetTouchState (const char* parameterID, uint8_t* touchedOut) override;

        // Identifiers registered now, in registration order.
        std::vector<std::string> registered() const;
        // Delivers each queued request, oldest first, to the parameters
        // object's UpdateParameterNormalizedValue; answers how many were delivered.
        int pump (void* effectParameters);

    private:
        struct Request
        {
            std::string parameterID;
            double normalized;
        };

        mutable std::mutex lock;
        std::vector<std::string> registeredIDs;
        std::vector<std::string> touchedIDs;
        std::vector<Request> queue;
    };

    // One effect instance's host objects, wired as the host hands them over:
    // the controller object answers every run-time interface the module asks
    // it for, the component factory (for page tables) and the instance's own
    // effect-parameters object.
    class HostController
    {
    public:
        struct Offer
        {
            Versions controller = Versions::all;
            Versions pageTableController = Versions::all;
            Versions transport = Versions::all;
            Versions automationDelegate = Versions::all;
            Versions pageTable = Versions::all; // of the tables the factory makes
            bool componentFactory = true;
        };

        explicit HostController (TestHost& host) : HostController (host, Offer {}) {}
        HostController (TestHost& host, const Offer& offer);

        // What the module's wrappers are built on.
        IUnknownSlots* unknown() noexcept { return &controllerObject.unknown(); }

        HostControllerObject& controller() noexcept { return controllerObject; }
        HostPageTableController& pageTableController() noexcept { return pageTables; }
        HostTransport& transport() noexcept { return transportObject; }
        HostAutomationDelegate& automationDelegate() noexcept { return automation; }

        // Lookups of the effect-parameters interface answer `effectParameters`
        // (a module object the test keeps alive), and pumping delivers to it;
        // null ends both, so nothing reaches an object that is gone.
        void setEffectParameters (void* effectParameters);
        int pumpAutomation() { return automation.pump (parameters); }

    private:
        HostControllerObject& controllerObject;
        HostPageTableController& pageTables;
        HostTransport& transportObject;
        HostAutomationDelegate& automation;
        void* parameters = nullptr;
    };
}
