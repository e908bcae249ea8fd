#pragma once

#include <juce_graphics/juce_graphics.h>

// Draws a picture scaled uniformly to fit inside an area and centred in it;
// an invalid picture (one that failed to decode) draws nothing.
inline void drawPictureToFit (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<int> area)
{
    if (picture.isValid())
        g.drawImage (picture, area.toFloat(), juce::RectanglePlacement::centred);
}
