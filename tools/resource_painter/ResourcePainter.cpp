// Paints the editor's pictures and writes them as PNG files.
//
//     kick_resource_painter <resource folder>
//
// Reads the two fonts from the folder and writes every picture beside them.
// The three full-window pictures are 800 x 955, twice the 400 x 477 window;
// they are painted in window points through a uniform scale of 955 / 477 so
// that knob seats, captions and the title band land exactly where the editor
// lays out its controls.

#include "EditorColours.h"

#include <juce_graphics/juce_graphics.h>

#include <array>
#include <cmath>
#include <cstdio>

namespace
{
using juce::Colour;
using juce::Graphics;
using juce::Image;
using juce::Rectangle;

constexpr int windowWidth  = 400;
constexpr int windowHeight = 477;
constexpr int pictureWidth  = 800;
constexpr int pictureHeight = 955;
constexpr float windowToPicture = (float) pictureHeight / (float) windowHeight;

// The pictures' palette; the backdrop under the background picture is the editor's.
const Colour titleBand       { 0xFF0B0F14 };
const Colour lowerTop        { 0xFF1A222C };
const Colour lowerBottom     { 0xFF0D1217 };
const Colour displayPaper    { 0xFFE9E4DA };
const Colour displayGrid     { 0xFFD3CCBF };
const Colour displayText     { 0xFF9A9286 };
const Colour accentLight     { 0xFFF8934F };
const Colour accent          { 0xFFE67D3C };
const Colour accentDark      { 0xFFC65337 };
const Colour plateFill       { 0xFF1C232C };
const Colour plateEdge       { 0xFF2E3742 };
const Colour seatFill        { 0xFF11161C };
const Colour seatRing        { 0xFF3A4450 };
const Colour captionGrey     { 0xFFB8B8B8 };
const Colour gold            { 0xFFC0B38B };

// Editor geometry, in window points.
constexpr int titleBandHeight = 48;
const Rectangle<float> displayArea { 0.0f, 48.0f, 400.0f, 140.0f };
constexpr int knobWidth = 67;
constexpr int knobDiscHeight = 66;
constexpr std::array<int, 4> knobColumns { 26, 120, 212, 307 };
constexpr std::array<int, 2> knobRows { 210, 337 };
constexpr std::array<const char*, 8> captions { "Sub", "Mid", "Air", "Trans",
                                                "Tape", "Pressure", "Comp", "Width" };

struct Fonts
{
    juce::Typeface::Ptr black;
    juce::Typeface::Ptr book;

    juce::Font blackAt (float height) const { return juce::Font (black).withHeight (height); }
    juce::Font bookAt (float height) const  { return juce::Font (book).withHeight (height); }
};

juce::Typeface::Ptr loadTypeface (const juce::File& file)
{
    juce::MemoryBlock data;
    if (! file.loadFileAsData (data))
        return {};
    return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
}

Image blankImage (Image::PixelFormat format, int width, int height)
{
    return Image (format, width, height, true, juce::SoftwareImageType());
}

Rectangle<float> knobDisc (int column, int row)
{
    return { (float) knobColumns[(size_t) column], (float) knobRows[(size_t) row],
             (float) knobWidth, (float) knobDiscHeight };
}

Rectangle<float> captionSlot (int column, int row)
{
    const auto disc = knobDisc (column, row);
    return { disc.getX() - 6.0f, disc.getBottom() + 9.0f, disc.getWidth() + 12.0f, 16.0f };
}

// The product's name: the brand in the black face, the product in the book face.
void paintTitle (Graphics& g, const Fonts& fonts, Rectangle<float> area, float height, bool centred)
{
    const auto brand = juce::String ("VANTO");
    const auto product = juce::String ("Groundwork Kick");
    const auto brandFont = fonts.blackAt (height);
    const auto productFont = fonts.bookAt (height * 0.8f);
    const auto gap = height * 0.3f;
    const auto total = brandFont.getStringWidthFloat (brand) + gap
                     + productFont.getStringWidthFloat (product);

    auto row = centred ? area.withSizeKeepingCentre (total, area.getHeight()) : area;
    g.setColour (juce::Colours::white);
    g.setFont (brandFont);
    g.drawText (brand, row.removeFromLeft (brandFont.getStringWidthFloat (brand)),
                juce::Justification::centredLeft, false);
    row.removeFromLeft (gap);
    g.setColour (gold);
    g.setFont (productFont);
    g.drawText (product, row, juce::Justification::centredLeft, false);
}

void paintDisplayGrid (Graphics& g, const Fonts& fonts)
{
    g.setColour (displayPaper);
    g.fillRect (displayArea);

    // Decades of the display's 20 Hz .. 20 kHz logarithmic axis.
    const auto columnOf = [] (float hz) {
        return displayArea.getX() + displayArea.getWidth() * std::log10 (hz / 20.0f) / 3.0f;
    };
    g.setFont (fonts.bookAt (9.0f));
    for (const auto& [hz, label] : { std::pair { 100.0f, "100" }, { 1000.0f, "1k" }, { 10000.0f, "10k" } })
    {
        const auto x = columnOf (hz);
        g.setColour (displayGrid);
        g.drawLine (x, displayArea.getY(), x, displayArea.getBottom(), 0.75f);
        g.setColour (displayText);
        g.drawText (label, Rectangle<float> (x + 3.0f, displayArea.getBottom() - 13.0f, 30.0f, 11.0f),
                    juce::Justification::centredLeft, false);
    }
    g.setColour (displayGrid);
    for (auto level = 1; level < 4; ++level)
    {
        const auto y = displayArea.getY() + displayArea.getHeight() * (float) level / 4.0f;
        g.drawLine (displayArea.getX(), y, displayArea.getRight(), y, 0.5f);
    }
}

Image paintBackground (const Fonts& fonts)
{
    auto image = blankImage (Image::RGB, pictureWidth, pictureHeight);
    Graphics g (image);
    g.fillAll (backgroundFillColour);
    g.addTransform (juce::AffineTransform::scale (windowToPicture));

    g.setGradientFill (juce::ColourGradient (lowerTop, 0.0f, displayArea.getBottom(),
                                             lowerBottom, 0.0f, (float) windowHeight, false));
    g.fillRect (0.0f, displayArea.getBottom(), (float) windowWidth, (float) windowHeight - displayArea.getBottom());

    g.setColour (titleBand);
    g.fillRect (0, 0, windowWidth, titleBandHeight);
    g.setColour (accentDark);
    g.fillRect (0.0f, (float) titleBandHeight - 1.5f, (float) windowWidth, 1.5f);
    paintTitle (g, fonts, { 14.0f, 8.0f, 290.0f, 30.0f }, 21.0f, false);
    paintDisplayGrid (g, fonts);
    return image;
}

Image paintPanel()
{
    auto image = blankImage (Image::ARGB, pictureWidth, pictureHeight);
    Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (windowToPicture));

