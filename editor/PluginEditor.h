#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

class TemplateEffectAudioProcessor;

// The plug-in's window.
class TemplateEffectAudioProcessorEditor : public juce::AudioProcessorEditor
{
public:
    explicit TemplateEffectAudioProcessorEditor (TemplateEffectAudioProcessor&);

    void paint (juce::Graphics&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TemplateEffectAudioProcessorEditor)
};
