#include "ParameterTable.h"

#include "PluginProcessor.h"

namespace ChoiceText
{
    juce::String valueToText (const juce::StringArray& names, float value)
    {
        for (int i = 0; i < names.size(); ++i)
            if (value < (float) i + 0.5f)
                return names[i];

        return {};
    }

    float textToValue (const juce::StringArray& names, const juce::String& text)
    {
        return (float) juce::jmax (0, names.indexOf (text));
    }

    void assign (ParameterManager::ParamData& description, const juce::StringArray& names)
    {
        description.valueToTextFunction = [names] (float value) { return valueToText (names, value); };
        description.textToValueFunction = [names] (const juce::String& text) { return textToValue (names, text); };
    }
}

namespace
{
    void describe (ParameterManager::ParamData& description,
                   const char* paramID, const char* name, const char* label,
                   float start, float end, float defaultValue)
    {
        constexpr float wholeSteps = 1.0f;
        constexpr float linear = 1.0f;

        description.paramID = paramID;
        description.paramName = name;
        description.labelText = label;
        description.range = juce::NormalisableRange<float> (start, end, wholeSteps, linear);
        description.defaultValue = defaultValue;
    }
}

void TemplateEffectAudioProcessor::describeParameters()
{
    describe (powerParam,           "powerId",            "Power",          "",  0.0f, 1.0f,   1.0f);
    describe (graphModeParam,       "graphModeId",        "Graph mode",     "",  0.0f, 3.0f,   1.0f);
    describe (kickHarmonicsParam,   "Kick_HarmonicsId",   "Kick Harmonics", "%", 0.0f, 100.0f, 0.0f);
    describe (kickPressureParam,    "Kick_PressureId",    "Kick Pressure",  "%", 0.0f, 100.0f, 0.0f);
    describe (kickSubParam,         "Kick_SubId",         "Kick Sub",       "%", 0.0f, 100.0f, 0.0f);
    describe (kickSubFreqParam,     "Kick_SubFreqId",     "Kick Sub Freq",  "",  0.0f, 11.0f,  0.0f);
    describe (kickAirParam,         "Kick_AirId",         "Kick Air",       "%", 0.0f, 100.0f, 0.0f);
    describe (kickMidsParam,        "Kick_MidsId",        "Kick Mid",       "%", 0.0f, 200.0f, 100.0f);
    describe (kickTransParam,       "Kick_TransId",       "Kick Trans",     "%", 0.0f, 100.0f, 0.0f);
    describe (kickCompressionParam, "Kick_CompressionId", "Kick Comp",      "%", 0.0f, 100.0f, 0.0f);
    describe (kickWidthParam,       "Kick_WidthId",       "Kick Width",     "%", 0.0f, 200.0f, 100.0f);

    // The percentage parameters keep empty converters: the manager gives their
    // framework parameters the default pair, and the editor prints them itself.
    ChoiceText::assign (powerParam, { "Off", "On" });
    ChoiceText::assign (graphModeParam, { "Wave", "Freq", "Spec", "Osc" });
    ChoiceText::assign (kickSubFreqParam, { "C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B" });
}

std::array<const ParameterManager::ParamData*, TemplateEffectAudioProcessor::numParameters>
    TemplateEffectAudioProcessor::parameterDescriptions() const noexcept
{
    return { &powerParam, &graphModeParam, &kickHarmonicsParam, &kickPressureParam,
             &kickSubParam, &kickSubFreqParam, &kickAirParam, &kickMidsParam,
             &kickTransParam, &kickCompressionParam, &kickWidthParam };
}
