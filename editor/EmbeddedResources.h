#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <memory>

// The pictures, knob icons and fonts compiled into the module, decoded with
// JUCE's loaders. Pictures come from juce::ImageCache (keyed by the data's
// address), so repeated calls share one decoded image. A resource that fails
// to decode gives an invalid image, a null drawable or a null typeface.
namespace EmbeddedResources
{
    juce::Image backgroundPicture();        // 800 x 955, RGB
    juce::Image panelPicture();             // 800 x 955, the knob plate
    juce::Image captionPicture();           // 800 x 955, the knob captions
    juce::Image upgradeButtonPicture();     // 153 x 49
    juce::Image upgradeButtonHoverPicture();
    juce::Image infoButtonPicture();        // 33 x 33
    juce::Image infoButtonHoverPicture();
    juce::Image closeButtonPicture();       // 29 x 28
    juce::Image closeButtonHoverPicture();
    juce::Image overlayPanelPicture();      // 624 x 712

    // The knob icons, in this order.
    enum class KnobIcon { harmonics, pressure, air, mids, trans, compression, width };
    constexpr int numKnobIcons = 7;
    std::unique_ptr<juce::Drawable> createKnobIcon (KnobIcon);

    juce::Typeface::Ptr blackTypeface();    // black-weight sans-serif
    juce::Typeface::Ptr bookTypeface();     // book-weight geometric sans-serif
}
