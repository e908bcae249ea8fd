#include "EmbeddedResources.h"
#include "support/EditorHarness.h"

#include <vector>

using namespace EditorHarness;

namespace
{
struct ResourcesTest : ::testing::Test
{
    juce::ScopedJuceInitialiser_GUI gui;
};

// Window points to pixels of the full-window pictures (drawn fitted into the window).
juce::Point<int> toPicture (float x, float y)
{
    constexpr auto scale = 955.0f / 477.0f;
    return { juce::roundToInt (x * scale), juce::roundToInt (y * scale) };
}

// The knobs' top-left corners in the window, top row then bottom row.
const std::vector<juce::Point<int>> knobCorners { { 26, 210 }, { 120, 210 }, { 212, 210 }, { 307, 210 },
                                                  { 26, 337 }, { 120, 337 }, { 212, 337 }, { 307, 337 } };
}

TEST_F (ResourcesTest, PicturesDecodeAtTheirSizesAndFormats)
{
    using namespace EmbeddedResources;
    struct Expected { juce::Image image; int width, height; juce::Image::PixelFormat format; };
    const std::vector<Expected> pictures {
        { backgroundPicture(), 800, 955, juce::Image::RGB },
        { panelPicture(), 800, 955, juce::Image::ARGB },
        { captionPicture(), 800, 955, juce::Image::ARGB },
        { upgradeButtonPicture(), 153, 49, juce::Image::ARGB },
        { upgradeButtonHoverPicture(), 153, 49, juce::Image::ARGB },
        { infoButtonPicture(), 33, 33, juce::Image::ARGB },
        { infoButtonHoverPicture(), 33, 33, juce::Image::ARGB },
        { closeButtonPicture(), 29, 28, juce::Image::ARGB },
        { closeButtonHoverPicture(), 29, 28, juce::Image::ARGB },
        { overlayPanelPicture(), 624, 712, juce::Image::ARGB } };

    for (size_t i = 0; i < pictures.size(); ++i)
    {
        const auto& p = pictures[i];
        ASSERT_TRUE (p.image.isValid()) << "picture " << i;
        EXPECT_EQ (p.image.getWidth(), p.width) << "picture " << i;
        EXPECT_EQ (p.image.getHeight(), p.height) << "picture " << i;
        EXPECT_EQ (p.image.getFormat(), p.format) << "picture " << i;
        EXPECT_GT (inkPixels (p.image, p.image.getBounds()), 0) << "picture " << i;
    }
    // Decoded once: the cache hands out the same pixels again.
    EXPECT_EQ (backgroundPicture().getPixelData(), backgroundPicture().getPixelData());
}

TEST_F (ResourcesTest, KnobIconsParseWithTheirViewBox)
{
    for (auto i = 0; i < EmbeddedResources::numKnobIcons; ++i)
    {
        auto icon = EmbeddedResources::createKnobIcon ((EmbeddedResources::KnobIcon) i);
        auto* composite = dynamic_cast<juce::DrawableComposite*> (icon.get());
        ASSERT_NE (composite, nullptr) << "icon " << i;
        EXPECT_EQ (composite->getContentArea(), juce::Rectangle<float> (0.0f, 0.0f, 612.0f, 792.0f))
            << "icon " << i;
        EXPECT_FALSE (composite->getDrawableBounds().isEmpty()) << "icon " << i;

        // Drawn into a knob centre's area it leaves visible marks.
        icon->setTransformToFit ({ 0.0f, 0.0f, 29.0f, 28.0f }, juce::RectanglePlacement::centred);
        const auto image = paintWith (29, 28, [&icon] (juce::Graphics& g) { icon->draw (g, 1.0f); });
        EXPECT_GT (inkPixels (image, image.getBounds()), 20) << "icon " << i;
    }
}

TEST_F (ResourcesTest, BothFontsLoad)
{
    const auto black = EmbeddedResources::blackTypeface();
    const auto book = EmbeddedResources::bookTypeface();
    ASSERT_NE (black, nullptr);
    ASSERT_NE (book, nullptr);
    EXPECT_EQ (black->getName(), "Lato");
    EXPECT_EQ (book->getName(), "Manrope");
    EXPECT_GT (juce::Font (black).withHeight (20.0f).getStringWidthFloat ("MyLogo"), 0.0f);
    EXPECT_GT (juce::Font (book).withHeight (13.0f).getStringWidthFloat ("freq"), 0.0f);
}

TEST_F (ResourcesTest, PanelSeatsAndCaptionsLineUpWithTheKnobs)
{
    const auto panel = EmbeddedResources::panelPicture();
    const auto captions = EmbeddedResources::captionPicture();

    for (const auto& corner : knobCorners)
    {
        // The plate is opaque under the knob's disc ...
        const auto discCentre = toPicture ((float) corner.x + 33.5f, (float) corner.y + 33.0f);
        EXPECT_EQ (panel.getPixelAt (discCentre.x, discCentre.y).getAlpha(), 0xFF) << corner.toString();

        // ... and open under its caption, where the caption picture has its word.
        const auto slot = juce::Rectangle<int> (toPicture ((float) corner.x, (float) corner.y + 77.0f),
                                                toPicture ((float) corner.x + 67.0f, (float) corner.y + 89.0f));
        EXPECT_EQ (maxAlpha (panel, slot.reduced (4)), 0) << corner.toString();
        EXPECT_GT (inkPixels (captions, slot), 20) << corner.toString();
    }

    // Nothing of the plate over the display area or the title band.
    EXPECT_EQ (maxAlpha (panel, { 0, 0, 800, toPicture (0.0f, 190.0f).y }), 0);
    EXPECT_EQ (maxAlpha (captions, { 0, 0, 800, toPicture (0.0f, 190.0f).y }), 0);
}
