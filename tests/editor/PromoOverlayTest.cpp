#include "EmbeddedResources.h"
#include "Links.h"
#include "QELNagscreen.h"
#include "support/EditorHarness.h"

#include <cstdlib>
#include <vector>

using namespace EditorHarness;

namespace
{
const juce::String storePath { "/fanlink/detail/1762-vanto-groundwork" };

struct PromoTest : ::testing::Test
{
    // Replaces the system opener with one that records the addresses.
    template <typename Link>
    void recordOpens (Link& link)
    {
        link.opener = [this] (const juce::URL& url) { opened.push_back (url.toString (true)); };
    }

    juce::ScopedJuceInitialiser_GUI gui;
    std::vector<juce::String> opened;
};
}

TEST_F (PromoTest, UpgradeButtonOpensTheStorePageOnEveryPress)
{
    QELUpgradeButton button;
    recordOpens (button);
    button.setBounds (0, 0, 76, 24);
    button.url = "https://store.vanto.example" + storePath;

    button.mouseDown (mouseAt (button, 10.0f, 10.0f));
    ASSERT_EQ (opened.size(), 1u);
    EXPECT_TRUE (opened[0].startsWith ("https://"));
    EXPECT_TRUE (opened[0].endsWith (storePath));

    // A double click is two presses.
    button.mouseDown (mouseAt (button, 10.0f, 10.0f, 1));
    button.mouseDown (mouseAt (button, 10.0f, 10.0f, 2));
    EXPECT_EQ (opened.size(), 3u);
}

TEST_F (PromoTest, EmptyLinksOpenNothing)
{
    QELUpgradeButton button;
    HyperLinkLogo logo;
    recordOpens (button);
    recordOpens (logo);

    button.mouseDown (mouseAt (button, 1.0f, 1.0f));
    logo.mouseDown (mouseAt (logo, 1.0f, 1.0f));
    EXPECT_TRUE (opened.empty());

    logo.url = "https://vanto.example/";
    logo.mouseDown (mouseAt (logo, 1.0f, 1.0f));
    EXPECT_EQ (opened.size(), 1u);
}

TEST_F (PromoTest, PictureButtonsSwapPicturesUnderThePointer)
{
    QELUpgradeButton upgrade;
    upgrade.setBounds (0, 0, 76, 24);
    EXPECT_EQ (upgrade.normalImage.getBounds(), juce::Rectangle<int> (0, 0, 153, 49));
    EXPECT_EQ (upgrade.hoverImage.getBounds(), juce::Rectangle<int> (0, 0, 153, 49));

    const auto idle = paintToImage (upgrade);
    upgrade.mouseEnter (mouseAt (upgrade, 5.0f, 5.0f));
    EXPECT_TRUE (upgrade.hovered);
    const auto hovered = paintToImage (upgrade);
    EXPECT_FALSE (differenceBounds (idle, hovered).isEmpty());
    upgrade.mouseExit (mouseAt (upgrade, 5.0f, 5.0f));
    EXPECT_FALSE (upgrade.hovered);
    EXPECT_TRUE (differenceBounds (idle, paintToImage (upgrade)).isEmpty());

    // The information and close buttons do the same with the pictures they are given.
    QELNagScreenButton info;
    info.normalImage = EmbeddedResources::infoButtonPicture();
    info.hoverImage = EmbeddedResources::infoButtonHoverPicture();
    info.setBounds (0, 0, 15, 15);
    const auto infoIdle = paintToImage (info);
    EXPECT_GT (inkPixels (infoIdle, infoIdle.getBounds()), 0);
    info.mouseEnter (mouseAt (info, 5.0f, 5.0f));
    EXPECT_FALSE (differenceBounds (infoIdle, paintToImage (info)).isEmpty());
    info.mouseExit (mouseAt (info, 5.0f, 5.0f));
    EXPECT_TRUE (differenceBounds (infoIdle, paintToImage (info)).isEmpty());
}

