#include "QELRotaryControlNew.h"
#include "support/EditorHarness.h"

#include <cmath>
#include <limits>

using namespace EditorHarness;

namespace
{
    constexpr float pi = juce::MathConstants<float>::pi;

    // The editor's knob geometry: disc 67 x 66 centred at (33.5, 33), arc radius 27.5.
    constexpr float centreX = 33.5f;
    constexpr float centreY = 33.0f;
    constexpr float arcRadius = 27.5f;

    // A point at `radius` from the centre, `angle` clockwise from twelve o'clock.
    juce::Point<int> onDisc (float angle, float radius = arcRadius)
    {
        return { (int) std::floor (centreX + radius * std::sin (angle)),
                 (int) std::floor (centreY - radius * std::cos (angle)) };
    }

    int brightness (juce::Colour c) { return c.getRed() + c.getGreen() + c.getBlue(); }

    juce::Rectangle<int> around (juce::Point<int> p, int halfSize = 1)
    {
        return { p.x - halfSize, p.y - halfSize, 2 * halfSize + 1, 2 * halfSize + 1 };
    }
}

class RotaryTest : public ProcessorTest
{
protected:
    RotaryTest()
    {
        for (auto* knob : { &air, &mids, &sub })
            knob->place (0, 0, 0);

        parent.setBounds (0, 0, 200, 200);
        parent.addAndMakeVisible (sub);
        parent.addAndMakeVisible (companion);
        companion.setBounds (10, 17, 43, 31);
    }

    juce::Image drawAt (QELRotaryControlNew& knob, float normalised)
    {
        return paintWith (knob.getWidth(), knob.getHeight(), [&] (juce::Graphics& g) { knob.draw (g, normalised); });
    }

    void typeAndCommit (QELRotaryControlNew& knob, const juce::String& text)
    {
        knob.mouseDoubleClick (mouseAt (knob, 10.0f, 30.0f, 2));
        knob.valueBox.setText (text, false);
        knob.commitTypedValue();
    }

    juce::Component parent, companion;
    QELRotaryControlNew air { manager(), processor.kickAirParam, nullptr };
    QELRotaryControlNew mids { manager(), processor.kickMidsParam, nullptr };
    QELRotaryControlNew sub { manager(), processor.kickSubParam, &companion };
};

TEST_F (RotaryTest, ConstructionAndPlacement)
{
    EXPECT_TRUE (air.showCentre);
    EXPECT_TRUE (air.showIcon);
    EXPECT_TRUE (air.showValue);
    EXPECT_FALSE (sub.showIcon);
    EXPECT_FALSE (sub.showValue);
    EXPECT_EQ (air.name, "Volume");
    EXPECT_TRUE (air.getWantsKeyboardFocus());

    mids.place (120, 210, -2);
    EXPECT_EQ (mids.getBounds(), juce::Rectangle<int> (120, 210, 67, 96));
    EXPECT_EQ (mids.nameAreaHeight, 30);
    EXPECT_EQ (mids.iconOffsetY, -2);
    EXPECT_EQ (mids.valueBox.getBounds(), juce::Rectangle<int> (0, 25, 67, 14));
    EXPECT_FALSE (mids.valueBox.isVisible());
    EXPECT_EQ (mids.valueBox.getParentComponent(), &mids);
}

TEST_F (RotaryTest, ArcAndDotFollowTheValue)
{
    air.dotColour = juce::Colour (0xFF00FF00u);
    const auto empty = drawAt (air, 0.0f);
    const auto half = drawAt (air, 0.5f);
    const auto full = drawAt (air, 1.0f);

    const auto isDot = [] (juce::Colour c) { return c.getGreen() > 200 && c.getRed() < 80 && c.getBlue() < 80; };
    const auto dotAt = [&] (const juce::Image& image, float angle)
    {
        return countPixels (image, around (onDisc (angle)), isDot) > 0;
    };

    EXPECT_TRUE (dotAt (empty, -0.75f * pi));
    EXPECT_TRUE (dotAt (half, 0.0f));
    EXPECT_TRUE (dotAt (full, 0.75f * pi));
    EXPECT_FALSE (dotAt (empty, 0.0f));
    EXPECT_FALSE (dotAt (half, 0.75f * pi));

    // The translucent white arc lightens the ring from -135 degrees up to the value.
    const auto lit = [&] (const juce::Image& image, float angle)
    {
        const auto p = onDisc (angle);
        return brightness (image.getPixelAt (p.x, p.y)) > brightness (empty.getPixelAt (p.x, p.y)) + 30;
    };

    EXPECT_TRUE (lit (half, -0.5f * pi));
    EXPECT_FALSE (lit (half, 0.5f * pi));
    EXPECT_TRUE (lit (full, -0.5f * pi));
    EXPECT_TRUE (lit (full, 0.5f * pi));
    EXPECT_FALSE (lit (full, pi));   // the gap at the bottom
}

