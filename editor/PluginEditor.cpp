#include "PluginEditor.h"

#include "PluginProcessor.h"

TemplateEffectAudioProcessorEditor::TemplateEffectAudioProcessorEditor (TemplateEffectAudioProcessor& p)
    : juce::AudioProcessorEditor (p)
{
    setSize (400, 477);
}

void TemplateEffectAudioProcessorEditor::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colours::black);
}
