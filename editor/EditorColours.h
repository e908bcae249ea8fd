#pragma once

#include <juce_graphics/juce_graphics.h>

// Colours shared by the editor window and its widgets (ARGB).

// The selection in a knob's value box, shown at half alpha.
inline const juce::Colour valueBoxHighlightColour { 0xFF96999Cu };

// The colour under the background picture.
inline const juce::Colour backgroundFillColour { 0xFF10161Du };
