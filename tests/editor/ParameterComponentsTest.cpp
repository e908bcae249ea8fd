#include "ParameterComponents.h"
#include "QELPluginName.h"
#include "support/EditorHarness.h"

#include <cmath>
#include <limits>

using namespace EditorHarness;

namespace
{
    constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();

    // A continuous widget that remembers what it was asked to draw.
    struct ContinuousProbe : ParameterComponentContinuous
    {
        using ParameterComponentContinuous::ParameterComponentContinuous;
        void draw (juce::Graphics&, float normalised) override { drawn = normalised; }
        float drawn = -1.0f;
    };

    struct DiscreteProbe : ParameterComponentDiscrete
    {
        using ParameterComponentDiscrete::ParameterComponentDiscrete;
        void draw (juce::Graphics&, int index) override { drawn = index; }
        int drawn = -1;
    };

    ParameterManager::ParamData withInterval (float interval)
    {
        ParameterManager::ParamData data;
        data.range = { 0.0f, 1.0f, interval };
        return data;
    }

    void paint (juce::Component& c)
    {
        paintToImage (c);
    }
}

//==============================================================================
TEST (ParameterValues, DecimalPlacesFollowTheIntervalAndStopForDegenerateOnes)
{
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (1.0f), 0);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (5.0f), 0);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (0.5f), 1);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (0.1f), 1);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (0.01f), 2);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (0.25f), 1);

    // These used to loop for ever or beyond any meaningful digit.
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (0.0f), 0);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (-0.1f), 0);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (notANumber), 0);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ (ParameterValues::numDecimalPlacesFor (1.0e-30f), std::numeric_limits<float>::digits10);
}

TEST (ParameterValues, NonFiniteValuesCountAsTheRangeStart)
{
    const juce::NormalisableRange<float> range (10.0f, 20.0f, 1.0f);
    EXPECT_EQ (ParameterValues::clampToRange (notANumber, range), 10.0f);
    EXPECT_EQ (ParameterValues::clampToRange (std::numeric_limits<float>::infinity(), range), 10.0f);
    EXPECT_EQ (ParameterValues::clampToRange (25.0f, range), 20.0f);
    EXPECT_EQ (ParameterValues::clampToRange (5.0f, range), 10.0f);
    EXPECT_EQ (ParameterValues::optionIndex (notANumber, range), 10);
    EXPECT_EQ (ParameterValues::normalise (notANumber, range), 0.0f);
    EXPECT_EQ (ParameterValues::normalise (15.0f, range), 0.5f);
    EXPECT_EQ (ParameterValues::normalise (1.0f, { 1.0f, 1.0f, 1.0f }), 0.0f);   // empty range
}

TEST (ParameterValues, OptionIndexRoundsHalvesUpAndNothingBelowThem)
{
    const juce::NormalisableRange<float> range (0.0f, 3.0f, 1.0f);
    EXPECT_EQ (ParameterValues::optionIndex (0.5f, range), 1);
    EXPECT_EQ (ParameterValues::optionIndex (std::nextafter (0.5f, 0.0f), range), 0);
    EXPECT_EQ (ParameterValues::optionIndex (std::nextafter (1.5f, 0.0f), range), 1);
    EXPECT_EQ (ParameterValues::optionIndex (1.0e30f, range), std::numeric_limits<int>::max());
}

//==============================================================================
class ContinuousTest : public ProcessorTest
{
protected:
    ContinuousProbe harmonics { manager(), processor.kickHarmonicsParam };
    ContinuousProbe mids { manager(), processor.kickMidsParam };

    void drag (ContinuousProbe& w, float fromY, float toY)
    {
        w.mouseDown (mouseAt (w, 10.0f, fromY));
        w.mouseDrag (dragEvent (w, { 10.0f, fromY }, { 10.0f, toY }));
    }
};

