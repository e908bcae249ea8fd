#include "PluginEditor.h"
#include "support/EditorHarness.h"

#include <cmath>
#include <limits>
#include <vector>

using namespace EditorHarness;

namespace
{
struct EditorWindowTest : ProcessorTest
{
    std::unique_ptr<TemplateEffectAudioProcessorEditor> openEditor()
    {
        auto* created = processor.createEditor();
        auto* editor = dynamic_cast<TemplateEffectAudioProcessorEditor*> (created);
        EXPECT_NE (editor, nullptr);
        if (editor == nullptr)
            delete created;
        return std::unique_ptr<TemplateEffectAudioProcessorEditor> (editor);
    }

    void expectDisplays (const TemplateEffectAudioProcessorEditor& editor, bool spectrum, bool waveform)
    {
        EXPECT_EQ (editor.spectrum.isVisible(), spectrum);
        EXPECT_EQ (editor.waveformView->isVisible(), waveform);
    }

    static const juce::String graphModeId;
};

const juce::String EditorWindowTest::graphModeId { "graphModeId" };
}

TEST_F (EditorWindowTest, ChildrenAreStackedBackToFrontInConstructionOrder)
{
    auto editor = openEditor();
    auto& e = *editor;
    const std::vector<juce::Component*> expected {
        &e.background, &e.captionView, &e.panelView, &e.spectrum, &processor.waveformView,
        &e.graphModeSwitch, &e.harmonicsKnob, &e.pressureKnob, &e.subKnob, &e.subFreqSelector,
        &e.airKnob, &e.midsKnob, &e.transKnob, &e.compressionKnob, &e.widthKnob,
        &e.upgradeButton, &e.infoButton, &e.nagscreen };

    const auto children = e.getChildren();
    ASSERT_EQ (children.size(), (int) expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ (children[(int) i], expected[i]) << "child " << i;

    // The power toggle and the company link are laid out but never shown.
    EXPECT_EQ (e.pluginName.getParentComponent(), nullptr);
    EXPECT_EQ (e.companyLogo.getParentComponent(), nullptr);
    EXPECT_EQ (e.companyLogo.text, "Company name");
    EXPECT_TRUE (e.companyLogo.url.isEmpty());
}

TEST_F (EditorWindowTest, LayoutFollowsTheFixedWindowGeometry)
{
    auto editor = openEditor();
    auto& e = *editor;
    EXPECT_EQ (e.getBounds(), juce::Rectangle<int> (0, 0, 400, 477));
    EXPECT_FALSE (e.isResizable());

    using R = juce::Rectangle<int>;
    const std::vector<std::pair<juce::Component*, R>> table {
        { &e.background, { 0, 0, 400, 477 } },      { &e.panelView, { 0, 0, 400, 477 } },
        { &e.captionView, { 0, 0, 400, 477 } },     { &e.pluginName, { 23, 12, 137, 20 } },
        { &e.companyLogo, { 20, 100, 200, 40 } },   { &e.upgradeButton, { 320, 11, 76, 24 } },
        { &e.graphModeSwitch, { 345, 50, 50, 30 } }, { &e.spectrum, { 0, 48, 400, 140 } },
        { e.waveformView, { 0, 48, 400, 140 } },     { &e.subKnob, { 26, 210, 67, 96 } },
        { &e.midsKnob, { 120, 210, 67, 96 } },       { &e.airKnob, { 212, 210, 67, 96 } },
        { &e.transKnob, { 307, 210, 67, 96 } },      { &e.harmonicsKnob, { 26, 337, 67, 96 } },
        { &e.pressureKnob, { 120, 337, 67, 96 } },   { &e.subFreqSelector, { 36, 227, 43, 31 } },
        { &e.compressionKnob, { 212, 337, 67, 96 } }, { &e.widthKnob, { 307, 337, 67, 96 } },
        { &e.nagscreen, { 0, 0, 400, 477 } },        { &e.infoButton, { 5, 456, 15, 15 } } };
    for (const auto& [child, bounds] : table)
        EXPECT_EQ (child->getBounds(), bounds) << child->getBounds().toString();

    EXPECT_EQ (e.midsKnob.iconOffsetY, -2);
    EXPECT_TRUE (e.subKnob.getBounds().contains (e.subFreqSelector.getBounds()));
}

TEST_F (EditorWindowTest, WidgetsAreWiredAsTheWindowNeedsThem)
{
    auto editor = openEditor();
    auto& e = *editor;

    EXPECT_TRUE (e.graphModeSwitch.vertical);
    EXPECT_EQ (e.graphModeSwitch.labels, juce::StringArray ({ "wave", "freq" }));
    EXPECT_TRUE (e.upgradeButton.url.startsWith ("https://"));
    EXPECT_TRUE (e.upgradeButton.url.endsWith ("/fanlink/detail/1762-vanto-groundwork"));
    EXPECT_TRUE (e.getWantsKeyboardFocus());

    // Every knob but Sub carries its own icon; none draws its own caption.
    const std::vector<QELRotaryControlNew*> iconed { &e.harmonicsKnob, &e.pressureKnob, &e.airKnob, &e.midsKnob,
                                                     &e.transKnob, &e.compressionKnob, &e.widthKnob };
    for (size_t i = 0; i < iconed.size(); ++i)
    {
        EXPECT_EQ (iconed[i]->icon, e.knobIcons[i].get());
        EXPECT_NE (iconed[i]->icon, nullptr);
        EXPECT_TRUE (iconed[i]->name.isEmpty());
        EXPECT_EQ (iconed[i]->dragCompanion, nullptr);
    }
    EXPECT_EQ (e.subKnob.icon, nullptr);
    EXPECT_TRUE (e.subKnob.name.isEmpty());
    EXPECT_EQ (e.subKnob.dragCompanion, &e.subFreqSelector);
}

TEST_F (EditorWindowTest, GraphModeChoosesTheDisplayBeforeTheFirstTick)
{
    const std::vector<std::pair<bool, bool>> expected { { false, true }, { true, false }, { false, false }, { false, false } };
    for (auto mode = 0; mode < 4; ++mode)
    {
        setParameter (graphModeId, (float) mode);
        auto editor = openEditor();
        EXPECT_EQ (editor->currentGraphMode, mode);
        expectDisplays (*editor, expected[(size_t) mode].first, expected[(size_t) mode].second);
        EXPECT_TRUE (editor->isTimerRunning());
        EXPECT_EQ (editor->getTimerInterval(), 20);
    }
}

TEST_F (EditorWindowTest, GraphModeFromTheHostIsFollowedWithinOneTick)
{
    auto editor = openEditor();
    expectDisplays (*editor, true, false);   // the default mode is 1

    for (auto mode : { 2, 0, 3, 1, 0 })
    {
        setParameter (graphModeId, (float) mode);
        editor->timerCallback();
        expectDisplays (*editor, mode == 1, mode == 0);
        EXPECT_FLOAT_EQ (editor->graphModeSwitch.value, (float) mode);
    }
    EXPECT_TRUE (gestures.sentNothing());
}

TEST_F (EditorWindowTest, AutomationMovesEveryWidgetWithoutSendingAGesture)
{
    auto editor = openEditor();
    auto& e = *editor;
    const std::vector<std::pair<juce::String, float*>> continuous {
        { "Kick_HarmonicsId", &e.harmonicsKnob.value }, { "Kick_PressureId", &e.pressureKnob.value },
        { "Kick_SubId", &e.subKnob.value },             { "Kick_AirId", &e.airKnob.value },
        { "Kick_MidsId", &e.midsKnob.value },           { "Kick_TransId", &e.transKnob.value },
        { "Kick_CompressionId", &e.compressionKnob.value }, { "Kick_WidthId", &e.widthKnob.value } };

    // A different value for each parameter, so a knob bound to the wrong one shows.
    const auto automated = [] (size_t index) { return 11.0f + 7.0f * (float) index; };
    for (size_t i = 0; i < continuous.size(); ++i)
        setParameter (continuous[i].first, automated (i));
    setParameter ("Kick_SubFreqId", 7.0f);
    setParameter ("powerId", 0.0f);
    editor->timerCallback();

    for (size_t i = 0; i < continuous.size(); ++i)
        EXPECT_FLOAT_EQ (*continuous[i].second, automated (i)) << continuous[i].first;
    EXPECT_FLOAT_EQ (e.subFreqSelector.value, 7.0f);
    EXPECT_FLOAT_EQ (e.pluginName.value, 0.0f);
    EXPECT_TRUE (gestures.sentNothing());
}

TEST_F (EditorWindowTest, InformationButtonShowsTheOverlayAndItsCloseButtonHidesIt)
{
    auto editor = openEditor();
    auto& e = *editor;
    EXPECT_FALSE (e.nagscreen.isVisible());

    e.infoButton.mouseDown (mouseAt (e.infoButton, 7.0f, 7.0f));
    EXPECT_TRUE (e.nagscreen.isVisible());
    EXPECT_EQ (e.getChildren().getLast(), &e.nagscreen);   // covers the whole window

    e.nagscreen.closeButton.mouseDown (mouseAt (e.nagscreen.closeButton, 7.0f, 7.0f));
    EXPECT_FALSE (e.nagscreen.isVisible());
    EXPECT_TRUE (gestures.sentNothing());
}

TEST_F (EditorWindowTest, ReopenedEditorShowsTheProcessorsWaveformView)
{
    auto first = openEditor();
    EXPECT_EQ (first->waveformView, &processor.waveformView);
    EXPECT_EQ (processor.waveformView.getParentComponent(), first.get());
    first.reset();
    EXPECT_EQ (processor.waveformView.getParentComponent(), nullptr);

    setParameter (graphModeId, 0.0f);
    auto second = openEditor();
    EXPECT_EQ (second->waveformView, &processor.waveformView);
    EXPECT_EQ (processor.waveformView.getParentComponent(), second.get());
    EXPECT_TRUE (processor.waveformView.isVisible());
}

namespace
{
// Writes a picture beside the test executable, in the build tree, for people to look at.
void writeSnapshot (const juce::Image& image, const juce::String& name)
{
    const auto file = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getSiblingFile (name);
    file.deleteFile();
    juce::FileOutputStream stream (file);
    ASSERT_TRUE (stream.openedOk());
    ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, stream));
}
}

