#pragma once

// Headless test support for the editor and its widgets: a processor with a
// recorder of the host gestures it sends, synthesised mouse events, painting
// into an image with pixel probes, and a message pump for tests that run in a
// real window (under Xvfb).

#include "PluginProcessor.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <dlfcn.h>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace EditorHarness
{

// Records every host gesture and parameter change a processor reports.
class GestureRecorder : public juce::AudioProcessorListener
{
public:
    struct Send
    {
        juce::String paramID;
        float plainValue;   // the value the host was sent, in the parameter's own range
    };

    explicit GestureRecorder (juce::AudioProcessor& p) : processor (p) { processor.addListener (this); }
    ~GestureRecorder() override { processor.removeListener (this); }

    void clear()
    {
        begins = ends = 0;
        sends.clear();
    }

    // Exactly one begin, one change and one end since the last clear.
    bool sentOneGesture() const { return begins == 1 && ends == 1 && sends.size() == 1; }
    bool sentNothing() const { return begins == 0 && ends == 0 && sends.empty(); }
    float lastPlainValue() const { return sends.empty() ? std::numeric_limits<float>::quiet_NaN() : sends.back().plainValue; }

    int begins = 0;
    int ends = 0;
    std::vector<Send> sends;

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float normalised) override
    {
        if (auto* param = parameterAt (index))
            sends.push_back ({ param->getParameterID(), param->getNormalisableRange().convertFrom0to1 (normalised) });
    }

    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { ++begins; }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int) override { ++ends; }

private:
    juce::RangedAudioParameter* parameterAt (int index) const
    {
        return dynamic_cast<juce::RangedAudioParameter*> (processor.getParameters()[index]);
    }

    juce::AudioProcessor& processor;
};

// A GUI-initialised fixture holding a fresh processor and a gesture recorder.
class ProcessorTest : public ::testing::Test
{
protected:
    // Sets a parameter as the host would, then forgets the gesture it made.
    void setParameter (const juce::String& paramID, float plainValue)
    {
        processor.parameterManager.setParameterValue (paramID, plainValue);
        gestures.clear();
    }

    float parameterValue (const juce::String& paramID)
    {
        return processor.parameterManager.getParameterValue (paramID);
    }

    ParameterManager* manager() { return &processor.parameterManager; }

    juce::ScopedJuceInitialiser_GUI gui;
    TemplateEffectAudioProcessor processor;
    GestureRecorder gestures { processor };
};

//==============================================================================
// Mouse events as the framework would deliver them to `target`, positions in
// its own coordinates.
inline juce::MouseEvent mouseEvent (juce::Component& target, juce::Point<float> position,
                                    juce::Point<float> mouseDownPosition, int numberOfClicks = 1)
{
    const auto now = juce::Time::getCurrentTime();
    return { juce::Desktop::getInstance().getMainMouseSource(), position, juce::ModifierKeys(),
             juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
             juce::MouseInputSource::defaultRotation, juce::MouseInputSource::defaultTiltX,
             juce::MouseInputSource::defaultTiltY, &target, &target, now, mouseDownPosition, now,
             numberOfClicks, position != mouseDownPosition };
}

inline juce::MouseEvent mouseAt (juce::Component& target, float x, float y, int numberOfClicks = 1)
{
    return mouseEvent (target, { x, y }, { x, y }, numberOfClicks);
}

// A drag event: pressed at `from`, now at `to`.
inline juce::MouseEvent dragEvent (juce::Component& target, juce::Point<float> from, juce::Point<float> to)
{
    return mouseEvent (target, to, from);
}

//==============================================================================
// Paints a component and its visible children into a cleared ARGB image of its size.
inline juce::Image paintToImage (juce::Component& component)
{
    juce::Image image (juce::Image::ARGB, juce::jmax (1, component.getWidth()),
                       juce::jmax (1, component.getHeight()), true);
    juce::Graphics g (image);
    component.paintEntireComponent (g, true);
    return image;
}

