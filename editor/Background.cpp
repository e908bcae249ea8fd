#include "Background.h"

#include "EmbeddedResources.h"
#include "PictureDrawing.h"

Background::Background()
{
    setWantsKeyboardFocus (true);
}

void Background::resized()
{
    if (getLocalBounds().isEmpty())
    {
        cachedImage = {};
        return;
    }

    juce::Image rendered (juce::Image::ARGB, getWidth(), getHeight(), false);
    juce::Graphics g (rendered);
    g.fillAll (backgroundFillColour);
    drawPictureToFit (g, EmbeddedResources::backgroundPicture(), getLocalBounds());
    cachedImage = std::move (rendered);
}

void Background::paint (juce::Graphics& g)
{
    if (cachedImage.isValid())
        g.drawImage (cachedImage, getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
}
