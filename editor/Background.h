#pragma once

#include "EditorColours.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Fills the window under everything: the backdrop colour with the background
// picture fitted over it. The result is rendered once per size into a cached
// image, so a paint is a single blit.
class Background : public juce::Component
{
public:
    Background();
    ~Background() override = default;

    void paint (juce::Graphics&) override;
    void resized() override;

private:
    juce::Image cachedImage;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Background)
};
