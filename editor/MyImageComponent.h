#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Shows a picture held elsewhere, scaled to fit and centred; redrawn from the
// picture on every paint. Draws nothing while no valid picture is set.
class MyImageComponent : public juce::Component
{
public:
    MyImageComponent() = default;
    ~MyImageComponent() override = default;

    void paint (juce::Graphics&) override;

    const juce::Image* image = nullptr;   // not owned

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MyImageComponent)
};
