// GuardedEffectParameters.h: the parameters object as the host holds it: no exception leaves one of its operations.
#pragma once

#include "AAX_CEffectParameters.h"
#include "AnswerErrorOnException.h"

namespace kick
{
    // Every operation of the host's table that Parameters offers publicly
    // (all but the lookup and reference counting, which throw nothing) runs
    // inside answerErrorOnException. The operations Parameters overrides
    // privately cannot be reached from here: in JUCE's wrapper, the three
    // curve-data operations, which allocate nothing and answer that they are
    // not implemented.
    template <class Parameters>
    class GuardedEffectParameters final : public Parameters
    {
    public:
        using Base = Parameters;

        // Lifecycle
        AAX_Result Initialize (IACFUnknown* controller) override { return answerErrorOnException ([&] { return Base::Initialize (controller); }); }
        AAX_Result Uninitialize() override { return answerErrorOnException ([&] { return Base::Uninitialize(); }); }
        AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override { return answerErrorOnException ([&] { return Base::NotificationReceived (type, data, size); }); }

        // Parameter information
        AAX_Result GetNumberOfParameters (int32_t* count) const override { return answerErrorOnException ([&] { return Base::GetNumberOfParameters (count); }); }
        AAX_Result GetMasterBypassParameter (AAX_IString* id) const override { return answerErrorOnException ([&] { return Base::GetMasterBypassParameter (id); }); }
        AAX_Result GetParameterIsAutomatable (AAX_CParamID id, AAX_CBoolean* automatable) const override { return answerErrorOnException ([&] { return Base::GetParameterIsAutomatable (id, automatable); }); }
        AAX_Result GetParameterNumberOfSteps (AAX_CParamID id, int32_t* steps) const override { return answerErrorOnException ([&] { return Base::GetParameterNumberOfSteps (id, steps); }); }
        AAX_Result GetParameterName (AAX_CParamID id, AAX_IString* name) const override { return answerErrorOnException ([&] { return Base::GetParameterName (id, name); }); }
        AAX_Result GetParameterNameOfLength (AAX_CParamID id, AAX_IString* name, int32_t length) const override { return answerErrorOnException ([&] { return Base::GetParameterNameOfLength (id, name, length); }); }
        AAX_Result GetParameterDefaultNormalizedValue (AAX_CParamID id, double* value) const override { return answerErrorOnException ([&] { return Base::GetParameterDefaultNormalizedValue (id, value); }); }
        AAX_Result SetParameterDefaultNormalizedValue (AAX_CParamID id, double value) override { return answerErrorOnException ([&] { return Base::SetParameterDefaultNormalizedValue (id, value); }); }
        AAX_Result GetParameterType (AAX_CParamID id, AAX_EParameterType* type) const override { return answerErrorOnException ([&] { return Base::GetParameterType (id, type); }); }
        AAX_Result GetParameterOrientation (AAX_CParamID id, AAX_EParameterOrientation* orientation) const override { return answerErrorOnException ([&] { return Base::GetParameterOrientation (id, orientation); }); }
        AAX_Result GetParameter (AAX_CParamID id, AAX_IParameter** parameter) override { return answerErrorOnException ([&] { return Base::GetParameter (id, parameter); }); }
        AAX_Result GetParameterIndex (AAX_CParamID id, int32_t* index) const override { return answerErrorOnException ([&] { return Base::GetParameterIndex (id, index); }); }
        AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* id) const override { return answerErrorOnException ([&] { return Base::GetParameterIDFromIndex (index, id); }); }
        AAX_Result GetParameterValueInfo (AAX_CParamID id, int32_t selector, int32_t* value) const override { return answerErrorOnException ([&] { return Base::GetParameterValueInfo (id, selector, value); }); }

        // Values and texts
        AAX_Result GetParameterValueFromString (AAX_CParamID id, double* value, const AAX_IString& text) const override { return answerErrorOnException ([&] { return Base::GetParameterValueFromString (id, value, text); }); }
        AAX_Result GetParameterStringFromValue (AAX_CParamID id, double value, AAX_IString* text, int32_t maxLength) const override { return answerErrorOnException ([&] { return Base::GetParameterStringFromValue (id, value, text, maxLength); }); }
        AAX_Result GetParameterValueString (AAX_CParamID id, AAX_IString* text, int32_t maxLength) const override { return answerErrorOnException ([&] { return Base::GetParameterValueString (id, text, maxLength); }); }
        AAX_Result GetParameterNormalizedValue (AAX_CParamID id, double* value) const override { return answerErrorOnException ([&] { return Base::GetParameterNormalizedValue (id, value); }); }
        AAX_Result SetParameterNormalizedValue (AAX_CParamID id, double value) override { return answerErrorOnException ([&] { return Base::SetParameterNormalizedValue (id, value); }); }
        AAX_Result SetParameterNormalizedRelative (AAX_CParamID id, double delta) override { return answerErrorOnException ([&] { return Base::SetParameterNormalizedRelative (id, delta); }); }

