// HostRuntimeInterfaces.h: the host's side of the run-time interfaces (controller, page tables, transport, view container, automation), by position.
#pragma once

#include "HostInterfaces.h"

// Declared from the tables of operations alone, like HostInterfaces.h: the
// module's wrappers reach these objects only by position. Strings the module
// hands in for the host to fill are opaque here.
namespace host
{
    struct IControllerV1Slots : IUnknownSlots
    {
        virtual int32_t GetEffectID (void* effectIDOut) = 0;                                         // 3
        virtual int32_t GetSampleRate (float* sampleRateOut) = 0;                                    // 4
        virtual int32_t GetInputStemFormat (int32_t* stemFormatOut) = 0;                             // 5
        virtual int32_t GetOutputStemFormat (int32_t* stemFormatOut) = 0;                            // 6
        virtual int32_t GetSignalLatency (int32_t* samplesOut) = 0;                                  // 7
        virtual int32_t GetCycleCount (int32_t property, int32_t* valueOut) = 0;                     // 8
        virtual int32_t GetTODLocation (uint64_t* timeOfDayOut) = 0;                                 // 9
        virtual int32_t SetSignalLatency (uint32_t samples) = 0;                                     // 10
        virtual int32_t SetCycleCount (int32_t* properties, int32_t* values, uint32_t count) = 0;    // 11
        virtual int32_t PostPacket (int32_t fieldIndex, const void* payload, uint32_t size) = 0;     // 12
        virtual int32_t GetCurrentMeterValue (uint32_t meterID, float* valueOut) = 0;                // 13
        virtual int32_t GetMeterPeakValue (uint32_t meterID, float* valueOut) = 0;                   // 14
        virtual int32_t ClearMeterPeakValue (uint32_t meterID) = 0;                                  // 15
        virtual int32_t GetMeterClipped (uint32_t meterID, uint8_t* clippedOut) = 0;                 // 16
        virtual int32_t ClearMeterClipped (uint32_t meterID) = 0;                                    // 17
        virtual int32_t GetMeterCount (uint32_t* countOut) = 0;                                      // 18
        virtual int32_t GetNextMIDIPacket (int32_t* portOut, void* packetOut) = 0;                   // 19

    protected:
        ~IControllerV1Slots() = default;
    };

    struct IControllerV2Slots : IControllerV1Slots
    {
        virtual int32_t SendNotification (uint32_t type, const void* data, uint32_t size) = 0;       // 20
        virtual int32_t GetHybridSignalLatency (int32_t* samplesOut) = 0;                            // 21
        virtual int32_t GetCurrentAutomationTimestamp (int64_t* timestampOut) = 0;                   // 22
        virtual int32_t GetHostName (void* hostNameOut) = 0;                                         // 23

    protected:
        ~IControllerV2Slots() = default;
    };

    struct IControllerV3Slots : IControllerV2Slots
    {
        virtual int32_t GetPlugInTargetPlatform (int32_t* platformOut) = 0;                          // 24
        virtual int32_t GetIsAudioSuite (uint8_t* isAudioSuiteOut) = 0;                              // 25

    protected:
        ~IControllerV3Slots() = default;
    };

    // Each fills `table`, an empty page table the module made through the factory.
    struct IPageTableControllerV1Slots : IUnknownSlots
    {
        virtual int32_t CopyTableForEffect (int32_t manufacturer, int32_t product, int32_t plugIn, uint32_t type,
                                            int32_t pageSize, IUnknownSlots* table) = 0;                          // 3
        virtual int32_t CopyTableOfLayoutForEffect (const char* effectID, const char* layout, uint32_t type,
                                                    int32_t pageSize, IUnknownSlots* table) = 0;                  // 4

    protected:
        ~IPageTableControllerV1Slots() = default;
    };

    struct IPageTableControllerV2Slots : IPageTableControllerV1Slots
    {
        virtual int32_t CopyTableForEffectFromFile (const char* path, int32_t encoding, int32_t manufacturer, int32_t product,
                                                    int32_t plugIn, uint32_t type, int32_t pageSize, IUnknownSlots* table) = 0; // 5
        virtual int32_t CopyTableOfLayoutFromFile (const char* path, int32_t encoding, const char* layout, uint32_t type,
                                                   int32_t pageSize, IUnknownSlots* table) = 0;                   // 6

    protected:
        ~IPageTableControllerV2Slots() = default;
    };

    struct ITransportV1Slots : IUnknownSlots
    {
        virtual int32_t GetCurrentTempo (double* bpmOut) = 0;                                        // 3
        virtual int32_t GetCurrentMeter (int32_t* numeratorOut, int32_t* denominatorOut) = 0;        // 4
        virtual int32_t IsTransportPlaying (bool* playingOut) = 0;                                   // 5
        virtual int32_t GetCurrentTickPosition (int64_t* ticksOut) = 0;                              // 6
        virtual int32_t GetCurrentLoopPosition (bool* loopingOut, int64_t* startOut, int64_t* endOut) = 0; // 7
        virtual int32_t GetCurrentNativeSampleLocation (int64_t* sampleOut) = 0;                     // 8
        virtual int32_t GetCustomTickPosition (int64_t* ticksOut, int64_t sample) = 0;               // 9
        virtual int32_t GetBarBeatPosition (int32_t* barsOut, int32_t* beatsOut, int64_t* displayTicksOut, int64_t sample) = 0; // 10
        virtual int32_t GetTicksPerQuarter (uint32_t* ticksOut) = 0;                                 // 11
        virtual int32_t GetCurrentTicksPerBeat (uint32_t* ticksOut) = 0;                             // 12

