#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// A picture button: the hovered picture while the pointer is over it, and
// onClick on every press. Used for the window's information button and the
// overlay's close button.
class QELNagScreenButton : public juce::Component
{
public:
    QELNagScreenButton() = default;
    ~QELNagScreenButton() override = default;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    bool hovered = false;
    juce::Image normalImage;
    juce::Image hoverImage;
    std::function<void()> onClick;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELNagScreenButton)
};

// The overlay's read-only text box; its owner sets it up.
class QELNagscreenTextField : public juce::TextEditor
{
public:
    QELNagscreenTextField() = default;
    ~QELNagscreenTextField() override = default;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELNagscreenTextField)
};

// The information overlay: dims the whole window and shows a centred panel
// with the thank-you text and a close button. While shown it takes every
// click, so nothing beneath can be used until it is closed.
class QELNagscreen : public juce::Component
{
public:
    QELNagscreen();
    ~QELNagscreen() override = default;

    void paint (juce::Graphics&) override;
    void resized() override;

    static const juce::String thankYouText;
    static const juce::Colour dimColour;
    static const juce::Colour titleStripColour;
    static constexpr int panelWidth = 325;
    static constexpr int panelHeight = 375;
    static constexpr int titleStripHeight = 50;
    static constexpr float gradientBottomBrightness = 0.5f;

    juce::Image panelImage;
    juce::Rectangle<int> panelBounds;
    juce::Colour gradientColour;    // top of the panel's gradient; set by the owner
    QELNagScreenButton closeButton;
    QELNagscreenTextField textField;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELNagscreen)
};
