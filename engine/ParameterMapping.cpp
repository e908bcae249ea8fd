#include "PluginProcessor.h"

void TemplateEffectAudioProcessor::onParameterChanged (juce::String)
{
}