TEST_F (RotaryTest, ANonFiniteValueDrawsLikeTheRangeStart)
{
    air.value = 0.0f;
    const auto atStart = paintToImage (air);
    air.value = std::numeric_limits<float>::quiet_NaN();
    EXPECT_TRUE (differenceBounds (atStart, paintToImage (air)).isEmpty());
}

TEST_F (RotaryTest, HoverExchangesIconAndValue)
{
    juce::DrawablePath icon;
    juce::Path square;
    square.addRectangle (0.0f, 0.0f, 10.0f, 10.0f);
    icon.setPath (square);
    icon.setFill (juce::Colours::blue);
    air.icon = &icon;
    air.place (0, 0, 0);
    setParameter ("Kick_AirId", 50.0f);
    air.refreshFromParameter();

    const juce::Rectangle<int> iconArea (19, 19, 29, 28);
    const auto isIcon = [] (juce::Colour c) { return c.getBlue() > 120 && c.getRed() < 60; };
    const auto valueInk = [&] (const juce::Image& image)
    {
        // Inside the inner disc, clear of the orange ring.
        return countPixels (image, { 12, 25, 43, 14 }, [] (juce::Colour c) { return c.getRed() > 0x60 && c.getRed() > c.getBlue() + 0x20; });
    };

    auto image = paintToImage (air);
    EXPECT_TRUE (icon.isVisible());
    EXPECT_EQ (icon.getParentComponent(), &air);
    EXPECT_GT (countPixels (image, iconArea, isIcon), 0);
    EXPECT_EQ (valueInk (image), 0);

    air.mouseEnter (mouseAt (air, 30.0f, 30.0f));
    image = paintToImage (air);
    EXPECT_FALSE (icon.isVisible());
    EXPECT_EQ (countPixels (image, iconArea, isIcon), 0);
    EXPECT_GT (valueInk (image), 0);

    air.mouseExit (mouseAt (air, 100.0f, 100.0f));
    paintToImage (air);
    EXPECT_TRUE (icon.isVisible());

    // Hovering works while disabled too.
    air.setEnabled (false);
    air.mouseEnter (mouseAt (air, 30.0f, 30.0f));
    EXPECT_FALSE (air.showIcon);
}

TEST_F (RotaryTest, ValueIsCentredOnTheBoxWithTheUnitAfterIt)
{
    setParameter ("Kick_MidsId", 150.0f);
    mids.refreshFromParameter();
    mids.showIcon = false;
    mids.showValue = false;
    const auto withoutText = paintToImage (mids);
    mids.showValue = true;
    const auto withText = paintToImage (mids);

    // Expected places, from the widths of "150" and "%" in the knob's fonts.
    const auto valueFont = mids.valueFont.withHeight (14.0f);
    const auto tw = (int) std::ceil (valueFont.getStringWidthFloat ("150"));
    const auto lw = (int) std::ceil (valueFont.withHeight (10.0f).getStringWidthFloat ("%"));
    const auto box = mids.valueBox.getBounds();
    const auto textX = box.getX() + (box.getWidth() - lw - tw) / 2 + lw / 2;
    const juce::Rectangle<int> textArea (textX, box.getY() + 2, tw, box.getHeight() - 2);
    const juce::Rectangle<int> unitArea (textX + tw, box.getY() + 4, lw, box.getHeight() - 2);

    const auto changed = differenceBounds (withoutText, withText);
    ASSERT_FALSE (changed.isEmpty());
    EXPECT_TRUE (textArea.getUnion (unitArea).expanded (2).contains (changed)) << changed.toString();

    const auto inkIn = [&] (juce::Rectangle<int> area)
    {
        return differenceBounds (withoutText.getClippedImage (area), withText.getClippedImage (area)).isEmpty() == false;
    };
    EXPECT_TRUE (inkIn (textArea));
    EXPECT_TRUE (inkIn (unitArea));
}

