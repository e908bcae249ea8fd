#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// Hands an address to the system: by default the default web browser.
// Replaceable so that tests need no browser.
using LinkOpener = std::function<void (const juce::URL&)>;

LinkOpener defaultLinkOpener();

// Opens the address with the opener; an empty address opens nothing.
void openLink (const juce::String& address, const LinkOpener& opener);

// A picture button that opens the full product's store page on every press,
// whatever the mouse button. The hovered picture shows while the pointer is
// over it.
class QELUpgradeButton : public juce::Component
{
public:
    QELUpgradeButton();
    ~QELUpgradeButton() override = default;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

    juce::String url;
    juce::Image normalImage;
    juce::Image hoverImage;
    bool hovered = false;
    LinkOpener opener = defaultLinkOpener();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QELUpgradeButton)
};

// A line of text that opens its address when pressed; brightens under the pointer.
class HyperLinkLogo : public juce::Component
{
public:
    HyperLinkLogo() = default;
    ~HyperLinkLogo() override = default;

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void resized() override {}

    static constexpr float textHeight = 24.0f;
    static constexpr juce::uint8 idleAlpha = 0xA6;

    juce::Font font;
    juce::String text { "Company name" };
    juce::String url;
    bool hovered = false;
    LinkOpener opener = defaultLinkOpener();

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (HyperLinkLogo)
};