    // One plate under all knobs; the caption slots are holes, so the captions
    // drawn beneath the plate show through.
    juce::Path plate;
    plate.addRoundedRectangle (Rectangle<float> (10.0f, 198.0f, 380.0f, 246.0f), 10.0f);
    juce::Path slots;
    for (auto row = 0; row < 2; ++row)
        for (auto column = 0; column < 4; ++column)
            slots.addRoundedRectangle (captionSlot (column, row), 4.0f);
    plate.addPath (slots);
    plate.setUsingNonZeroWinding (false);

    g.setColour (plateFill);
    g.fillPath (plate);
    g.setColour (plateEdge);
    g.strokePath (plate, juce::PathStrokeType (1.0f));

    for (auto row = 0; row < 2; ++row)
        for (auto column = 0; column < 4; ++column)
        {
            const auto disc = knobDisc (column, row);
            const auto seat = disc.withSizeKeepingCentre (disc.getHeight() + 8.0f, disc.getHeight() + 8.0f);
            g.setGradientFill (juce::ColourGradient (seatFill, seat.getCentreX(), seat.getCentreY(),
                                                     plateFill, seat.getCentreX(), seat.getBottom(), true));
            g.fillEllipse (seat);
            g.setColour (seatRing);
            g.drawEllipse (seat.reduced (0.5f), 1.5f);
            g.setColour (accentDark.withAlpha (0.6f));
            g.drawEllipse (seat.expanded (2.0f), 0.75f);
        }
    return image;
}

Image paintCaptions (const Fonts& fonts)
{
    auto image = blankImage (Image::ARGB, pictureWidth, pictureHeight);
    Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (windowToPicture));
    g.setColour (captionGrey);
    g.setFont (fonts.bookAt (12.0f));
    for (auto row = 0; row < 2; ++row)
        for (auto column = 0; column < 4; ++column)
            g.drawText (captions[(size_t) (row * 4 + column)], captionSlot (column, row),
                        juce::Justification::centred, false);
    return image;
}

Image paintUpgradeButton (const Fonts& fonts, bool hovered)
{
    auto image = blankImage (Image::ARGB, 153, 49);
    Graphics g (image);
    const auto body = image.getBounds().toFloat().reduced (1.5f);
    g.setGradientFill (juce::ColourGradient (hovered ? accentLight : accent, 0.0f, body.getY(),
                                             hovered ? accent : accentDark, 0.0f, body.getBottom(), false));
    g.fillRoundedRectangle (body, 12.0f);
    g.setColour (juce::Colours::white.withAlpha (hovered ? 0.9f : 0.45f));
    g.drawRoundedRectangle (body, 12.0f, 2.0f);
    g.setColour (juce::Colours::white);
    g.setFont (fonts.blackAt (24.0f));
    g.drawText ("UPGRADE", body, juce::Justification::centred, false);
    return image;
}