TEST_F (EditorWindowTest, SnapshotShowsTheWindowAsDrawn)
{
    auto editor = openEditor();
    const auto snapshot = paintToImage (*editor);
    writeSnapshot (snapshot, "editor_snapshot.png");

    // The window is opaque everywhere; the title band is dark and the
    // display area (spectrum of a silent engine) shows the light paper under it.
    EXPECT_EQ (countPixels (snapshot, snapshot.getBounds(), [] (juce::Colour c) { return c.getAlpha() != 0xFF; }), 0);
    EXPECT_LT (snapshot.getPixelAt (200, 5).getBrightness(), 0.15f);
    EXPECT_GT (snapshot.getPixelAt (150, 120).getBrightness(), 0.8f);

    // The caption under each knob shows through its slot in the knob plate.
    for (const auto* knob : { &editor->subKnob, &editor->midsKnob, &editor->airKnob, &editor->transKnob,
                              &editor->harmonicsKnob, &editor->pressureKnob, &editor->compressionKnob, &editor->widthKnob })
    {
        const auto caption = juce::Rectangle<int> (knob->getX(), knob->getY() + 75, 67, 16);
        EXPECT_GT (countPixels (snapshot, caption, [] (juce::Colour c) { return c.getBrightness() > 0.5f; }), 0)
            << knob->getBounds().toString();
    }
}

