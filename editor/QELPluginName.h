#pragma once

#include "ParameterComponents.h"

// The power toggle drawn as two words: a click switches the power parameter,
// and both words dim to half alpha while the power is off.
class QELPluginName : public ParameterComponentDiscrete
{
public:
    QELPluginName (ParameterManager* manager, ParameterManager::ParamData powerData);

    void draw (juce::Graphics& g, int optionIndex) override;

    static constexpr int numPowerOptions = 2;
    static constexpr float nameHeight = 25.0f;
    static constexpr float subHeight = 20.0f;
    static constexpr juce::uint8 offAlpha = 0x7F;

    juce::Font font;
    juce::Colour nameColour { juce::Colours::white };
    juce::Colour subColour { juce::Colours::white };
    juce::String nameText;
    juce::String subText;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELPluginName)
};
