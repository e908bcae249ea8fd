#include "QELRotaryControlNew.h"
#include "support/EditorHarness.h"

using namespace EditorHarness;

// The knob in a real window, so that keyboard focus and the text editor's
// posted Return and focus-loss messages behave as in the plug-in.
class ValueBoxWindowTest : public ProcessorTest
{
protected:
    ValueBoxWindowTest()
    {
        installHostXErrorHandler();

        // Like the editor: a click outside the widgets takes the focus.
        window.setWantsKeyboardFocus (true);
        window.setBounds (100, 100, 200, 200);
        window.addAndMakeVisible (air);
        air.place (10, 10, 0);
        window.addToDesktop (0);
        window.setVisible (true);
        window.toFront (true);
        EXPECT_TRUE (pumpUntil ([this] { return window.isShowing(); }));

        setParameter ("Kick_AirId", 50.0f);
        air.refreshFromParameter();
    }

    ~ValueBoxWindowTest() override { window.removeFromDesktop(); }

    void openBox()
    {
        air.mouseDoubleClick (mouseAt (air, 10.0f, 30.0f, 2));
        ASSERT_TRUE (pumpUntil ([this] { return air.valueBox.hasKeyboardFocus (false); }));
    }

    juce::Component window;
    QELRotaryControlNew air { manager(), processor.kickAirParam, nullptr };
};

TEST_F (ValueBoxWindowTest, DoubleClickFocusesTheBoxWithTheWholeValueSelected)
{
    openBox();
    EXPECT_EQ (air.valueBox.getText(), "50");
    EXPECT_EQ (air.valueBox.getHighlightedRegion(), juce::Range<int> (0, 2));
    EXPECT_TRUE (gestures.sentNothing());
}

TEST_F (ValueBoxWindowTest, ReturnCommitsOnceDespiteTheFocusLossThatFollows)
{
    openBox();
    air.valueBox.insertTextAtCaret ("150");   // replaces the selection
    air.valueBox.keyPressed (juce::KeyPress (juce::KeyPress::returnKey));

    ASSERT_TRUE (pumpUntil ([this] { return ! gestures.sends.empty(); }));
    EXPECT_TRUE (pumpUntil ([this] { return ! air.valueBox.hasKeyboardFocus (false); }));
    ASSERT_TRUE (deliverPostedMessages());   // the text editor's posted focus loss among them

    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 100.0f);
    EXPECT_FALSE (air.valueBox.isVisible());
    EXPECT_TRUE (air.showCentre);
}

TEST_F (ValueBoxWindowTest, FocusMovingElsewhereCommitsTheTypedValue)
{
    openBox();
    air.valueBox.insertTextAtCaret ("42");
    window.grabKeyboardFocus();

    ASSERT_TRUE (pumpUntil ([this] { return ! gestures.sends.empty(); }));
    ASSERT_TRUE (deliverPostedMessages());

    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (parameterValue ("Kick_AirId"), 42.0f);
    EXPECT_FALSE (air.valueBox.isVisible());
}
