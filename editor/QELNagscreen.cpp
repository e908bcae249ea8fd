#include "QELNagscreen.h"

#include "EmbeddedResources.h"
#include "PictureDrawing.h"

void QELNagScreenButton::mouseEnter (const juce::MouseEvent&)
{
    hovered = true;
    repaint();
}

void QELNagScreenButton::mouseExit (const juce::MouseEvent&)
{
    hovered = false;
    repaint();
}

void QELNagScreenButton::mouseDown (const juce::MouseEvent&)
{
    if (onClick)
        onClick();
}

void QELNagScreenButton::paint (juce::Graphics& g)
{
    drawPictureToFit (g, hovered ? hoverImage : normalImage, getLocalBounds());
}

//==============================================================================
const juce::String QELNagscreen::thankYouText {
    "Thanks for using this free plug-in. If you enjoy it, try out the full VANTO Groundwork! "
    "Good luck in all your creativity. \n\n-VANTO & Ferrowind Team" };
const juce::Colour QELNagscreen::dimColour { 0xA6000000u };
const juce::Colour QELNagscreen::titleStripColour { 0xFF303035u };

QELNagscreen::QELNagscreen()
{
    textField.setMultiLine (true, true);
    textField.setReadOnly (true);
    textField.setColour (juce::TextEditor::backgroundColourId, juce::Colours::white.withAlpha ((juce::uint8) 0));
    textField.setColour (juce::TextEditor::textColourId, juce::Colours::white);
    textField.setColour (juce::TextEditor::outlineColourId, juce::Colours::white.withAlpha ((juce::uint8) 0));

    panelImage = EmbeddedResources::overlayPanelPicture();
    closeButton.normalImage = EmbeddedResources::closeButtonPicture();
    closeButton.hoverImage = EmbeddedResources::closeButtonHoverPicture();

    addAndMakeVisible (closeButton);
    closeButton.onClick = [this] { setVisible (false); };
    addAndMakeVisible (textField);
    textField.setText (thankYouText, true);
}

void QELNagscreen::resized()
{
    const auto cx = getWidth() / 2;
    const auto cy = getHeight() / 2;
    panelBounds = { cx - 162, cy - 187, panelWidth, panelHeight };
    closeButton.setBounds (cx + 144, cy - 182, 14, 14);
    textField.setBounds (cx - 157, cy - 133, 311, 115);
}

void QELNagscreen::paint (juce::Graphics& g)
{
    g.fillAll (dimColour);

    const auto panel = panelBounds.toFloat();
    g.setGradientFill (juce::ColourGradient (gradientColour, panel.getX(), panel.getY(),
                                             gradientColour.withBrightness (gradientBottomBrightness),
                                             panel.getX(), panel.getBottom(), false));
    g.fillRect (panelBounds);

    g.setColour (titleStripColour);
    g.fillRect (panelBounds.withHeight (titleStripHeight));

    drawPictureToFit (g, panelImage, { panelBounds.getX() + 5, panelBounds.getY() + 10, 312, 356 });
}
