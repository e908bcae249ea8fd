#include "QELNoteSelector.h"
#include "QELRotaryControlNew.h"
#include "support/EditorHarness.h"

using namespace EditorHarness;

class NoteSelectorTest : public ProcessorTest
{
protected:
    std::unique_ptr<QELNoteSelector> makeSelector()
    {
        auto selector = std::make_unique<QELNoteSelector> (manager(), processor.kickSubFreqParam, 10);
        selector->setBounds (0, 0, 43, 31);
        return selector;
    }

    void click (QELNoteSelectorButton& arrow) { arrow.mouseDown (mouseAt (arrow, 5.0f, 5.0f)); }
};

TEST_F (NoteSelectorTest, ArrowsSitAtTheRightAndStartEnabledByTheNote)
{
    auto selector = makeSelector();
    EXPECT_EQ (selector->upButton.getBounds(), juce::Rectangle<int> (28, 3, 13, 10));
    EXPECT_EQ (selector->downButton.getBounds(), juce::Rectangle<int> (28, 18, 13, 10));
    EXPECT_TRUE (selector->upButton.isEnabled());
    EXPECT_FALSE (selector->downButton.isEnabled());   // the note starts at C

    setParameter ("Kick_SubFreqId", 11.0f);
    selector = makeSelector();
    EXPECT_FALSE (selector->upButton.isEnabled());
    EXPECT_TRUE (selector->downButton.isEnabled());

    setParameter ("Kick_SubFreqId", 5.0f);
    selector = makeSelector();
    EXPECT_TRUE (selector->upButton.isEnabled());
    EXPECT_TRUE (selector->downButton.isEnabled());
}

TEST_F (NoteSelectorTest, StepsOneNoteFromTheParameterAndStopsAtTheLimits)
{
    setParameter ("Kick_SubFreqId", 10.0f);
    auto selector = makeSelector();
    selector->value = 3.0f;   // the cached value plays no part

    click (selector->upButton);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.sends[0].paramID, "Kick_SubFreqId");
    EXPECT_EQ (gestures.lastPlainValue(), 11.0f);
    EXPECT_FALSE (selector->upButton.isEnabled());

    // A disabled arrow still re-sends its limit.
    gestures.clear();
    click (selector->upButton);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 11.0f);

    click (selector->downButton);
    EXPECT_EQ (gestures.lastPlainValue(), 10.0f);
    EXPECT_TRUE (selector->upButton.isEnabled());
    EXPECT_TRUE (selector->downButton.isEnabled());

    setParameter ("Kick_SubFreqId", 1.0f);
    click (selector->downButton);
    EXPECT_EQ (gestures.lastPlainValue(), 0.0f);
    EXPECT_FALSE (selector->downButton.isEnabled());

    gestures.clear();
    click (selector->downButton);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 0.0f);

    click (selector->upButton);
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);
    EXPECT_TRUE (selector->downButton.isEnabled());
}

TEST_F (NoteSelectorTest, AutomationToALimitLeavesTheArrowsAsTheyWere)
{
    auto selector = makeSelector();
    setParameter ("Kick_SubFreqId", 11.0f);
    selector->refreshFromParameter();
    EXPECT_EQ (selector->value, 11.0f);
    EXPECT_TRUE (selector->upButton.isEnabled());

    click (selector->upButton);
    EXPECT_EQ (gestures.lastPlainValue(), 11.0f);
    EXPECT_FALSE (selector->upButton.isEnabled());
}

TEST_F (NoteSelectorTest, PressesOutsideTheArrowsReachTheKnobBeneath)
{
    juce::Component window;
    window.setBounds (0, 0, 400, 477);
    window.setVisible (true);
    auto selector = makeSelector();
    QELRotaryControlNew subKnob (manager(), processor.kickSubParam, selector.get());
    window.addAndMakeVisible (subKnob);
    window.addAndMakeVisible (*selector);
    subKnob.place (26, 210, 0);
    selector->setBounds (36, 227, 43, 31);

    EXPECT_EQ (window.getComponentAt (40, 240), &subKnob);
    EXPECT_EQ (window.getComponentAt (36 + 30, 227 + 5), &selector->upButton);
    EXPECT_EQ (window.getComponentAt (36 + 30, 227 + 22), &selector->downButton);

    // What the knob then does with that press: hide the selector until release.
    subKnob.mouseDown (mouseAt (subKnob, 14.0f, 30.0f));
    EXPECT_FALSE (selector->isVisible());
    subKnob.mouseUp (mouseAt (subKnob, 14.0f, 30.0f));
    EXPECT_TRUE (selector->isVisible());
}

TEST_F (NoteSelectorTest, ShowsTheNoteNameLeftOfTheArrows)
{
    auto selector = makeSelector();
    selector->noteColour = juce::Colour (0xFFC0B38Bu);
    selector->noteFont = juce::Font (12.0f);

    for (auto [index, name] : { std::pair { 1, "C#" }, std::pair { 11, "B" } })
    {
        const auto drawn = paintWith (43, 31, [&] (juce::Graphics& g) { selector->draw (g, index); });

        // The same separators and the expected name in the expected place.
        const auto expected = paintWith (43, 31, [&] (juce::Graphics& g)
        {
            g.setColour (juce::Colours::white.withAlpha ((juce::uint8) 0x33));
            g.drawLine (23.5f, 0.0f, 23.5f, 31.0f);
            g.drawLine (23.5f, 15.5f, 43.0f, 15.5f);
            g.setFont (selector->noteFont);
            g.setColour (selector->noteColour);
            g.drawText (name, -10, 9, 43, 13, juce::Justification::centred, true);
        });

        EXPECT_TRUE (differenceBounds (drawn, expected).isEmpty()) << name;
        EXPECT_GT (countPixels (drawn, { 0, 9, 23, 13 }, [] (juce::Colour c) { return c.getGreen() > 0x60; }), 0) << name;
    }
}

TEST_F (NoteSelectorTest, ChevronsPointTheirWayAndBrightenOnlyWhenEnabled)
{
    QELNoteSelectorButton up, down;
    down.direction = QELNoteSelectorButton::down;
    for (auto* b : { &up, &down })
        b->setBounds (0, 0, 13, 10);

    // Up: (3, 7) -> (6, 3) -> (10, 7); down: (3, 3) -> (6, 7) -> (10, 3).
    const auto upImage = paintToImage (up);
    const auto downImage = paintToImage (down);
    EXPECT_GT (inkPixels (upImage, { 5, 2, 3, 2 }), 0);
    EXPECT_EQ (inkPixels (upImage, { 5, 7, 3, 2 }), 0);
    EXPECT_GT (inkPixels (downImage, { 5, 6, 3, 2 }), 0);
    EXPECT_EQ (inkPixels (downImage, { 5, 2, 3, 2 }), 0);

    const auto strongest = [] (QELNoteSelectorButton& b) { return maxAlpha (paintToImage (b), b.getLocalBounds()); };
    EXPECT_LE (strongest (up), 0x7F);

    up.mouseEnter (mouseAt (up, 5.0f, 5.0f));
    EXPECT_GT (strongest (up), 0x7F);
    EXPECT_LE (strongest (up), 0xCC);

    up.setEnabled (false);
    EXPECT_LE (strongest (up), 0x7F);

    up.mouseExit (mouseAt (up, 50.0f, 50.0f));
    EXPECT_FALSE (up.hovered);

    QELNoteSelectorButton sideways;
    sideways.direction = 2;
    sideways.setBounds (0, 0, 13, 10);
    EXPECT_EQ (inkPixels (paintToImage (sideways), { 0, 0, 13, 10 }), 0);
}
