// AAX_CEffectParameters: the plug-in side of an effect's parameters object: registry, host operations, controls chunk.
#pragma once

#include "AAX_CChunkDataParser.h"
#include "AAX_CMutex.h"
#include "AAX_CPacketDispatcher.h"
#include "AAX_CParameter.h"
#include "AAX_CParameterManager.h"
#include "AAX_Errors.h"
#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_ITransport.h"

#include <memory>
#include <set>
#include <string>

class AAX_IPageTable;
class AAX_VAutomationDelegate;
class AAX_VController;
class AAX_VTransport;

/** The identifier of the bypass parameter that hosts look for. */
inline constexpr const char* cDefaultMasterBypassID = "MasterBypassID";
/** The identifier of a parameter that follows the host's preview state. */
inline constexpr const char* cPreviewID = "PreviewID";
/** The controls chunk: every parameter's value but the bypass's. */
inline constexpr AAX_CTypeID ControlsChunkID = 'elck';
inline constexpr const char* cControlsChunkName = "Complete Controls State";

/** The base of an effect's parameters object. A derived class publishes its
    parameters in EffectInit; every host operation below has a working default
    that such a class may replace. Unknown identifiers answer
    AAX_ERROR_INVALID_PARAMETER_ID unless an operation says otherwise. */
class AAX_CEffectParameters : public AAX_IEffectParameters
{
public:
    AAX_CEffectParameters();
    ~AAX_CEffectParameters() override;

    AAX_CEffectParameters (const AAX_CEffectParameters&) = delete;
    AAX_CEffectParameters& operator= (const AAX_CEffectParameters&) = delete;

    // Lifecycle ---------------------------------------------------------------
    /** Wraps the host's controller, transport and automation delegate, then
        calls EffectInit. A second call first undoes the first. */
    AAX_Result Initialize (IACFUnknown* controller) override;
    /** Deletes the parameters (which unregister from the host), then the wrappers. */
    AAX_Result Uninitialize() override;
    /** Follows the preview state with a "PreviewID" parameter, if there is one. */
    AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override;