TEST_F (ContinuousTest, ConstructionShowsTheDefaultAndNeedsNoDecimals)
{
    EXPECT_EQ (mids.value, 100.0f);
    EXPECT_EQ (mids.dragStartValue, 100.0f);
    EXPECT_EQ (mids.numDecimalPlaces, 0);
    EXPECT_EQ (ContinuousProbe (manager(), withInterval (0.01f)).numDecimalPlaces, 2);

    paint (mids);
    EXPECT_FLOAT_EQ (mids.drawn, 0.5f);
}

TEST_F (ContinuousTest, TwoHundredFiftyPixelsUpwardCoverTheWholeRange)
{
    drag (harmonics, 300.0f, 50.0f);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.sends[0].paramID, "Kick_HarmonicsId");
    EXPECT_FLOAT_EQ (gestures.lastPlainValue(), 100.0f);

    gestures.clear();
    drag (harmonics, 300.0f, 175.0f);
    EXPECT_FLOAT_EQ (gestures.lastPlainValue(), 50.0f);

    drag (harmonics, 300.0f, -100.0f);
    EXPECT_FLOAT_EQ (gestures.lastPlainValue(), 100.0f);

    drag (harmonics, 300.0f, 310.0f);
    EXPECT_FLOAT_EQ (gestures.lastPlainValue(), 0.0f);
}

TEST_F (ContinuousTest, ADragIsMeasuredFromTheMouseDownValueAndPoint)
{
    harmonics.value = 40.0f;   // as a refresh would leave it
    harmonics.mouseDown (mouseAt (harmonics, 10.0f, 100.0f));
    harmonics.value = 70.0f;   // a refresh during the drag does not move its origin

    harmonics.mouseDrag (dragEvent (harmonics, { 10.0f, 100.0f }, { 10.0f, 75.0f }));
    harmonics.mouseDrag (dragEvent (harmonics, { 10.0f, 100.0f }, { 10.0f, 75.0f }));
    ASSERT_EQ (gestures.sends.size(), 2u);
    EXPECT_FLOAT_EQ (gestures.sends[0].plainValue, 50.0f);
    EXPECT_FLOAT_EQ (gestures.sends[1].plainValue, 50.0f);
    EXPECT_EQ (gestures.begins, 2);
    EXPECT_EQ (gestures.ends, 2);

    // Fractional positions count in whole pixels: 1.6 pixels is 2 (1.6 units of
    // 0..200, kept as 102 where 1.28 units would give 101).
    mids.mouseDown (mouseAt (mids, 10.0f, 100.0f));
    mids.mouseDrag (dragEvent (mids, { 10.0f, 100.0f }, { 10.0f, 98.4f }));
    EXPECT_EQ (parameterValue ("Kick_MidsId"), 102.0f);
}

TEST_F (ContinuousTest, DoubleClickSendsTheDefaultEvenWhenAlreadyThere)
{
    mids.mouseDoubleClick (mouseAt (mids, 5.0f, 5.0f, 2));
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_FLOAT_EQ (gestures.lastPlainValue(), 100.0f);
    EXPECT_EQ (parameterValue ("Kick_MidsId"), 100.0f);
}

TEST_F (ContinuousTest, DisabledWidgetsOrParentsIgnoreTheMouse)
{
    juce::Component parent;
    parent.addAndMakeVisible (harmonics);

    for (auto* disabled : { static_cast<juce::Component*> (&harmonics), &parent })
    {
        disabled->setEnabled (false);
        harmonics.value = 30.0f;
        harmonics.dragStartValue = 0.0f;

        drag (harmonics, 300.0f, 50.0f);
        harmonics.mouseDoubleClick (mouseAt (harmonics, 5.0f, 5.0f, 2));

        EXPECT_TRUE (gestures.sentNothing());
        EXPECT_EQ (harmonics.dragStartValue, 0.0f);
        disabled->setEnabled (true);
    }

    DiscreteProbe power (manager(), processor.powerParam, 2);
    ParameterComponentMultiSwitch graphSwitch (manager(), processor.graphModeParam, 2);
    graphSwitch.setBounds (0, 0, 50, 30);
    parent.addAndMakeVisible (power);
    parent.addAndMakeVisible (graphSwitch);
    parent.setEnabled (false);

    power.mouseDown (mouseAt (power, 1.0f, 1.0f));
    graphSwitch.mouseDown (mouseAt (graphSwitch, 40.0f, 5.0f));
    EXPECT_EQ (power.value, 0.0f);
    EXPECT_EQ (graphSwitch.value, 0.0f);
    EXPECT_TRUE (gestures.sentNothing());
}