// Paints with a caller-supplied routine (for a widget's draw with chosen arguments).
inline juce::Image paintWith (int width, int height, const std::function<void (juce::Graphics&)>& painter)
{
    juce::Image image (juce::Image::ARGB, width, height, true);
    juce::Graphics g (image);
    painter (g);
    return image;
}

// Pixels in `area` for which `matches` holds.
inline int countPixels (const juce::Image& image, juce::Rectangle<int> area,
                        const std::function<bool (juce::Colour)>& matches)
{
    area = area.getIntersection (image.getBounds());
    int count = 0;

    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
            if (matches (image.getPixelAt (x, y)))
                ++count;

    return count;
}

// Pixels in `area` that are not fully transparent.
inline int inkPixels (const juce::Image& image, juce::Rectangle<int> area)
{
    return countPixels (image, area, [] (juce::Colour c) { return c.getAlpha() > 0; });
}

// Pixels in `area` whose channels all lie within `tolerance` of `colour`.
inline int pixelsNear (const juce::Image& image, juce::Rectangle<int> area, juce::Colour colour, int tolerance = 8)
{
    return countPixels (image, area, [colour, tolerance] (juce::Colour c)
    {
        const auto near = [tolerance] (int a, int b) { return std::abs (a - b) <= tolerance; };
        return near (c.getAlpha(), colour.getAlpha()) && near (c.getRed(), colour.getRed())
            && near (c.getGreen(), colour.getGreen()) && near (c.getBlue(), colour.getBlue());
    });
}

// The greatest alpha in `area`.
inline int maxAlpha (const juce::Image& image, juce::Rectangle<int> area)
{
    int result = 0;
    countPixels (image, area, [&result] (juce::Colour c) { result = juce::jmax (result, (int) c.getAlpha()); return false; });
    return result;
}

// The smallest rectangle holding every pixel in which two same-sized images differ
// (empty when they are equal).
inline juce::Rectangle<int> differenceBounds (const juce::Image& a, const juce::Image& b)
{
    juce::Rectangle<int> bounds;

    for (int y = 0; y < juce::jmin (a.getHeight(), b.getHeight()); ++y)
        for (int x = 0; x < juce::jmin (a.getWidth(), b.getWidth()); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                bounds = bounds.isEmpty() ? juce::Rectangle<int> (x, y, 1, 1)
                                          : bounds.getUnion ({ x, y, 1, 1 });

    return bounds;
}

//==============================================================================
// Real-window tests: call before opening a window. Inside a plug-in JUCE leaves
// the X error handler to the host, and Xlib's default one ends the process on
// the harmless errors a bare X server without a window manager provokes (window
// manager atoms that nobody has created). This installs what a host would: a
// handler that ignores them.
inline void installHostXErrorHandler()
{
    using ErrorHandler = int (*) (void*, void*);
    using SetErrorHandler = ErrorHandler (*) (ErrorHandler);

    static void* const xlib = dlopen ("libX11.so.6", RTLD_LAZY);

    if (xlib != nullptr)
        if (auto setHandler = reinterpret_cast<SetErrorHandler> (dlsym (xlib, "XSetErrorHandler")))
            setHandler ([] (void*, void*) { return 0; });
}

// How long a real-window test waits for what must come: far beyond any
// message's or window event's delay, so that only a hang reaches it.
constexpr juce::uint32 patienceMs = 120000;

// Pumps the message loop (text-editor commits, focus changes, window events)
// until `condition` holds; false if it never does. Real-window tests only.
inline bool pumpUntil (const std::function<bool()>& condition)
{
    const auto deadline = juce::Time::getMillisecondCounter() + patienceMs;

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > deadline)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
    }

    return true;
}

// Delivers every message posted so far (a text editor's posted focus loss,
// a button's posted click): the queue is first in, first out, so they have
// all arrived once a message posted after them has.
inline bool deliverPostedMessages()
{
    auto delivered = std::make_shared<bool> (false);
    juce::MessageManager::callAsync ([delivered] { *delivered = true; });
    return pumpUntil ([delivered] { return *delivered; });
}

} // namespace EditorHarness