Image paintInfoButton (const Fonts& fonts, bool hovered)
{
    auto image = blankImage (Image::ARGB, 33, 33);
    Graphics g (image);
    const auto ring = image.getBounds().toFloat().reduced (2.5f);
    g.setColour (hovered ? accentLight : juce::Colours::white.withAlpha (0.55f));
    g.drawEllipse (ring, 3.0f);
    g.setFont (fonts.blackAt (22.0f));
    g.drawText ("i", ring, juce::Justification::centred, false);
    return image;
}

Image paintCloseButton (bool hovered)
{
    auto image = blankImage (Image::ARGB, 29, 28);
    Graphics g (image);
    const auto cross = image.getBounds().toFloat().reduced (6.0f);
    g.setColour (hovered ? accentLight : juce::Colours::white.withAlpha (0.7f));
    const juce::PathStrokeType stroke (3.5f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded);
    juce::Path path;
    path.startNewSubPath (cross.getTopLeft());
    path.lineTo (cross.getBottomRight());
    path.startNewSubPath (cross.getTopRight());
    path.lineTo (cross.getBottomLeft());
    g.strokePath (path, stroke);
    return image;
}

// The overlay panel is drawn at half size over a gradient the overlay paints
// itself; the region of the thank-you text box stays clear.
Image paintOverlayPanel (const Fonts& fonts)
{
    auto image = blankImage (Image::ARGB, 624, 712);
    Graphics g (image);
    paintTitle (g, fonts, { 20.0f, 8.0f, 584.0f, 64.0f }, 40.0f, true);

    // A decaying kick waveform as the panel's emblem.
    const Rectangle<float> emblem { 40.0f, 350.0f, 544.0f, 240.0f };
    juce::Path wave;
    for (auto i = 0; i <= 400; ++i)
    {
        const auto t = (float) i / 400.0f;
        const auto phase = juce::MathConstants<float>::twoPi * (2.2f * t + 3.0f * t * t);
        const auto y = emblem.getCentreY() - 0.5f * emblem.getHeight() * std::exp (-3.5f * t) * std::sin (phase);
        const auto x = emblem.getX() + t * emblem.getWidth();
        if (i == 0)
            wave.startNewSubPath (x, y);
        else
            wave.lineTo (x, y);
    }
    g.setColour (juce::Colours::white.withAlpha (0.35f));
    g.strokePath (wave, juce::PathStrokeType (5.0f, juce::PathStrokeType::curved, juce::PathStrokeType::rounded));
    g.drawLine (emblem.getX(), emblem.getCentreY(), emblem.getRight(), emblem.getCentreY(), 1.5f);

    g.setColour (juce::Colours::white.withAlpha (0.6f));
    g.setFont (fonts.bookAt (20.0f));
    g.drawText ("VANTO Groundwork Kick - free edition", Rectangle<float> (20.0f, 640.0f, 584.0f, 26.0f),
                juce::Justification::centred, false);
    g.drawText (juce::String::fromUTF8 ("\xc2\xa9 VANTO & Ferrowind. All rights reserved."),
                Rectangle<float> (20.0f, 668.0f, 584.0f, 26.0f), juce::Justification::centred, false);
    return image;
}

bool writePng (const Image& image, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream stream (file);
    juce::PNGImageFormat png;
    const auto written = stream.openedOk() && png.writeImageToStream (image, stream);
    std::printf ("%s %s (%d x %d)\n", written ? "wrote" : "FAILED", file.getFileName().toRawUTF8(),
                 image.getWidth(), image.getHeight());
    return written;
}
} // namespace

int main (int argc, char* argv[])
{
    if (argc != 2)
    {
        std::fprintf (stderr, "usage: %s <resource folder>\n", argv[0]);
        return 2;
    }
    const juce::File folder (juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]));
    const Fonts fonts { loadTypeface (folder.getChildFile ("Lato-Black.ttf")),
                        loadTypeface (folder.getChildFile ("Manrope-Regular.ttf")) };
    if (fonts.black == nullptr || fonts.book == nullptr)
    {
        std::fprintf (stderr, "fonts not found in %s\n", folder.getFullPathName().toRawUTF8());
        return 1;
    }

    const std::pair<const char*, Image> pictures[] {
        { "background.png",           paintBackground (fonts) },
        { "panel.png",                paintPanel() },
        { "captions.png",             paintCaptions (fonts) },
        { "upgrade_button.png",       paintUpgradeButton (fonts, false) },
        { "upgrade_button_hover.png", paintUpgradeButton (fonts, true) },
        { "info_button.png",          paintInfoButton (fonts, false) },
        { "info_button_hover.png",    paintInfoButton (fonts, true) },
        { "close_button.png",         paintCloseButton (false) },
        { "close_button_hover.png",   paintCloseButton (true) },
        { "overlay_panel.png",        paintOverlayPanel (fonts) },
    };

    auto ok = true;
    for (const auto& [name, image] : pictures)
        ok = writePng (image, folder.getChildFile (name)) && ok;
    return ok ? 0 : 1;
}