TEST_F (ContinuousTest, ANonFiniteValueDrawsAndDragsFromTheRangeStart)
{
    harmonics.value = notANumber;
    paint (harmonics);
    EXPECT_EQ (harmonics.drawn, 0.0f);

    drag (harmonics, 300.0f, 175.0f);
    EXPECT_FLOAT_EQ (gestures.lastPlainValue(), 50.0f);
}

//==============================================================================
class DiscreteTest : public ProcessorTest
{
protected:
    DiscreteProbe power { manager(), processor.powerParam, 2 };

    void click() { power.mouseDown (mouseAt (power, 1.0f, 1.0f)); }
};

TEST_F (DiscreteTest, ClicksAlternateBetweenTwoOptions)
{
    EXPECT_EQ (power.value, 0.0f);

    click();
    EXPECT_EQ (power.value, 1.0f);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);

    click();
    EXPECT_EQ (power.value, 0.0f);
    EXPECT_EQ (gestures.lastPlainValue(), 0.0f);
    EXPECT_EQ (parameterValue ("powerId"), 0.0f);
}

TEST_F (DiscreteTest, WrapSubtractsTheOptionCountAndKeepsTheFraction)
{
    power.value = 1.6f;
    click();
    EXPECT_FLOAT_EQ (power.value, 0.6f);
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);

    // Far outside, one subtraction is not a remainder.
    power.value = 5.0f;
    click();
    EXPECT_EQ (power.value, 4.0f);
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);   // clamped to the range
}

TEST_F (DiscreteTest, RefreshReadsTheParameterAndPaintRoundsIt)
{
    setParameter ("powerId", 0.0f);
    power.refreshFromParameter();
    EXPECT_EQ (power.value, 0.0f);

    power.value = 0.6f;
    paint (power);
    EXPECT_EQ (power.drawn, 1);

    power.value = notANumber;
    paint (power);
    EXPECT_EQ (power.drawn, 0);

    click();
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);
}

//==============================================================================
class MultiSwitchTest : public ProcessorTest
{
protected:
    MultiSwitchTest()
    {
        graphSwitch.vertical = true;
        graphSwitch.labels = { "wave", "freq" };
        graphSwitch.setBounds (0, 0, 50, 30);
    }

    void clickAt (ParameterComponentMultiSwitch& s, int x, int y) { s.mouseDown (mouseAt (s, (float) x, (float) y)); }

    // Greatest alpha of the labels in each vertical cell.
    std::pair<int, int> cellAlphas (ParameterComponentMultiSwitch& s)
    {
        const auto image = paintToImage (s);
        return { maxAlpha (image, { 0, 0, 50, 15 }), maxAlpha (image, { 0, 15, 50, 15 }) };
    }

    ParameterComponentMultiSwitch graphSwitch { manager(), processor.graphModeParam, 2 };
};

TEST_F (MultiSwitchTest, VerticalCellBoundaryBelongsToTheUpperCell)
{
    clickAt (graphSwitch, 10, 16);
    EXPECT_EQ (graphSwitch.value, 1.0f);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);

    clickAt (graphSwitch, 10, 15);
    EXPECT_EQ (graphSwitch.value, 0.0f);
    EXPECT_EQ (gestures.lastPlainValue(), 0.0f);

    clickAt (graphSwitch, 10, 29);
    EXPECT_EQ (graphSwitch.value, 1.0f);
}