        // Automation
        AAX_Result TouchParameter (AAX_CParamID id) override { return answerErrorOnException ([&] { return Base::TouchParameter (id); }); }
        AAX_Result ReleaseParameter (AAX_CParamID id) override { return answerErrorOnException ([&] { return Base::ReleaseParameter (id); }); }
        AAX_Result UpdateParameterTouch (AAX_CParamID id, AAX_CBoolean touched) override { return answerErrorOnException ([&] { return Base::UpdateParameterTouch (id, touched); }); }
        AAX_Result UpdateParameterNormalizedValue (AAX_CParamID id, double value, AAX_EUpdateSource source) override { return answerErrorOnException ([&] { return Base::UpdateParameterNormalizedValue (id, value, source); }); }
        AAX_Result UpdateParameterNormalizedRelative (AAX_CParamID id, double delta) override { return answerErrorOnException ([&] { return Base::UpdateParameterNormalizedRelative (id, delta); }); }
        AAX_Result GenerateCoefficients() override { return answerErrorOnException ([&] { return Base::GenerateCoefficients(); }); }
        AAX_Result ResetFieldData (AAX_CFieldIndex field, void* data, uint32_t size) const override { return answerErrorOnException ([&] { return Base::ResetFieldData (field, data, size); }); }

        // Chunks
        AAX_Result GetNumberOfChunks (int32_t* count) const override { return answerErrorOnException ([&] { return Base::GetNumberOfChunks (count); }); }
        AAX_Result GetChunkIDFromIndex (int32_t index, AAX_CTypeID* id) const override { return answerErrorOnException ([&] { return Base::GetChunkIDFromIndex (index, id); }); }
        AAX_Result GetChunkSize (AAX_CTypeID id, uint32_t* size) const override { return answerErrorOnException ([&] { return Base::GetChunkSize (id, size); }); }
        AAX_Result GetChunk (AAX_CTypeID id, AAX_SPlugInChunk* chunk) const override { return answerErrorOnException ([&] { return Base::GetChunk (id, chunk); }); }
        AAX_Result SetChunk (AAX_CTypeID id, const AAX_SPlugInChunk* chunk) override { return answerErrorOnException ([&] { return Base::SetChunk (id, chunk); }); }
        AAX_Result CompareActiveChunk (const AAX_SPlugInChunk* chunk, AAX_CBoolean* equal) const override { return answerErrorOnException ([&] { return Base::CompareActiveChunk (chunk, equal); }); }
        AAX_Result GetNumberOfChanges (int32_t* count) const override { return answerErrorOnException ([&] { return Base::GetNumberOfChanges (count); }); }

        AAX_Result TimerWakeup() override { return answerErrorOnException ([&] { return Base::TimerWakeup(); }); }
        AAX_Result GetCustomData (AAX_CTypeID id, uint32_t size, void* data, uint32_t* sizeOut) const override { return answerErrorOnException ([&] { return Base::GetCustomData (id, size, data, sizeOut); }); }
        AAX_Result SetCustomData (AAX_CTypeID id, uint32_t size, const void* data) override { return answerErrorOnException ([&] { return Base::SetCustomData (id, size, data); }); }
        AAX_Result DoMIDITransfers() override { return answerErrorOnException ([&] { return Base::DoMIDITransfers(); }); }
        AAX_Result RenderAudio_Hybrid (AAX_SHybridRenderInfo* info) override { return answerErrorOnException ([&] { return Base::RenderAudio_Hybrid (info); }); }
        AAX_Result UpdateMIDINodes (AAX_CFieldIndex field, AAX_CMidiPacket& packet) override { return answerErrorOnException ([&] { return Base::UpdateMIDINodes (field, packet); }); }
        AAX_Result UpdateControlMIDINodes (AAX_CTypeID node, AAX_CMidiPacket& packet) override { return answerErrorOnException ([&] { return Base::UpdateControlMIDINodes (node, packet); }); }
        AAX_Result UpdatePageTable (uint32_t type, int32_t size, IACFUnknown* host, IACFUnknown* table) const override { return answerErrorOnException ([&] { return Base::UpdatePageTable (type, size, host, table); }); }
    };
}
