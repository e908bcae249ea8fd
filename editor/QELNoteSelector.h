#pragma once

#include "ParameterComponents.h"

#include <functional>

// An arrow button of the note selector: a chevron that brightens under the
// mouse while enabled, and calls onClick on every press (enabled or not).
class QELNoteSelectorButton : public juce::Component
{
public:
    enum Direction { up = 0, down = 1 };

    QELNoteSelectorButton() = default;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    static constexpr juce::uint8 idleAlpha = 0x7F;
    static constexpr juce::uint8 hoverAlpha = 0xCC;

    int direction = up;     // any other value draws nothing
    bool hovered = false;
    std::function<void()> onClick;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELNoteSelectorButton)
};

// Shows the sub frequency's note name and steps it by one note with two arrows,
// between the fixed limits C (0) and B (11). It sits over the Sub knob's centre:
// presses outside the arrows go through to the knob beneath.
// The arrows' enablement follows only their own steps: a note moved to a
// limit by the host leaves them as they were.
class QELNoteSelector : public ParameterComponentDiscrete
{
public:
    QELNoteSelector (ParameterManager* manager, ParameterManager::ParamData data, int numOptions);

    void mouseDown (const juce::MouseEvent&) override;
    void resized() override;
    void draw (juce::Graphics& g, int noteIndex) override;

    // The arrows' steps: one note up or down from the parameter's current value.
    void stepUp();
    void stepDown();

    static constexpr double lowestNote = 0.0;
    static constexpr double highestNote = 11.0;
    static constexpr juce::uint8 separatorAlpha = 0x33;

    ParameterManager* noteManager;
    ParameterManager::ParamData noteData;
    juce::Font noteFont;
    juce::Colour noteColour { juce::Colours::transparentBlack };
    QELNoteSelectorButton upButton;
    QELNoteSelectorButton downButton;

private:
    double currentNote() const;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELNoteSelector)
};
