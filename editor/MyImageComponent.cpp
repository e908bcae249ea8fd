#include "MyImageComponent.h"

#include "PictureDrawing.h"

void MyImageComponent::paint (juce::Graphics& g)
{
    if (image != nullptr)
        drawPictureToFit (g, *image, getLocalBounds());
}
