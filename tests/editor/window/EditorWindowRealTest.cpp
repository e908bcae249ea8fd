#include "PluginEditor.h"
#include "support/EditorHarness.h"

using namespace EditorHarness;

// The whole editor in a real top-level window: the timer runs through the
// message loop and mouse clicks go through the window's peer, as in a host.
class EditorRealWindowTest : public ProcessorTest
{
protected:
    EditorRealWindowTest()
    {
        installHostXErrorHandler();
        editor.reset (dynamic_cast<TemplateEffectAudioProcessorEditor*> (processor.createEditor()));
        editor->setTopLeftPosition (50, 50);
        editor->addToDesktop (0);
        editor->setVisible (true);
        editor->toFront (true);
        EXPECT_TRUE (pumpUntil ([this] { return editor->isShowing(); }));
    }

    ~EditorRealWindowTest() override
    {
        if (editor != nullptr)
            editor->removeFromDesktop();
    }

    // A left click at a point of the window, delivered as the window system would.
    void clickAt (juce::Point<float> position)
    {
        auto* peer = editor->getPeer();
        ASSERT_NE (peer, nullptr);
        const auto now = juce::Time::currentTimeMillis();
        const auto mouse = juce::MouseInputSource::InputSourceType::mouse;
        peer->handleMouseEvent (mouse, position, juce::ModifierKeys::leftButtonModifier,
                                juce::MouseInputSource::defaultPressure, 0.0f, now);
        peer->handleMouseEvent (mouse, position, juce::ModifierKeys(),
                                juce::MouseInputSource::defaultPressure, 0.0f, now + 10);
        ASSERT_TRUE (deliverPostedMessages());
    }

    std::unique_ptr<TemplateEffectAudioProcessorEditor> editor;
};

TEST_F (EditorRealWindowTest, TimerFollowsAutomationAndTheWindowCanBeSnapshotted)
{
    ASSERT_TRUE (editor->isShowing());
    setParameter ("Kick_WidthId", 150.0f);
    setParameter ("graphModeId", 0.0f);
    EXPECT_TRUE (pumpUntil ([this] { return editor->widthKnob.value == 150.0f && processor.waveformView.isVisible(); }));
    EXPECT_FALSE (editor->spectrum.isVisible());
    EXPECT_TRUE (gestures.sentNothing());

    const auto snapshot = editor->createComponentSnapshot (editor->getLocalBounds());
    EXPECT_EQ (snapshot.getBounds(), juce::Rectangle<int> (0, 0, 400, 477));
    const auto file = juce::File::getSpecialLocation (juce::File::currentExecutableFile)
                          .getSiblingFile ("editor_window_snapshot.png");
    file.deleteFile();
    juce::FileOutputStream stream (file);
    ASSERT_TRUE (stream.openedOk());
    EXPECT_TRUE (juce::PNGImageFormat().writeImageToStream (snapshot, stream));
}

TEST_F (EditorRealWindowTest, ClickOnAnEmptyPartOfTheWindowCommitsTheValueBeingTyped)
{
    auto& air = editor->airKnob;
    air.mouseDoubleClick (mouseAt (air, 10.0f, 30.0f, 2));
    ASSERT_TRUE (pumpUntil ([&air] { return air.valueBox.hasKeyboardFocus (false); }));
    air.valueBox.insertTextAtCaret ("42");

    clickAt ({ 200.0f, 196.0f });   // between the display and the knob plate

    ASSERT_TRUE (pumpUntil ([this] { return ! gestures.sends.empty(); }));
    ASSERT_TRUE (deliverPostedMessages());
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (parameterValue ("Kick_AirId"), 42.0f);
    EXPECT_FALSE (air.valueBox.isVisible());
}

TEST_F (EditorRealWindowTest, OverlayOpensAndClosesWithRealClicksAndBlocksTheWidgetsBeneath)
{
    const juce::Point<float> noteUpArrow { 70.0f, 235.0f };
    clickAt (noteUpArrow);
    EXPECT_TRUE (gestures.sentOneGesture());
    gestures.clear();

    clickAt ({ 12.0f, 463.0f });     // the information button
    ASSERT_TRUE (editor->nagscreen.isVisible());

    clickAt (noteUpArrow);           // now under the dimmed area
    EXPECT_TRUE (gestures.sentNothing());
    EXPECT_TRUE (editor->nagscreen.isVisible());

    clickAt ({ 351.0f, 63.0f });     // the close button
    EXPECT_FALSE (editor->nagscreen.isVisible());
}
