#include "QELPluginName.h"

QELPluginName::QELPluginName (ParameterManager* manager, ParameterManager::ParamData powerData)
    : ParameterComponentDiscrete (manager, std::move (powerData), numPowerOptions)
{
}

void QELPluginName::draw (juce::Graphics& g, int optionIndex)
{
    const auto powerOff = optionIndex == 0;
    const auto dimmed = [powerOff] (juce::Colour c) { return powerOff ? c.withAlpha (offAlpha) : c; };

    g.setColour (dimmed (nameColour));
    g.setFont (font.withHeight (nameHeight));
    g.drawText (nameText, getLocalBounds(), juce::Justification::centredLeft, true);

    // One spare pixel above and below so the smaller word can sit on the baseline.
    g.setColour (dimmed (subColour));
    g.setFont (font.withHeight (subHeight));
    g.drawText (subText, getLocalBounds().expanded (0, 1), juce::Justification::bottomRight, true);
}