TEST_F (PromoTest, OverlayHoldsTheThankYouTextReadOnly)
{
    QELNagscreen overlay;
    EXPECT_EQ (overlay.textField.getText(),
               "Thanks for using this free plug-in. If you enjoy it, try out the full VANTO Groundwork! "
               "Good luck in all your creativity. \n\n-VANTO & Ferrowind Team");
    EXPECT_TRUE (overlay.textField.isReadOnly());
    EXPECT_EQ (overlay.getChildren(), (juce::Array<juce::Component*> { &overlay.closeButton, &overlay.textField }));

    overlay.setVisible (true);
    overlay.closeButton.mouseDown (mouseAt (overlay.closeButton, 3.0f, 3.0f));
    EXPECT_FALSE (overlay.isVisible());

    // A picture button without a handler ignores presses.
    QELNagScreenButton bare;
    bare.mouseDown (mouseAt (bare, 3.0f, 3.0f));
}

TEST_F (PromoTest, OverlayPanelStaysCentred)
{
    QELNagscreen overlay;
    overlay.setBounds (0, 0, 400, 477);
    EXPECT_EQ (overlay.panelBounds, juce::Rectangle<int> (38, 51, 325, 375));
    EXPECT_EQ (overlay.closeButton.getBounds(), juce::Rectangle<int> (344, 56, 14, 14));
    EXPECT_EQ (overlay.textField.getBounds(), juce::Rectangle<int> (43, 105, 311, 115));

    overlay.setBounds (0, 0, 600, 600);
    EXPECT_EQ (overlay.panelBounds, juce::Rectangle<int> (138, 113, 325, 375));
    EXPECT_EQ (overlay.closeButton.getBounds(), juce::Rectangle<int> (444, 118, 14, 14));
    EXPECT_EQ (overlay.textField.getBounds(), juce::Rectangle<int> (143, 167, 311, 115));
}

TEST_F (PromoTest, OverlayDimsTheWindowAndPaintsItsPanel)
{
    QELNagscreen overlay;
    overlay.gradientColour = juce::Colour (0xFFF8934Fu);
    overlay.setBounds (0, 0, 400, 477);
    const auto image = paintToImage (overlay);

    EXPECT_EQ (image.getPixelAt (10, 10), juce::Colour (0xA6000000u));
    // The title strip across the panel's top, then the gradient darkening downwards.
    EXPECT_EQ (image.getPixelAt (39, 52), juce::Colour (0xFF303035u));
    const auto top = image.getPixelAt (39, 102);
    const auto bottom = image.getPixelAt (39, 424);
    EXPECT_GT (top.getBrightness(), bottom.getBrightness());
    EXPECT_NEAR (bottom.getBrightness(), 0.5f, 0.03f);
    EXPECT_NEAR (bottom.getHue(), juce::Colour (0xFFF8934Fu).getHue(), 0.02f);
}

// The default opener hands the address to the desktop's opener. A fake
// xdg-open first on PATH records what it was given.
TEST_F (PromoTest, DefaultOpenerHandsTheAddressToTheDesktop)
{
    juce::TemporaryFile folder;
    ASSERT_TRUE (folder.getFile().createDirectory());
    const auto record = folder.getFile().getChildFile ("opened.txt");
    const auto fake = folder.getFile().getChildFile ("xdg-open");
    ASSERT_TRUE (fake.replaceWithText ("#!/bin/sh\nprintf '%s' \"$1\" > \"" + record.getFullPathName() + ".tmp\"\n"
                                       "mv \"" + record.getFullPathName() + ".tmp\" \"" + record.getFullPathName() + "\"\n",
                                       false, false, "\n"));
    ASSERT_TRUE (fake.setExecutePermission (true));

    const juce::String oldPath (std::getenv ("PATH"));
    setenv ("PATH", (folder.getFile().getFullPathName() + ":" + oldPath).toRawUTF8(), 1);

    QELUpgradeButton button;
    button.url = "https://store.vanto.example" + storePath;
    button.mouseDown (mouseAt (button, 1.0f, 1.0f));

    const auto deadline = juce::Time::getMillisecondCounter() + 10000;
    while (! record.existsAsFile() && juce::Time::getMillisecondCounter() < deadline)
        juce::Thread::sleep (10);
    setenv ("PATH", oldPath.toRawUTF8(), 1);

    ASSERT_TRUE (record.existsAsFile());
    EXPECT_EQ (record.loadFileAsString(), button.url);
    folder.getFile().deleteRecursively();
}