TEST_F (EditorWindowTest, SnapshotWithTheOverlayOpenDimsTheWindow)
{
    auto editor = openEditor();
    const auto closed = paintToImage (*editor);
    editor->infoButton.mouseDown (mouseAt (editor->infoButton, 7.0f, 7.0f));
    const auto open = paintToImage (*editor);
    writeSnapshot (open, "editor_overlay_snapshot.png");

    // Outside the panel everything is darker than before; the text is drawn on the panel.
    EXPECT_LT (open.getPixelAt (200, 450).getBrightness(), closed.getPixelAt (200, 450).getBrightness());
    EXPECT_LT (open.getPixelAt (150, 30).getBrightness(), closed.getPixelAt (150, 30).getBrightness() + 0.001f);
    EXPECT_GT (countPixels (open, { 43, 105, 311, 115 }, [] (juce::Colour c) { return c.getBrightness() > 0.95f; }), 50);
}

TEST_F (EditorWindowTest, SpectrumDisplayShowsWhatTheEngineProcesses)
{
    auto editor = openEditor();
    const auto silent = paintToImage (editor->spectrum);
    EXPECT_EQ (inkPixels (silent, silent.getBounds()), 0);

    // A second of a loud 1 kHz tone through the processor.
    constexpr double sampleRate = 44100.0;
    constexpr int blockSize = 512;
    processor.prepareToPlay (sampleRate, blockSize);
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    auto phase = 0.0;
    for (auto block = 0; block < (int) sampleRate / blockSize; ++block)
    {
        for (auto i = 0; i < blockSize; ++i, phase += juce::MathConstants<double>::twoPi * 1000.0 / sampleRate)
            for (auto channel = 0; channel < 2; ++channel)
                buffer.setSample (channel, i, (float) (0.5 * std::sin (phase)));
        processor.processBlock (buffer, midi);
    }

    const auto loud = paintToImage (editor->spectrum);
    writeSnapshot (paintToImage (*editor), "editor_spectrum_snapshot.png");
    EXPECT_GT (inkPixels (loud, loud.getBounds()), 1000);
    // The curve peaks at the tone: the column showing 1 kHz is the highest one drawn.
    const auto& curve = editor->spectrum.getCurve();
    juce::Path::Iterator it (curve);
    auto highestColumn = -1;
    auto highestY = std::numeric_limits<float>::max();
    for (auto column = 0; it.next() && column < 400; ++column)
        if (it.y1 < highestY)
        {
            highestY = it.y1;
            highestColumn = column;
        }
    EXPECT_NEAR (Editor::QELSpectrum::columnFrequency (highestColumn, 400), 1000.0f, 60.0f);
}