TEST_F (RotaryTest, DoubleClickOnTheValueAreaOpensTheBoxElsewhereResets)
{
    setParameter ("Kick_AirId", 50.0f);
    air.refreshFromParameter();

    air.mouseDoubleClick (mouseAt (air, 10.0f, 30.0f, 2));
    EXPECT_TRUE (air.valueBox.isVisible());
    EXPECT_EQ (air.valueBox.getText(), "50");
    EXPECT_FALSE (air.showCentre);
    EXPECT_FALSE (air.showIcon);
    EXPECT_TRUE (gestures.sentNothing());

    // Box edges: top and left inside, bottom and right outside.
    air.commitTypedValue();
    gestures.clear();
    air.mouseDoubleClick (mouseAt (air, 10.0f, 39.0f, 2));
    EXPECT_FALSE (air.valueBox.isVisible());
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 0.0f);

    gestures.clear();
    air.mouseDoubleClick (mouseAt (air, 10.0f, 60.0f, 2));
    EXPECT_FALSE (air.valueBox.isVisible());
    EXPECT_TRUE (gestures.sentOneGesture());
}

TEST_F (RotaryTest, TypedValuesAreClampedAndTextWithoutANumberSendsZero)
{
    setParameter ("Kick_AirId", 50.0f);
    air.refreshFromParameter();

    typeAndCommit (air, "150");
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 100.0f);
    EXPECT_TRUE (air.showCentre);
    EXPECT_FALSE (air.valueBox.isVisible());
    EXPECT_FALSE (air.showIcon);   // the value shows until the mouse leaves

    typeAndCommit (mids, "150");
    EXPECT_EQ (gestures.lastPlainValue(), 150.0f);

    for (auto text : { "", "-", ".", "-5" })
    {
        setParameter ("Kick_AirId", 50.0f);
        typeAndCommit (air, text);
        EXPECT_TRUE (gestures.sentOneGesture()) << text;
        EXPECT_EQ (parameterValue ("Kick_AirId"), 0.0f) << text;
    }

    typeAndCommit (air, "42.7");
    EXPECT_EQ (parameterValue ("Kick_AirId"), 43.0f);
}

TEST_F (RotaryTest, OneEditCommitsOnce)
{
    typeAndCommit (air, "30");
    air.textEditorFocusLost (air.valueBox);       // the focus loss that follows Return
    air.textEditorReturnKeyPressed (air.valueBox);
    EXPECT_TRUE (gestures.sentOneGesture());
}

TEST_F (RotaryTest, TheBoxAcceptsSixDigitsSignsAndPoints)
{
    air.mouseDoubleClick (mouseAt (air, 10.0f, 30.0f, 2));
    air.valueBox.setText ({}, false);
    air.valueBox.insertTextAtCaret ("1a2b-3.4 5678");
    EXPECT_EQ (air.valueBox.getText(), "12-3.4");
}

TEST_F (RotaryTest, PressingTheSubKnobHidesItsCompanionUntilRelease)
{
    sub.mouseDown (mouseAt (sub, 30.0f, 30.0f));
    EXPECT_FALSE (companion.isVisible());
    EXPECT_TRUE (sub.showValue);
    EXPECT_FALSE (sub.showIcon);

    sub.mouseDrag (dragEvent (sub, { 30.0f, 30.0f }, { 30.0f, 5.0f }));
    EXPECT_FALSE (companion.isVisible());
    EXPECT_EQ (gestures.lastPlainValue(), 10.0f);

    sub.mouseUp (mouseAt (sub, 30.0f, 5.0f));
    EXPECT_TRUE (companion.isVisible());
    EXPECT_FALSE (sub.showValue);
}

TEST_F (RotaryTest, TheSubKnobHasNeitherTypingNorReset)
{
    setParameter ("Kick_SubId", 40.0f);
    for (auto y : { 30.0f, 60.0f })
        sub.mouseDoubleClick (mouseAt (sub, 10.0f, y, 2));

    EXPECT_FALSE (sub.valueBox.isVisible());
    EXPECT_TRUE (gestures.sentNothing());
}

TEST_F (RotaryTest, ADisabledKnobIgnoresPressDragReleaseAndDoubleClick)
{
    parent.setEnabled (false);
    sub.mouseDown (mouseAt (sub, 30.0f, 30.0f));
    EXPECT_TRUE (companion.isVisible());
    sub.mouseDrag (dragEvent (sub, { 30.0f, 30.0f }, { 30.0f, 5.0f }));
    sub.mouseUp (mouseAt (sub, 30.0f, 5.0f));

    air.setEnabled (false);
    air.mouseDoubleClick (mouseAt (air, 10.0f, 30.0f, 2));
    air.mouseDoubleClick (mouseAt (air, 10.0f, 60.0f, 2));
    EXPECT_FALSE (air.valueBox.isVisible());
    EXPECT_TRUE (gestures.sentNothing());
}
