// AAX_IACFEffectParameters.h: the effect-parameters interface the host calls (versions 1 to 4), as tables of operations.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_IParameter.h"
#include "AAX_PlugInChunk.h"
#include "IACFUnknown.h"

class AAX_IString;
struct AAX_CMidiPacket;
struct AAX_SHybridRenderInfo;

/** Version 1: parameters, values and texts, chunks, coefficients. The comment
    after each operation is its position in the host's table. */
class AAX_IACFEffectParameters : public IACFUnknown
{
public:
    // Lifecycle
    virtual AAX_Result Initialize (IACFUnknown* controller) = 0;                                                   // 3
    virtual AAX_Result Uninitialize() = 0;                                                                         // 4
    virtual AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) = 0;              // 5

    // Parameter information
    virtual AAX_Result GetNumberOfParameters (int32_t* numParameters) const = 0;                                   // 6
    virtual AAX_Result GetMasterBypassParameter (AAX_IString* identifier) const = 0;                               // 7
    virtual AAX_Result GetParameterIsAutomatable (AAX_CParamID identifier, AAX_CBoolean* automatable) const = 0;   // 8
    virtual AAX_Result GetParameterNumberOfSteps (AAX_CParamID identifier, int32_t* numSteps) const = 0;           // 9
    virtual AAX_Result GetParameterName (AAX_CParamID identifier, AAX_IString* name) const = 0;                    // 10
    virtual AAX_Result GetParameterNameOfLength (AAX_CParamID identifier, AAX_IString* name, int32_t length) const = 0; // 11
    virtual AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID identifier, double* value) const = 0;      // 12
    virtual AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID identifier, double value) = 0;             // 13
    virtual AAX_Result GetParameterType (AAX_CParamID identifier, AAX_EParameterType* type) const = 0;             // 14
    virtual AAX_Result GetParameterOrientation (AAX_CParamID identifier, AAX_EParameterOrientation* orientation) const = 0; // 15
    virtual AAX_Result GetParameter (AAX_CParamID identifier, AAX_IParameter** parameter) = 0;                     // 16
    virtual AAX_Result GetParameterIndex (AAX_CParamID identifier, int32_t* index) const = 0;                      // 17
    virtual AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* identifier) const = 0;                 // 18
    virtual AAX_Result GetParameterValueInfo (AAX_CParamID identifier, int32_t selector, int32_t* value) const = 0; // 19

    // Values and texts
    virtual AAX_Result GetParameterValueFromString (AAX_CParamID identifier, double* value, const AAX_IString& text) const = 0; // 20
    virtual AAX_Result GetParameterStringFromValue (AAX_CParamID identifier, double value, AAX_IString* text, int32_t maxLength) const = 0; // 21
    virtual AAX_Result GetParameterValueString (AAX_CParamID identifier, AAX_IString* text, int32_t maxLength) const = 0; // 22
    virtual AAX_Result GetParameterNormalizedValue (AAX_CParamID identifier, double* value) const = 0;             // 23
    virtual AAX_Result SetParameterNormalizedValue (AAX_CParamID identifier, double value) = 0;                    // 24
    virtual AAX_Result SetParameterNormalizedRelative (AAX_CParamID identifier, double delta) = 0;                 // 25

    // Automation
    virtual AAX_Result TouchParameter (AAX_CParamID identifier) = 0;                                               // 26
    virtual AAX_Result ReleaseParameter (AAX_CParamID identifier) = 0;                                             // 27
    virtual AAX_Result UpdateParameterTouch (AAX_CParamID identifier, AAX_CBoolean touchState) = 0;                // 28
    virtual AAX_Result UpdateParameterNormalizedValue (AAX_CParamID identifier, double value, AAX_EUpdateSource source) = 0; // 29
    virtual AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID identifier, double delta) = 0;              // 30
    virtual AAX_Result GenerateCoefficients() = 0;                                                                 // 31
    virtual AAX_Result ResetFieldData (AAX_CFieldIndex fieldIndex, void* data, uint32_t dataSize) const = 0;       // 32

    // Chunks
    virtual AAX_Result GetNumberOfChunks (int32_t* numChunks) const = 0;                                           // 33
    virtual AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* chunkID) const = 0;                        // 34
    virtual AAX_Result GetChunkSize (AAX_CTypeID chunkID, uint32_t* size) const = 0;                               // 35
    virtual AAX_Result GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const = 0;                          // 36
    virtual AAX_Result SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) = 0;                          // 37
    virtual AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) const = 0;        // 38
    virtual AAX_Result GetNumberOfChanges (int32_t* numChanges) const = 0;                                         // 39

    virtual AAX_Result TimerWakeup() = 0;                                                                          // 40

protected:
    ~AAX_IACFEffectParameters() = default;
};

/** Version 2: curve data, custom data and MIDI transfers. */
class AAX_IACFEffectParameters_V2 : public AAX_IACFEffectParameters
{
public:
    virtual AAX_Result GetCurveData (AAX_CTypeID curveType, const float* values, uint32_t numValues, float* outValues) const = 0; // 41
    virtual AAX_Result GetCustomData (AAX_CTypeID dataBlockID, uint32_t size, void* data, uint32_t* sizeOut) const = 0; // 42
    virtual AAX_Result SetCustomData (AAX_CTypeID dataBlockID, uint32_t size, const void* data) = 0;               // 43
    virtual AAX_Result DoMIDITransfers() = 0;                                                                      // 44

protected:
    ~AAX_IACFEffectParameters_V2() = default;
};

/** Version 3: hybrid rendering and MIDI nodes. */
class AAX_IACFEffectParameters_V3 : public AAX_IACFEffectParameters_V2
{
public:
    virtual AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* renderInfo) = 0;                                 // 45
    virtual AAX_Result UpdateMIDINodes (AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) = 0;                  // 46
    virtual AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& packet) = 0;                   // 47

protected:
    ~AAX_IACFEffectParameters_V3() = default;
};

/** Version 4: curve meters and ranges, page tables. */
class AAX_IACFEffectParameters_V4 : public AAX_IACFEffectParameters_V3
{
public:
    virtual AAX_Result GetCurveDataMeterIds (AAX_CTypeID curveType, uint32_t* xMeterID, uint32_t* yMeterID) const = 0; // 48
    virtual AAX_Result GetCurveDataDisplayRange (AAX_CTypeID curveType, float* xMin, float* xMax, float* yMin, float* yMax) const = 0; // 49
    virtual AAX_Result UpdatePageTable (uint32_t tableType, int32_t tableSize, IACFUnknown* hostUnknown,
                                        IACFUnknown* pageTableUnknown) const = 0;                                  // 50

protected:
    ~AAX_IACFEffectParameters_V4() = default;
};
