#pragma once

#include "ParameterManager.h"

// Text conversions of parameters whose whole values index a list of names.
namespace ChoiceText
{
    // Name i for the first i with value < i + 0.5; empty text past the last
    // name's half-step and for a value that is not a number.
    juce::String valueToText (const juce::StringArray& names, float value);

    // Index of the first name equal to the text (case-sensitive); 0 otherwise.
    float textToValue (const juce::StringArray& names, const juce::String& text);

    // Gives a description the converter pair over the names.
    void assign (ParameterManager::ParamData& description, const juce::StringArray& names);
}