    protected:
        ~ITransportV1Slots() = default;
    };

    struct ITransportV2Slots : ITransportV1Slots
    {
        virtual int32_t GetTimelineSelectionStartPosition (int64_t* sampleOut) = 0;                  // 13
        virtual int32_t GetTimeCodeInfo (int32_t* frameRateOut, int32_t* offsetOut) = 0;            // 14
        virtual int32_t GetFeetFramesInfo (int32_t* rateOut, int64_t* offsetOut) = 0;                // 15
        virtual int32_t IsMetronomeEnabled (int32_t* enabledOut) = 0;                                // 16

    protected:
        ~ITransportV2Slots() = default;
    };

    struct ViewSize
    {
        float vert;
        float horz;
    };

    struct IViewContainerV1Slots : IUnknownSlots
    {
        virtual int32_t GetType() = 0;                                                               // 3
        virtual void* GetPtr() = 0;                                                                  // 4
        virtual int32_t GetModifiers (uint32_t* modifiersOut) = 0;                                   // 5
        virtual int32_t SetViewSize (const ViewSize& size) = 0;                                      // 6
        virtual int32_t HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) = 0;  // 7
        virtual int32_t HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) = 0;  // 8
        virtual int32_t HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) = 0;    // 9

    protected:
        ~IViewContainerV1Slots() = default;
    };

    struct IViewContainerV2Slots : IViewContainerV1Slots
    {
        virtual int32_t HandleMultipleParametersMouseDown (const char* const* ids, uint32_t count, uint32_t modifiers) = 0; // 10
        virtual int32_t HandleMultipleParametersMouseDrag (const char* const* ids, uint32_t count, uint32_t modifiers) = 0; // 11
        virtual int32_t HandleMultipleParametersMouseUp (const char* const* ids, uint32_t count, uint32_t modifiers) = 0;   // 12

    protected:
        ~IViewContainerV2Slots() = default;
    };

    struct IPageTableV1Slots : IUnknownSlots
    {
        virtual int32_t Clear() = 0;                                                                 // 3
        virtual int32_t Empty (uint8_t* emptyOut) = 0;                                               // 4
        virtual int32_t GetNumPages (int32_t* countOut) = 0;                                         // 5
        virtual int32_t InsertPage (int32_t page) = 0;                                               // 6
        virtual int32_t RemovePage (int32_t page) = 0;                                               // 7
        virtual int32_t GetNumMappedParameterIDs (int32_t page, int32_t* countOut) = 0;              // 8
        virtual int32_t ClearMappedParameter (int32_t page, int32_t index) = 0;                      // 9
        virtual int32_t GetMappedParameterID (int32_t page, int32_t index, void* idOut) = 0;         // 10
        virtual int32_t MapParameterID (const char* parameterID, int32_t page, int32_t index) = 0;   // 11

    protected:
        ~IPageTableV1Slots() = default;
    };

    struct IPageTableV2Slots : IPageTableV1Slots
    {
        virtual int32_t GetNumParametersWithNameVariations (int32_t* countOut) = 0;                  // 12
        virtual int32_t GetNameVariationParameterIDAtIndex (int32_t index, void* idOut) = 0;         // 13
        virtual int32_t GetNumNameVariationsForParameter (const char* parameterID, int32_t* countOut) = 0; // 14
        virtual int32_t GetParameterNameVariationAtIndex (const char* parameterID, int32_t index, void* nameOut, int32_t* lengthOut) = 0; // 15
        virtual int32_t GetParameterNameVariationOfLength (const char* parameterID, int32_t length, void* nameOut) = 0; // 16
        virtual int32_t ClearParameterNameVariations() = 0;                                          // 17
        virtual int32_t ClearNameVariationsForParameter (const char* parameterID) = 0;               // 18
        virtual int32_t SetParameterNameVariation (const char* parameterID, const void* name, int32_t length) = 0; // 19

    protected:
        ~IPageTableV2Slots() = default;
    };

    struct IAutomationDelegateV1Slots : IUnknownSlots
    {
        virtual int32_t RegisterParameter (const char* parameterID) = 0;                             // 3
        virtual int32_t UnregisterParameter (const char* parameterID) = 0;                           // 4
        virtual int32_t PostSetValueRequest (const char* parameterID, double normalized) = 0;        // 5
        virtual int32_t PostCurrentValue (const char* parameterID, double normalized) = 0;           // 6
        virtual int32_t PostTouchRequest (const char* parameterID) = 0;                              // 7
        virtual int32_t PostReleaseRequest (const char* parameterID) = 0;                            // 8
        virtual int32_t GetTouchState (const char* parameterID, uint8_t* touchedOut) = 0;            // 9

    protected:
        ~IAutomationDelegateV1Slots() = default;
    };

    // Calls the operation at `position` of a module object's table, the way a
    // host reaches interfaces it has no declaration for.
    template <typename Result, typename... Args>
    Result callAtPosition (void* object, int position, Args... args)
    {
        using Operation = Result (*) (void*, Args...);
        const auto table = *static_cast<Operation* const*> (object);
        return table[position] (object, args...);
    }

    // Where the host confirms an automated value on an effect-parameters object.
    constexpr int effectParametersUpdateNormalizedValuePosition = 29;
}
