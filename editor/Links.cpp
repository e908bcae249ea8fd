#include "Links.h"

#include "EmbeddedResources.h"
#include "PictureDrawing.h"

LinkOpener defaultLinkOpener()
{
    // A missing browser has no visible effect; there is nobody to tell.
    return [] (const juce::URL& address) { address.launchInDefaultBrowser(); };
}

void openLink (const juce::String& address, const LinkOpener& opener)
{
    if (address.isNotEmpty() && opener)
        opener (juce::URL (address));
}

//==============================================================================
QELUpgradeButton::QELUpgradeButton()
    : normalImage (EmbeddedResources::upgradeButtonPicture()),
      hoverImage (EmbeddedResources::upgradeButtonHoverPicture())
{
}

void QELUpgradeButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void QELUpgradeButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void QELUpgradeButton::mouseDown (const juce::MouseEvent&)
{
    openLink (url, opener);
}

void QELUpgradeButton::paint (juce::Graphics& g)
{
    drawPictureToFit (g, hovered ? hoverImage : normalImage, getLocalBounds());
}

//==============================================================================
void HyperLinkLogo::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void HyperLinkLogo::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void HyperLinkLogo::mouseDown (const juce::MouseEvent&)
{
    openLink (url, opener);
}

void HyperLinkLogo::paint (juce::Graphics& g)
{
    g.setFont (font.withHeight (textHeight));
    g.setColour (hovered ? juce::Colours::white : juce::Colours::white.withAlpha (idleAlpha));
    g.drawText (text, getLocalBounds(), juce::Justification::centred, true);
}
