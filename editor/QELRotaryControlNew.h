#pragma once

#include "ParameterComponents.h"

// The value box of a knob: a text editor that ignores the mouse while disabled.
class QELTextEditor : public juce::TextEditor
{
public:
    QELTextEditor();

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELTextEditor)
};

// The editor's knob: a disc with a value arc and a pointer dot, showing in its
// centre an icon at rest and the value with its unit while hovered. Dragged
// vertically; a double-click on the value area opens a box to type a value,
// anywhere else it resets to the default.
// A knob with a drag companion (a component over its centre) hides the
// companion while pressed and shows its value only during that time.
class QELRotaryControlNew : public ParameterComponentContinuous,
                            public juce::TextEditor::Listener
{
public:
    QELRotaryControlNew (ParameterManager* manager, ParameterManager::ParamData data,
                         juce::Component* dragCompanion);

    // Bounds (x, y, 67, 96), the value box across the upper centre and the icon.
    void place (int x, int y, int iconOffsetY);

    // Takes the parameter's value and repaints only when it changed.
    void refreshFromParameter();

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;

    void draw (juce::Graphics& g, float normalisedValue) override;

    void textEditorReturnKeyPressed (juce::TextEditor&) override;
    void textEditorFocusLost (juce::TextEditor&) override;

    // Closes the value box and sends its number, clamped to the range. Does
    // nothing while the box is closed, so Return followed by the focus loss
    // it causes sends one gesture, not two.
    void commitTypedValue();

    static constexpr int knobWidth = 67;
    static constexpr int knobHeight = 96;
    static constexpr int placedNameAreaHeight = 30;
    static constexpr int valueBoxY = 25;
    static constexpr int valueBoxHeight = 14;
    static constexpr int maxTypedCharacters = 6;
    static constexpr const char* typedCharacters = "-.0987654321";

    bool showCentre = true;     // false while the value box is open
    bool showIcon = true;       // the centre shows the icon rather than the value
    bool showValue = true;      // the value is drawn when the centre shows it
    juce::String name { "Volume" };
    int nameAreaHeight = 0;
    int iconOffsetY = 0;
    juce::Colour dotColour { juce::Colours::white };
    juce::Colour nameColour { juce::Colours::black };
    juce::Font nameFont;
    juce::Font valueFont;
    QELTextEditor valueBox;
    juce::Drawable* icon = nullptr;             // not owned
    juce::Component* dragCompanion = nullptr;   // not owned

private:
    // A knob with a companion hides it, and shows its own value, while pressed.
    void showCompanion (bool shouldBeShown);
    void openValueBox();
    void drawCentre (juce::Graphics&, float discHeight);
    void drawValue (juce::Graphics&);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELRotaryControlNew)
};