    // Parameter information ---------------------------------------------------
    AAX_Result GetNumberOfParameters (int32_t* numParameters) const override;
    /** cDefaultMasterBypassID when such a parameter is registered, else "". */
    AAX_Result GetMasterBypassParameter (AAX_IString* identifier) const override;
    AAX_Result GetParameterIsAutomatable (AAX_CParamID identifier, AAX_CBoolean* automatable) const override;
    /** AAX_ERROR_SIGNED_INT_OVERFLOW for a count beyond the signed range. */
    AAX_Result GetParameterNumberOfSteps (AAX_CParamID identifier, int32_t* numSteps) const override;
    /** An unknown identifier gives "" and succeeds. */
    AAX_Result GetParameterName (AAX_CParamID identifier, AAX_IString* name) const override;
    /** The best of the parameter's names for `length` characters; see the source. */
    AAX_Result GetParameterNameOfLength (AAX_CParamID identifier, AAX_IString* name, int32_t length) const override;
    AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID identifier, double* value) const override;
    AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID identifier, double value) override;
    AAX_Result GetParameterType (AAX_CParamID identifier, AAX_EParameterType* type) const override;
    AAX_Result GetParameterOrientation (AAX_CParamID identifier, AAX_EParameterOrientation* orientation) const override;
    AAX_Result GetParameter (AAX_CParamID identifier, AAX_IParameter** parameter) override;
    AAX_Result GetParameterIndex (AAX_CParamID identifier, int32_t* index) const override;
    AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* identifier) const override;
    AAX_Result GetParameterValueInfo (AAX_CParamID identifier, int32_t selector, int32_t* value) const override;

    // Values and texts --------------------------------------------------------
    AAX_Result GetParameterValueFromString (AAX_CParamID identifier, double* value, const AAX_IString& text) const override;
    AAX_Result GetParameterStringFromValue (AAX_CParamID identifier, double value, AAX_IString* text, int32_t maxLength) const override;
    AAX_Result GetParameterValueString (AAX_CParamID identifier, AAX_IString* text, int32_t maxLength) const override;
    AAX_Result GetParameterNormalizedValue (AAX_CParamID identifier, double* value) const override;
    /** A request: with the host's automation in place the value changes when the host confirms it. */
    AAX_Result SetParameterNormalizedValue (AAX_CParamID identifier, double value) override;
    /** Current value plus delta, clamped to [0, 1]. */
    AAX_Result SetParameterNormalizedRelative (AAX_CParamID identifier, double delta) override;

    // Automation --------------------------------------------------------------
    AAX_Result TouchParameter (AAX_CParamID identifier) override;
    AAX_Result ReleaseParameter (AAX_CParamID identifier) override;
    AAX_Result UpdateParameterTouch (AAX_CParamID identifier, AAX_CBoolean touchState) override;
    /** The host's confirmed value: stored, its packets marked, a change counted. */
    AAX_Result UpdateParameterNormalizedValue (AAX_CParamID identifier, double value, AAX_EUpdateSource source) override;
    AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID identifier, double delta) override;
    /** Posts every changed packet to the host. */
    AAX_Result GenerateCoefficients() override;
    /** Zero-fills the field's data. */
    AAX_Result ResetFieldData (AAX_CFieldIndex fieldIndex, void* data, uint32_t dataSize) const override;

    // Chunks: the controls chunk at index 0 --------------------------------------
    AAX_Result GetNumberOfChunks (int32_t* numChunks) const override;
    AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* chunkID) const override;
    /** Builds the controls chunk's list and remembers its size for GetChunk. */
    AAX_Result GetChunkSize (AAX_CTypeID chunkID, uint32_t* size) const override;
    /** Answers AAX_ERROR_INCORRECT_CHUNK_SIZE, writing nothing, unless the
        data size is still the one the last GetChunkSize answered. */
    AAX_Result GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const override;
    AAX_Result SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk) override;
    /** A chunk other than the controls chunk counts as equal. */
    AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) const override;
    /** How many confirmed values changed a parameter so far. */
    AAX_Result GetNumberOfChanges (int32_t* numChanges) const override;

    // Features this base does not offer ----------------------------------------
    AAX_Result TimerWakeup() override;
    AAX_Result GetCurveData (AAX_CTypeID curveType, const float* values, uint32_t numValues, float* outValues) const override;
    AAX_Result GetCustomData (AAX_CTypeID dataBlockID, uint32_t size, void* data, uint32_t* sizeOut) const override;
    AAX_Result SetCustomData (AAX_CTypeID dataBlockID, uint32_t size, const void* data) override;
    AAX_Result DoMIDITransfers() override;
    AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* renderInfo) override;
    AAX_Result UpdateMIDINodes (AAX_CFieldIndex fieldIndex, AAX_CMidiPacket& packet) override;
    AAX_Result UpdateControlMIDINodes (AAX_CTypeID nodeID, AAX_CMidiPacket& packet) override;
    AAX_Result GetCurveDataMeterIds (AAX_CTypeID curveType, uint32_t* xMeterID, uint32_t* yMeterID) const override;
    AAX_Result GetCurveDataDisplayRange (AAX_CTypeID curveType, float* xMin, float* xMax, float* yMin, float* yMax) const override;
    /** Wraps the host's page table and hands it to the page-table hook below. */
    AAX_Result UpdatePageTable (uint32_t tableType, int32_t tableSize, IACFUnknown* hostUnknown,
                                IACFUnknown* pageTableUnknown) const override;

    /** Answers the four versions of the effect-parameters interface. */
    acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut) override;

    // Hooks for the plug-in -----------------------------------------------------
    /** Publishes the effect's parameters; a non-zero result fails Initialize. */
    virtual AAX_Result EffectInit();
    virtual AAX_Result UpdatePageTable (uint32_t tableType, int32_t tableSize, AAX_IPageTable& table) const;

    /** Null before Initialize and after Uninitialize. */
    AAX_IController* Controller() noexcept;
    const AAX_IController* Controller() const noexcept;
    AAX_ITransport* Transport() noexcept;
    const AAX_ITransport* Transport() const noexcept;

protected:
    int32_t mNumPlugInChanges = 0;
    mutable int32_t mChunkSize = 0;
    mutable AAX_CChunkDataParser mChunkParser;
    AAX_CPacketDispatcher mPacketDispatcher;
    AAX_CParameterManager mParameterManager;
    /** Parameters left out of the controls chunk. */
    std::set<std::string> mFilteredParameters;

private:
    void releaseHostObjects();
    void buildControlsChunk() const;
    bool isFilteredOut (const AAX_IParameter& parameter) const;
    /** Whether the chunk's stored value for the parameter equals its current value. */
    bool storedValueEquals (const AAX_IParameter& parameter) const;
    /** Restores the parameter from the loaded chunk, when it holds a value of the parameter's kind. */
    void restoreFromChunk (AAX_IParameter& parameter);

    std::unique_ptr<AAX_VController> mController;
    std::unique_ptr<AAX_VTransport> mTransport;
    std::unique_ptr<AAX_VAutomationDelegate> mAutomationDelegate;
    // Hosts may ask for chunks on several threads; the parser is shared.
    mutable AAX_CMutex mChunkMutex;
};