TEST_F (MultiSwitchTest, ClickBeyondTheLastCellResendsTheUnchangedValue)
{
    ParameterComponentMultiSwitch row (manager(), processor.graphModeParam, 3);
    row.setBounds (0, 0, 50, 10);   // cells 16 wide, 2 spare pixels
    row.value = 2.0f;

    clickAt (row, 49, 5);
    EXPECT_EQ (row.value, 2.0f);
    EXPECT_TRUE (gestures.sentOneGesture());
    EXPECT_EQ (gestures.lastPlainValue(), 2.0f);

    clickAt (row, 16, 5);
    EXPECT_EQ (row.value, 0.0f);
    clickAt (row, 17, 5);
    EXPECT_EQ (row.value, 1.0f);
}

TEST_F (MultiSwitchTest, SelectedCellIsDrawnBrighterAndHostModesBeyondTheCellsSelectNone)
{
    graphSwitch.value = 0.0f;
    auto [upper, lower] = cellAlphas (graphSwitch);
    EXPECT_GT (upper, 0xE0);
    EXPECT_GT (lower, 0);
    EXPECT_LT (lower, 0xA0);

    graphSwitch.value = 1.0f;
    std::tie (upper, lower) = cellAlphas (graphSwitch);
    EXPECT_LT (upper, 0xA0);
    EXPECT_GT (lower, 0xE0);

    graphSwitch.value = 3.0f;
    std::tie (upper, lower) = cellAlphas (graphSwitch);
    EXPECT_LT (upper, 0xA0);
    EXPECT_LT (lower, 0xA0);

    // A click still sends only a cell's option.
    clickAt (graphSwitch, 10, 20);
    EXPECT_EQ (gestures.lastPlainValue(), 1.0f);
}

TEST_F (MultiSwitchTest, MissingLabelsShowAQuestionMark)
{
    ParameterComponentMultiSwitch unlabelled (manager(), processor.graphModeParam, 2);
    ParameterComponentMultiSwitch questioned (manager(), processor.graphModeParam, 2);
    questioned.labels = { "?", "?" };

    for (auto* s : { &unlabelled, &questioned })
    {
        s->vertical = true;
        s->setBounds (0, 0, 50, 30);
    }

    EXPECT_EQ (unlabelled.labelFor (0), "?");
    graphSwitch.labels = { "wave" };
    EXPECT_EQ (graphSwitch.labelFor (1), "?");

    const auto image = paintToImage (unlabelled);
    EXPECT_GT (inkPixels (image, image.getBounds()), 0);
    EXPECT_TRUE (differenceBounds (image, paintToImage (questioned)).isEmpty());
}

TEST_F (MultiSwitchTest, NoOptionsDrawNothingAndResendTheValue)
{
    for (int count : { 0, -1 })
    {
        ParameterComponentMultiSwitch empty (manager(), processor.graphModeParam, count);
        empty.setBounds (0, 0, 50, 30);
        empty.value = 1.0f;

        EXPECT_EQ (inkPixels (paintToImage (empty), { 0, 0, 50, 30 }), 0);

        gestures.clear();
        clickAt (empty, 10, 10);
        EXPECT_TRUE (gestures.sentOneGesture());
        EXPECT_EQ (gestures.lastPlainValue(), 1.0f);
    }
}

//==============================================================================
class PluginNameTest : public ProcessorTest
{
protected:
    PluginNameTest()
    {
        name.nameText = "MyLogo";
        name.subText = "Sub";
        name.setBounds (23, 12, 137, 20);
    }

    QELPluginName name { manager(), processor.powerParam };
};

TEST_F (PluginNameTest, BothWordsDimWhileThePowerIsOff)
{
    // The name sits at the left, the second word in the bottom-right corner.
    setParameter ("powerId", 1.0f);
    name.refreshFromParameter();
    auto image = paintToImage (name);
    EXPECT_GT (maxAlpha (image, { 0, 0, 40, 20 }), 0xE0);
    EXPECT_GT (maxAlpha (image, { 117, 0, 20, 20 }), 0xE0);

    setParameter ("powerId", 0.0f);
    name.refreshFromParameter();
    image = paintToImage (name);
    EXPECT_EQ (maxAlpha (image, { 0, 0, 40, 20 }), 0x7F);
    EXPECT_EQ (maxAlpha (image, { 117, 0, 20, 20 }), 0x7F);
}

