// HostEffectInterfaces.h: the host's side of the effect's parameters and window interfaces, by position.
#pragma once

#include "HostRuntimeInterfaces.h"

// Declared from the tables of operations alone, like HostInterfaces.h. Strings
// and chunk records the host hands in are its own objects, opaque here.
namespace host
{
    struct IEffectParametersV1Slots : IUnknownSlots
    {
        virtual int32_t Initialize (IUnknownSlots* controller) = 0;                                        // 3
        virtual int32_t Uninitialize() = 0;                                                                // 4
        virtual int32_t NotificationReceived (uint32_t type, const void* data, uint32_t size) = 0;         // 5
        virtual int32_t GetNumberOfParameters (int32_t* countOut) = 0;                                     // 6
        virtual int32_t GetMasterBypassParameter (void* identifierOut) = 0;                                // 7
        virtual int32_t GetParameterIsAutomatable (const char* id, uint8_t* automatableOut) = 0;           // 8
        virtual int32_t GetParameterNumberOfSteps (const char* id, int32_t* stepsOut) = 0;                 // 9
        virtual int32_t GetParameterName (const char* id, void* nameOut) = 0;                              // 10
        virtual int32_t GetParameterNameOfLength (const char* id, void* nameOut, int32_t length) = 0;      // 11
        virtual int32_t GetParameterDefaultNormalizedValue (const char* id, double* valueOut) = 0;         // 12
        virtual int32_t SetParameterDefaultNormalizedValue (const char* id, double value) = 0;             // 13
        virtual int32_t GetParameterType (const char* id, int32_t* typeOut) = 0;                           // 14
        virtual int32_t GetParameterOrientation (const char* id, int32_t* orientationOut) = 0;             // 15
        virtual int32_t GetParameter (const char* id, void** parameterOut) = 0;                            // 16
        virtual int32_t GetParameterIndex (const char* id, int32_t* indexOut) = 0;                         // 17
        virtual int32_t GetParameterIDFromIndex (int32_t index, void* identifierOut) = 0;                  // 18
        virtual int32_t GetParameterValueInfo (const char* id, int32_t selector, int32_t* valueOut) = 0;   // 19
        virtual int32_t GetParameterValueFromString (const char* id, double* valueOut, const void* text) = 0; // 20
        virtual int32_t GetParameterStringFromValue (const char* id, double value, void* textOut, int32_t maxLength) = 0; // 21
        virtual int32_t GetParameterValueString (const char* id, void* textOut, int32_t maxLength) = 0;    // 22
        virtual int32_t GetParameterNormalizedValue (const char* id, double* valueOut) = 0;                // 23
        virtual int32_t SetParameterNormalizedValue (const char* id, double value) = 0;                    // 24
        virtual int32_t SetParameterNormalizedRelative (const char* id, double delta) = 0;                 // 25
        virtual int32_t TouchParameter (const char* id) = 0;                                               // 26
        virtual int32_t ReleaseParameter (const char* id) = 0;                                             // 27
        virtual int32_t UpdateParameterTouch (const char* id, uint8_t touched) = 0;                        // 28
        virtual int32_t UpdateParameterNormalizedValue (const char* id, double value, int32_t source) = 0; // 29
        virtual int32_t UpdateParameterNormalizedRelative (const char* id, double delta) = 0;              // 30
        virtual int32_t GenerateCoefficients() = 0;                                                        // 31
        virtual int32_t ResetFieldData (int32_t field, void* data, uint32_t size) = 0;                     // 32
        virtual int32_t GetNumberOfChunks (int32_t* countOut) = 0;                                         // 33
        virtual int32_t GetChunkIDFromIndex (int32_t index, uint32_t* chunkIDOut) = 0;                     // 34
        virtual int32_t GetChunkSize (uint32_t chunkID, uint32_t* sizeOut) = 0;                            // 35
        virtual int32_t GetChunk (uint32_t chunkID, void* chunk) = 0;                                      // 36
        virtual int32_t SetChunk (uint32_t chunkID, const void* chunk) = 0;                                // 37
        virtual int32_t CompareActiveChunk (const void* chunk, uint8_t* equalOut) = 0;                     // 38
        virtual int32_t GetNumberOfChanges (int32_t* changesOut) = 0;                                      // 39
        virtual int32_t TimerWakeup() = 0;                                                                 // 40

    protected:
        ~IEffectParametersV1Slots() = default;
    };

    struct IEffectParametersV2Slots : IEffectParametersV1Slots
    {
        virtual int32_t GetCurveData (uint32_t curve, const float* values, uint32_t count, float* valuesOut) = 0; // 41
        virtual int32_t GetCustomData (uint32_t block, uint32_t size, void* data, uint32_t* sizeOut) = 0;  // 42
        virtual int32_t SetCustomData (uint32_t block, uint32_t size, const void* data) = 0;               // 43
        virtual int32_t DoMIDITransfers() = 0;                                                             // 44

    protected:
        ~IEffectParametersV2Slots() = default;
    };

    struct IEffectParametersV3Slots : IEffectParametersV2Slots
    {
        virtual int32_t RenderAudio_Hybrid (void* renderInfo) = 0;                                         // 45
        virtual int32_t UpdateMIDINodes (int32_t field, void* packet) = 0;                                 // 46
        virtual int32_t UpdateControlMIDINodes (uint32_t node, void* packet) = 0;                          // 47

    protected:
        ~IEffectParametersV3Slots() = default;
    };

    struct IEffectParametersV4Slots : IEffectParametersV3Slots
    {
        virtual int32_t GetCurveDataMeterIds (uint32_t curve, uint32_t* xMeterOut, uint32_t* yMeterOut) = 0; // 48
        virtual int32_t GetCurveDataDisplayRange (uint32_t curve, float* xMin, float* xMax, float* yMin, float* yMax) = 0; // 49
        virtual int32_t UpdatePageTable (uint32_t type, int32_t size, IUnknownSlots* host, IUnknownSlots* table) = 0; // 50

    protected:
        ~IEffectParametersV4Slots() = default;
    };

    struct IEffectGUIV1Slots : IUnknownSlots
    {
        virtual int32_t Initialize (IUnknownSlots* controller) = 0;                                        // 3
        virtual int32_t Uninitialize() = 0;                                                                // 4
        virtual int32_t NotificationReceived (uint32_t type, const void* data, uint32_t size) = 0;         // 5
        virtual int32_t SetViewContainer (IUnknownSlots* viewContainer) = 0;                               // 6
        virtual int32_t GetViewSize (ViewSize* sizeOut) = 0;                                               // 7
        virtual int32_t Draw (void* area) = 0;                                                             // 8
        virtual int32_t TimerWakeup() = 0;                                                                 // 9
        virtual int32_t ParameterUpdated (const char* id) = 0;                                             // 10
        virtual int32_t GetCustomLabel (int32_t selector, void* labelOut) = 0;                             // 11
        virtual int32_t SetControlHighlightInfo (const char* id, uint8_t highlighted, int32_t colour) = 0; // 12

    protected:
        ~IEffectGUIV1Slots() = default;
    };
}
