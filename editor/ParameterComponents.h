#pragma once

#include "ParameterManager.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Widgets bound to one parameter. Each holds the parameter manager and its own
// copy of the parameter's description; a user gesture sends one plain value
// through ParameterManager::setParameterValue (one whole host gesture) and the
// displayed value catches up when the owner refreshes the widget.
// Mouse handlers do nothing while the widget or any of its ancestors is
// disabled: JUCE still delivers mouse events to disabled components.

namespace ParameterValues
{
    // A plain value clamped to the range; a value that is not finite counts as
    // the range's start, so it never reaches an integer cast or a coordinate.
    float clampToRange (float value, const juce::NormalisableRange<float>& range) noexcept;

    // The value as 0..1 through the range (non-finite: 0).
    float normalise (float value, const juce::NormalisableRange<float>& range) noexcept;

    // Index of the option a plain value shows: (int) (value + 0.5), truncated,
    // with a non-finite value taken as the range's start.
    int optionIndex (float value, const juce::NormalisableRange<float>& range) noexcept;

    // Decimal places a range interval needs (0.1 -> 1, 0.01 -> 2, 0.5 -> 1,
    // 1 or more -> 0); 0 for an interval that is not finite and positive.
    int numDecimalPlacesFor (float interval) noexcept;
}

// A continuous value dragged vertically: 250 pixels upward cover the whole
// range, measured from the mouse-down point. A double-click sends the default.
class ParameterComponentContinuous : public juce::Component
{
public:
    ParameterComponentContinuous (ParameterManager* manager, ParameterManager::ParamData data);

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    // Draws the widget for a value normalised to 0..1.
    virtual void draw (juce::Graphics& g, float normalisedValue) = 0;

    static constexpr float dragPixelsForFullRange = 250.0f;

    float value;            // plain value as last read; changed only by the owner's refresh
    float dragStartValue;   // value at the last mouse-down
    int numDecimalPlaces;   // places the range's interval needs

protected:
    void sendValue (float plainValue);
    void sendDefaultValue();

    ParameterManager* parameterManager;
    ParameterManager::ParamData paramData;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterComponentContinuous)
};

// A stepped value that a click advances by one option, wrapping after the last.
class ParameterComponentDiscrete : public juce::Component
{
public:
    ParameterComponentDiscrete (ParameterManager* manager, ParameterManager::ParamData data, int numOptions);

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    // Re-reads the parameter and repaints (every call).
    virtual void refreshFromParameter();

    // Draws the widget for an option index.
    virtual void draw (juce::Graphics& g, int optionIndex) = 0;

    float value = 0.0f;     // plain value as last read, or as last stepped
    int numOptions;         // options a click cycles through

protected:
    ParameterManager* parameterManager;
    ParameterManager::ParamData paramData;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterComponentDiscrete)
};

// A row or column of labelled cells, one per option; a click chooses the cell
// under the mouse. The owner writes the current value into `value` and repaints.
class ParameterComponentMultiSwitch : public juce::Component
{
public:
    ParameterComponentMultiSwitch (ParameterManager* manager, ParameterManager::ParamData data, int numOptions);

    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    // Label of a cell; "?" where `labels` has none.
    juce::String labelFor (int optionIndex) const;

    static constexpr juce::uint8 verticalUnselectedAlpha = 0x4C;
    static constexpr juce::uint8 horizontalUnselectedAlpha = 0x7F;

    juce::Font font;
    juce::Colour colour { juce::Colours::white };
    juce::StringArray labels;   // the switch's own copy; cells without a label show "?"
    float value = 0.0f;
    int numOptions;
    bool vertical = false;      // true: cells stacked top to bottom

private:
    void paintVertical (juce::Graphics&, int selected) const;
    void paintHorizontal (juce::Graphics&, int selected) const;

    ParameterManager* parameterManager;
    ParameterManager::ParamData paramData;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (ParameterComponentMultiSwitch)
};
