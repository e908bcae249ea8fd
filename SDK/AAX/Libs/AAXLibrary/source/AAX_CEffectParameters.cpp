// AAX_CEffectParameters: the host operations of an effect's parameters object and its controls chunk.
#include "AAX_CEffectParameters.h"

#include "AAX_UIDs.h"
#include "AAX_VAutomationDelegate.h"
#include "AAX_VController.h"
#include "AAX_VPageTable.h"
#include "AAX_VTransport.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

namespace
{
    // The longest parameter name, in bytes, from which name variants are taken.
    constexpr size_t maxNameVariantsLength = 255;

    // Chunk values are doubles; float parameters take them narrowed. Values
    // beyond the float range land on its ends rather than overflowing.
    float narrowToFloat (double value) noexcept
    {
        if (std::isnan (value))
            return std::numeric_limits<float>::quiet_NaN();

        const double largest = std::numeric_limits<float>::max();
        return static_cast<float> (std::clamp (value, -largest, largest));
    }

    double clampNormalized (double value) noexcept { return std::clamp (value, 0.0, 1.0); }

    // Hands the identifier's parameter to `use` and answers its result; an
    // unknown identifier answers AAX_ERROR_INVALID_PARAMETER_ID. A const
    // registry gives a const parameter.
    template <typename Registry, typename Use>
    AAX_Result withParameter (Registry& registry, AAX_CParamID identifier, Use&& use)
    {
        auto* parameter = registry.GetParameterByID (identifier);
        return parameter != nullptr ? use (*parameter) : AAX_ERROR_INVALID_PARAMETER_ID;
    }

    // The same for an operation that answers into `out`: a null out pointer
    // answers AAX_ERROR_NULL_ARGUMENT before the parameter is looked up.
    template <typename Out, typename Use>
    AAX_Result answerFromParameter (const AAX_CParameterManager& registry, AAX_CParamID identifier, Out* out, Use&& use)
    {
        if (out == nullptr)
            return AAX_ERROR_NULL_ARGUMENT;

        return withParameter (registry, identifier, [&] (const AAX_IParameter& parameter) { return use (parameter, *out); });
    }

    // An operation that reads one property of the parameter into `out`.
    template <typename Out, typename Read>
    AAX_Result readParameter (const AAX_CParameterManager& registry, AAX_CParamID identifier, Out* out, Read&& read)
    {
        return answerFromParameter (registry, identifier, out, [&] (const AAX_IParameter& parameter, Out& answer) {
            answer = read (parameter);
            return AAX_SUCCESS;
        });
    }

    // An operation that acts on the parameter and cannot fail once it is found.
    template <typename Act>
    AAX_Result actOnParameter (AAX_CParameterManager& registry, AAX_CParamID identifier, Act&& act)
    {
        return withParameter (registry, identifier, [&] (AAX_IParameter& parameter) {
            act (parameter);
            return AAX_SUCCESS;
        });
    }

    // Texts are made aside and copied out only on success, so a failure leaves the host's string as it was.
    template <typename Make>
    AAX_Result answerText (AAX_IString& text, Make&& make)
    {
        AAX_CString made;

        if (! make (made))
            return AAX_ERROR_INVALID_STRING_CONVERSION;

        text = made;
        return AAX_SUCCESS;
    }

    // The longest line of `text` (lines split at line feeds) that is not empty
    // and has at most `length` characters; the first of equal ones. Empty when none fits.
    std::string_view longestLineWithin (std::string_view text, int32_t length)
    {
        std::string_view best;

        for (size_t start = 0; start <= text.size();)
        {
            const auto end = std::min (text.find ('\n', start), text.size());
            const auto line = text.substr (start, end - start);

            if (! line.empty() && line.size() <= static_cast<size_t> (std::max (length, 0)) && line.size() > best.size())
                best = line;

            start = end + 1;
        }

        return best;
    }
}

//==============================================================================
AAX_CEffectParameters::AAX_CEffectParameters() = default;

AAX_CEffectParameters::~AAX_CEffectParameters()
{
    // A host that releases the object without Uninitialize still gets every
    // parameter unregistered and every reference returned.
    releaseHostObjects();
}

void AAX_CEffectParameters::releaseHostObjects()
{
    // The dispatcher lets go first: a coefficient request on another thread
    // then either finishes before anything is deleted or finds no controller.
    mPacketDispatcher.Initialize (nullptr, this);
    // Parameters next: each unregisters itself from the automation delegate.
    mParameterManager.RemoveAllParameters();
    mParameterManager.Initialize (nullptr);
    mController.reset();
    mAutomationDelegate.reset();
    mTransport.reset();
}

//==============================================================================
AAX_Result AAX_CEffectParameters::Initialize (IACFUnknown* controller)
{
    if (mController != nullptr)
        releaseHostObjects();

    mController = std::make_unique<AAX_VController> (controller);
    mAutomationDelegate = std::make_unique<AAX_VAutomationDelegate> (controller);
    mTransport = std::make_unique<AAX_VTransport> (controller);

    mParameterManager.Initialize (mAutomationDelegate.get());
    mPacketDispatcher.Initialize (mController.get(), this);

    if (const auto result = EffectInit(); result != AAX_SUCCESS)
        return result;

    AAX_CString bypassID;
    GetMasterBypassParameter (&bypassID);
    mFilteredParameters.insert (bypassID.Get());
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::Uninitialize()
{
    releaseHostObjects();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size)
{
    uint32_t previewing = 0;

    if (type == AAX_eNotificationEvent_ASPreviewState && data != nullptr && size >= sizeof (previewing))
    {
        if (auto* parameter = mParameterManager.GetParameterByID (cPreviewID))
        {
            std::memcpy (&previewing, data, sizeof (previewing));
            parameter->SetValueWithBool (previewing != 0);
        }
    }

    return AAX_SUCCESS;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfParameters (int32_t* numParameters) const
{
    if (numParameters == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *numParameters = mParameterManager.NumParameters();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetMasterBypassParameter (AAX_IString* identifier) const
{
    if (identifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    identifier->Set (mParameterManager.GetParameterByID (cDefaultMasterBypassID) != nullptr ? cDefaultMasterBypassID : "");
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterIsAutomatable (AAX_CParamID identifier, AAX_CBoolean* automatable) const
{
    if (automatable != nullptr)
        *automatable = false;   // also for an unknown identifier

    return readParameter (mParameterManager, identifier, automatable, [] (const AAX_IParameter& parameter) { return parameter.Automatable(); });
}

AAX_Result AAX_CEffectParameters::GetParameterNumberOfSteps (AAX_CParamID identifier, int32_t* numSteps) const
{
    return answerFromParameter (mParameterManager, identifier, numSteps, [] (const AAX_IParameter& parameter, int32_t& out) {
        const uint32_t steps = parameter.GetNumberOfSteps();

        if (steps > static_cast<uint32_t> (std::numeric_limits<int32_t>::max()))
            return AAX_ERROR_SIGNED_INT_OVERFLOW;

        out = static_cast<int32_t> (steps);
        return AAX_SUCCESS;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterName (AAX_CParamID identifier, AAX_IString* name) const
{
    if (name == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (const auto* parameter = mParameterManager.GetParameterByID (identifier))
        *name = parameter->Name();
    else
        name->Set ("");

    return AAX_SUCCESS;
}

// A name may hold several variants, one per line ("Threshold\nThresh\nThr"):
// the longest that fits wins; failing that, the name is cut to the length.
AAX_Result AAX_CEffectParameters::GetParameterNameOfLength (AAX_CParamID identifier, AAX_IString* name, int32_t length) const
{
    if (name == nullptr)
        return AAX_ERROR_INVALID_STRING_CONVERSION;

    const auto* parameter = mParameterManager.GetParameterByID (identifier);

    if (parameter == nullptr)
    {
        name->Set ("");
        return AAX_SUCCESS;
    }

    const std::string shortened = parameter->ShortenedName (length).Get();
    const std::string_view variants = std::string_view (shortened).substr (0, maxNameVariantsLength);

    if (const auto best = longestLineWithin (variants, length); ! best.empty())
        name->Set (std::string (best).c_str());
    else if (! shortened.empty())
        name->Set (length < 1 ? "" : shortened.substr (0, static_cast<size_t> (length)).c_str());

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetParameterDefaultNormalizedValue (AAX_CParamID identifier, double* value) const
{
    return readParameter (mParameterManager, identifier, value, [] (const AAX_IParameter& parameter) { return parameter.GetNormalizedDefaultValue(); });
}

AAX_Result AAX_CEffectParameters::SetParameterDefaultNormalizedValue (AAX_CParamID identifier, double value)
{
    return actOnParameter (mParameterManager, identifier, [value] (AAX_IParameter& parameter) { parameter.SetNormalizedDefaultValue (value); });
}

AAX_Result AAX_CEffectParameters::GetParameterType (AAX_CParamID identifier, AAX_EParameterType* type) const
{
    return readParameter (mParameterManager, identifier, type, [] (const AAX_IParameter& parameter) { return parameter.GetType(); });
}

AAX_Result AAX_CEffectParameters::GetParameterOrientation (AAX_CParamID identifier, AAX_EParameterOrientation* orientation) const
{
    return readParameter (mParameterManager, identifier, orientation, [] (const AAX_IParameter& parameter) { return parameter.GetOrientation(); });
}

AAX_Result AAX_CEffectParameters::GetParameter (AAX_CParamID identifier, AAX_IParameter** parameter)
{
    if (parameter == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *parameter = mParameterManager.GetParameterByID (identifier);
    return *parameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIndex (AAX_CParamID identifier, int32_t* index) const
{
    if (index == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *index = mParameterManager.GetParameterIndex (identifier);
    return *index >= 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterIDFromIndex (int32_t index, AAX_IString* identifier) const
{
    if (identifier == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const auto* parameter = mParameterManager.GetParameter (index);
    identifier->Set (parameter != nullptr ? parameter->Identifier() : "");
    return parameter != nullptr ? AAX_SUCCESS : AAX_ERROR_INVALID_PARAMETER_ID;
}

AAX_Result AAX_CEffectParameters::GetParameterValueInfo (AAX_CParamID, int32_t, int32_t* value) const
{
    if (value != nullptr)
        *value = 0;

    return AAX_ERROR_UNIMPLEMENTED;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetParameterValueFromString (AAX_CParamID identifier, double* value, const AAX_IString& text) const
{
    return answerFromParameter (mParameterManager, identifier, value, [&text] (const AAX_IParameter& parameter, double& out) {
        return parameter.GetNormalizedValueFromString (AAX_CString (text), &out) ? AAX_SUCCESS
                                                                                  : AAX_ERROR_INVALID_STRING_CONVERSION;
    });
}

AAX_Result AAX_CEffectParameters::GetParameterStringFromValue (AAX_CParamID identifier, double value, AAX_IString* text, int32_t maxLength) const
{
    return answerFromParameter (mParameterManager, identifier, text, [=] (const AAX_IParameter& parameter, AAX_IString& out) {
        return answerText (out, [&] (AAX_CString& made) { return parameter.GetStringFromNormalizedValue (value, maxLength, made); });
    });
}

AAX_Result AAX_CEffectParameters::GetParameterValueString (AAX_CParamID identifier, AAX_IString* text, int32_t maxLength) const
{
    return answerFromParameter (mParameterManager, identifier, text, [=] (const AAX_IParameter& parameter, AAX_IString& out) {
        return answerText (out, [&] (AAX_CString& made) { return parameter.GetValueString (maxLength, &made); });
    });
}

AAX_Result AAX_CEffectParameters::GetParameterNormalizedValue (AAX_CParamID identifier, double* value) const
{
    return readParameter (mParameterManager, identifier, value, [] (const AAX_IParameter& parameter) { return parameter.GetNormalizedValue(); });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedValue (AAX_CParamID identifier, double value)
{
    return actOnParameter (mParameterManager, identifier, [value] (AAX_IParameter& parameter) { parameter.SetNormalizedValue (value); });
}

AAX_Result AAX_CEffectParameters::SetParameterNormalizedRelative (AAX_CParamID identifier, double delta)
{
    double current = 0.0;

    if (const auto result = GetParameterNormalizedValue (identifier, &current); result != AAX_SUCCESS)
        return result;

    return SetParameterNormalizedValue (identifier, clampNormalized (current + delta));
}

//==============================================================================
AAX_Result AAX_CEffectParameters::TouchParameter (AAX_CParamID identifier)
{
    return actOnParameter (mParameterManager, identifier, [] (AAX_IParameter& parameter) { parameter.Touch(); });
}

AAX_Result AAX_CEffectParameters::ReleaseParameter (AAX_CParamID identifier)
{
    return actOnParameter (mParameterManager, identifier, [] (AAX_IParameter& parameter) { parameter.Release(); });
}

AAX_Result AAX_CEffectParameters::UpdateParameterTouch (AAX_CParamID, AAX_CBoolean)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedValue (AAX_CParamID identifier, double value, AAX_EUpdateSource)
{
    return withParameter (mParameterManager, identifier, [&] (AAX_IParameter& parameter) {
        const double previous = parameter.GetNormalizedValue();
        parameter.UpdateNormalizedValue (value);
        const auto result = mPacketDispatcher.SetDirty (identifier);

        // The stored value, not the one asked for, tells whether anything changed:
        // the parameter clamps and rounds it, so a host confirming the same value
        // again must not count. NaN on either side counts, as it never compares equal.
        if (previous != parameter.GetNormalizedValue() && mNumPlugInChanges < std::numeric_limits<int32_t>::max())
            ++mNumPlugInChanges;

        return result;
    });
}

AAX_Result AAX_CEffectParameters::UpdateParameterNormalizedRelative (AAX_CParamID identifier, double delta)
{
    double current = 0.0;

    if (const auto result = GetParameterNormalizedValue (identifier, &current); result != AAX_SUCCESS)
        return result;

    return UpdateParameterNormalizedValue (identifier, clampNormalized (current + delta), AAX_eUpdateSource_Unspecified);
}

AAX_Result AAX_CEffectParameters::GenerateCoefficients()
{
    return mPacketDispatcher.Dispatch();
}

AAX_Result AAX_CEffectParameters::ResetFieldData (AAX_CFieldIndex, void* data, uint32_t dataSize) const
{
    if (data != nullptr)
        std::memset (data, 0, dataSize);

    return AAX_SUCCESS;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::GetNumberOfChunks (int32_t* numChunks) const
{
    if (numChunks == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *numChunks = 1;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunkIDFromIndex (int32_t index, AAX_CTypeID* chunkID) const
{
    if (chunkID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    *chunkID = index == 0 ? ControlsChunkID : 0;
    return index == 0 ? AAX_SUCCESS : AAX_ERROR_INVALID_CHUNK_INDEX;
}

AAX_Result AAX_CEffectParameters::GetChunkSize (AAX_CTypeID chunkID, uint32_t* size) const
{
    if (size == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (chunkID != ControlsChunkID)
    {
        *size = 0;
        return AAX_ERROR_INVALID_CHUNK_ID;
    }

    const AAX_StLock_Guard guard (mChunkMutex);
    buildControlsChunk();
    const int32_t dataSize = mChunkParser.GetChunkDataSize();

    if (dataSize < 0)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    mChunkSize = dataSize;
    *size = static_cast<uint32_t> (dataSize);
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetChunk (AAX_CTypeID chunkID, AAX_SPlugInChunk* chunk) const
{
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (chunkID != ControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;

    const AAX_StLock_Guard guard (mChunkMutex);
    buildControlsChunk();

    // The host sized the chunk from the last size request; anything else would overrun it.
    if (mChunkSize == 0 || mChunkParser.GetChunkDataSize() != mChunkSize)
        return AAX_ERROR_INCORRECT_CHUNK_SIZE;

    chunk->fVersion = mChunkParser.GetChunkVersion();
    std::memset (chunk->fName, 0, sizeof (chunk->fName));
    std::strncpy (chunk->fName, cControlsChunkName, sizeof (chunk->fName) - 1);
    return mChunkParser.GetChunkData (chunk);
}

AAX_Result AAX_CEffectParameters::SetChunk (AAX_CTypeID chunkID, const AAX_SPlugInChunk* chunk)
{
    if (chunk == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (chunkID != ControlsChunkID)
        return AAX_ERROR_INVALID_CHUNK_ID;

    const AAX_StLock_Guard guard (mChunkMutex);
    mChunkParser.LoadChunk (chunk);

    for (int32_t index = 0; index < mParameterManager.NumParameters(); ++index)
        if (auto* parameter = mParameterManager.GetParameter (index); ! isFilteredOut (*parameter))
            restoreFromChunk (*parameter);

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* isEqual) const
{
    if (chunk == nullptr || isEqual == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (chunk->fChunkID != ControlsChunkID)
    {
        *isEqual = true;
        return AAX_SUCCESS;
    }

    *isEqual = false;

    const AAX_StLock_Guard guard (mChunkMutex);
    mChunkParser.LoadChunk (chunk);

    for (int32_t index = 0; index < mParameterManager.NumParameters(); ++index)
        if (const auto* parameter = mParameterManager.GetParameter (index); ! isFilteredOut (*parameter))
            if (! storedValueEquals (*parameter))
                return AAX_SUCCESS;

    *isEqual = true;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::GetNumberOfChanges (int32_t* numChanges) const
{
    if (numChanges == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    if (mNumPlugInChanges >= 0)
        *numChanges = mNumPlugInChanges;

    return AAX_SUCCESS;
}

bool AAX_CEffectParameters::isFilteredOut (const AAX_IParameter& parameter) const
{
    return mFilteredParameters.count (parameter.Identifier()) != 0;
}

// Each parameter is stored under the first of its typed getters that reads it:
// float (widened to double), int32, bool (as 0 or 1), double, string.
void AAX_CEffectParameters::buildControlsChunk() const
{
    mChunkParser.Clear();

    for (int32_t index = 0; index < mParameterManager.NumParameters(); ++index)
    {
        const auto& parameter = *mParameterManager.GetParameter (index);

        if (isFilteredOut (parameter))
            continue;

        const auto identifier = parameter.Identifier();
        float floatValue = 0.0f;
        int32_t intValue = 0;
        bool boolValue = false;
        double doubleValue = 0.0;
        AAX_CString stringValue;

        if (parameter.GetValueAsFloat (&floatValue))
            mChunkParser.AddDouble (identifier, floatValue);
        else if (parameter.GetValueAsInt32 (&intValue))
            mChunkParser.AddInt32 (identifier, intValue);
        else if (parameter.GetValueAsBool (&boolValue))
            mChunkParser.AddInt32 (identifier, boolValue ? 1 : 0);
        else if (parameter.GetValueAsDouble (&doubleValue))
            mChunkParser.AddDouble (identifier, doubleValue);
        else if (parameter.GetValueAsString (&stringValue))
            mChunkParser.AddString (identifier, stringValue);
    }
}

void AAX_CEffectParameters::restoreFromChunk (AAX_IParameter& parameter)
{
    const auto identifier = parameter.Identifier();
    float floatValue = 0.0f;
    int32_t intValue = 0;
    bool boolValue = false;
    double doubleValue = 0.0;
    AAX_CString stringValue;

    if (parameter.GetValueAsFloat (&floatValue))
    {
        if (mChunkParser.FindDouble (identifier, &doubleValue))
            parameter.SetValueWithFloat (narrowToFloat (doubleValue));
    }
    else if (parameter.GetValueAsInt32 (&intValue))
    {
        if (mChunkParser.FindInt32 (identifier, &intValue))
            parameter.SetValueWithInt32 (intValue);
    }
    else if (parameter.GetValueAsBool (&boolValue))
    {
        if (mChunkParser.FindInt32 (identifier, &intValue))
            parameter.SetValueWithBool (intValue != 0);
    }
    else if (parameter.GetValueAsDouble (&doubleValue))
    {
        if (mChunkParser.FindDouble (identifier, &doubleValue))
            parameter.SetValueWithDouble (doubleValue);
    }
    else if (parameter.GetValueAsString (&stringValue))
    {
        if (mChunkParser.FindString (identifier, &stringValue))
            parameter.SetValueWithString (stringValue);
    }
}

// NaN on either side is never equal; doubles compare at float precision.
bool AAX_CEffectParameters::storedValueEquals (const AAX_IParameter& parameter) const
{
    const auto identifier = parameter.Identifier();
    float floatValue = 0.0f;
    int32_t intValue = 0, storedInt = 0;
    bool boolValue = false;
    double doubleValue = 0.0, storedDouble = 0.0;
    AAX_CString stringValue, storedString;

    if (parameter.GetValueAsFloat (&floatValue))
        return mChunkParser.FindDouble (identifier, &storedDouble) && narrowToFloat (storedDouble) == floatValue;

    if (parameter.GetValueAsInt32 (&intValue))
        return mChunkParser.FindInt32 (identifier, &storedInt) && storedInt == intValue;

    if (parameter.GetValueAsBool (&boolValue))
        return mChunkParser.FindInt32 (identifier, &storedInt) && (storedInt != 0) == boolValue;

    if (parameter.GetValueAsDouble (&doubleValue))
        return mChunkParser.FindDouble (identifier, &storedDouble) && narrowToFloat (storedDouble) == narrowToFloat (doubleValue);

    if (parameter.GetValueAsString (&stringValue))
        return mChunkParser.FindString (identifier, &storedString) && storedString == stringValue;

    return true;
}

//==============================================================================
AAX_Result AAX_CEffectParameters::TimerWakeup() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::GetCurveData (AAX_CTypeID, const float*, uint32_t, float*) const { return AAX_ERROR_UNIMPLEMENTED; }

AAX_Result AAX_CEffectParameters::GetCustomData (AAX_CTypeID, uint32_t, void*, uint32_t* sizeOut) const
{
    if (sizeOut != nullptr)
        *sizeOut = 0;

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::SetCustomData (AAX_CTypeID, uint32_t, const void*) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::DoMIDITransfers() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::RenderAudio_Hybrid (AAX_SHybridRenderInfo*) { return AAX_ERROR_UNIMPLEMENTED; }
AAX_Result AAX_CEffectParameters::UpdateMIDINodes (AAX_CFieldIndex, AAX_CMidiPacket&) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::UpdateControlMIDINodes (AAX_CTypeID, AAX_CMidiPacket&) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::GetCurveDataMeterIds (AAX_CTypeID, uint32_t*, uint32_t*) const { return AAX_ERROR_UNIMPLEMENTED; }
AAX_Result AAX_CEffectParameters::GetCurveDataDisplayRange (AAX_CTypeID, float*, float*, float*, float*) const { return AAX_ERROR_UNIMPLEMENTED; }

AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t tableType, int32_t tableSize, IACFUnknown*,
                                                   IACFUnknown* pageTableUnknown) const
{
    AAX_VPageTable table (pageTableUnknown);
    return table.IsSupported() ? UpdatePageTable (tableType, tableSize, table) : AAX_SUCCESS;
}

AAX_Result AAX_CEffectParameters::EffectInit() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectParameters::UpdatePageTable (uint32_t, int32_t, AAX_IPageTable&) const { return AAX_ERROR_UNIMPLEMENTED; }

//==============================================================================
acfResult AAX_CEffectParameters::InternalQueryInterface (const acfIID& iid, void** interfaceOut)
{
    if (interfaceOut == nullptr)
        return ACF_E_POINTER;

    for (const auto& version : { IID_IAAXEffectParametersV1, IID_IAAXEffectParametersV2,
                                 IID_IAAXEffectParametersV3, IID_IAAXEffectParametersV4 })
    {
        if (iid == version)
        {
            *interfaceOut = static_cast<AAX_IACFEffectParameters_V4*> (this);
            AddRef();
            return ACF_OK;
        }
    }

    return CACFUnknown::InternalQueryInterface (iid, interfaceOut);
}

AAX_IController* AAX_CEffectParameters::Controller() noexcept { return mController.get(); }
const AAX_IController* AAX_CEffectParameters::Controller() const noexcept { return mController.get(); }
AAX_ITransport* AAX_CEffectParameters::Transport() noexcept { return mTransport.get(); }
const AAX_ITransport* AAX_CEffectParameters::Transport() const noexcept { return mTransport.get(); }
