#include "QELSpectrum.h"
#include "support/EditorHarness.h"

#include <cmath>
#include <limits>
#include <vector>

using Display = Editor::QELSpectrum;
using namespace EditorHarness;

namespace
{
// A spectrum with chosen levels that records which bins are read.
struct FakeSpectrum : Display::DataSource
{
    FakeSpectrum (int bins, int rate, float level) : levels ((size_t) juce::jmax (0, bins), level), sampleRate (rate) {}

    int getNumBins() const noexcept override { return (int) levels.size(); }
    int getSampleRate() const noexcept override { return sampleRate; }
    float getBinLevelDecibels (int bin) const noexcept override
    {
        readBins.push_back (bin);
        return bin >= 0 && bin < (int) levels.size() ? levels[(size_t) bin] : std::numeric_limits<float>::quiet_NaN();
    }

    std::vector<float> levels;
    int sampleRate;
    mutable std::vector<int> readBins;
};

// The display as the editor lays it out: 400 x 140 at y = 48 in its parent.
struct DisplayTest : ::testing::Test
{
    void paintWith (FakeSpectrum& source)
    {
        display = std::make_unique<Display> (&source);
        display->setBounds (0, 48, 400, 140);
        image = paintToImage (*display);
    }

    // The y of each column from the last paint (the first 400 vertices).
    std::vector<float> columnHeights() const
    {
        std::vector<float> ys;
        juce::Path::Iterator it (display->getCurve());
        while (it.next() && ys.size() < 400)
            ys.push_back (it.y1);
        return ys;
    }

    static float expectedY (float decibels) { return decibels / -96.0f * 142.0f; }

    juce::ScopedJuceInitialiser_GUI gui;
    std::unique_ptr<Display> display;
    juce::Image image;
};
}

TEST (SpectrumAxis, FrequencyTiltAndHeightLaws)
{
    EXPECT_FLOAT_EQ (Display::columnFrequency (0, 400), 20.0f);
    EXPECT_NEAR (Display::columnFrequency (200, 400), 20.0f * std::sqrt (1000.0f), 0.01f);
    EXPECT_NEAR (Display::columnFrequency (399, 400), 19657.0f, 1.0f);   // 20 kHz itself is never drawn

    EXPECT_DOUBLE_EQ (Display::tiltDecibels (1000.0f), 0.0);
    EXPECT_NEAR (Display::tiltDecibels (2000.0f), 4.5, 1e-9);
    EXPECT_NEAR (Display::tiltDecibels (250.0f), -9.0, 1e-9);

    // At 44.1 kHz, 1 kHz lies between bins 23 and 24.
    EXPECT_NEAR (Display::binPosition (1000.0f, 1024, 44100), 23.22f, 0.005f);
    EXPECT_EQ (Display::binPosition (1000.0f, 1, 44100), 0.0f);

    EXPECT_EQ (Display::levelToY (0.0f, 140), 0.0f);
    EXPECT_FLOAT_EQ (Display::levelToY (-96.0f, 140), 142.0f);
    EXPECT_FLOAT_EQ (Display::levelToY (1.0e30f, 140), -142.0f);
    EXPECT_FLOAT_EQ (Display::levelToY (-1.0e30f, 140), 284.0f);
}

TEST (SpectrumAxis, BinPositionMatchesAScanFromBinZero)
{
    // The first bin at or above f, scanned from bin 0, and the position
    // between it and the bin below, all in single precision.
    const auto scanned = [] (float f, int numBins, int sampleRate)
    {
        const auto binHz = (float) sampleRate / (float) numBins;
        for (int j = 0; j <= numBins / 2 - 1; ++j)
            if ((float) j * binHz >= f)
                return (float) (j - 1) + (f - (float) (j - 1) * binHz) / ((float) j * binHz - (float) (j - 1) * binHz);
        return (float) (numBins / 2 - 1);
    };

    for (auto sampleRate : { 22050, 44100, 48000, 96000 })
        for (auto x = 0; x < 400; ++x)
        {
            const auto f = Display::columnFrequency (x, 400);
            ASSERT_EQ (Display::binPosition (f, 1024, sampleRate), scanned (f, 1024, sampleRate))
                << sampleRate << " Hz, column " << x;
        }
}

TEST (SpectrumAxis, FrequenciesBeyondTheLastScannedBinShowThatBinNotDc)
{
    // At 22.05 kHz the scan reaches bin 511 at about 11 kHz.
    EXPECT_EQ (Display::binPosition (15000.0f, 1024, 22050), 511.0f);
    EXPECT_EQ (Display::binPosition (1000.0f, 1024, 0), 511.0f);
    // At 44.1 kHz the whole axis is within the scan.
    EXPECT_NEAR (Display::binPosition (19657.0f, 1024, 44100), 19657.0f / (44100.0f / 1024.0f), 1e-3f);
}

TEST_F (DisplayTest, FlatSpectrumDrawsAStraightRisingLine)
{
    FakeSpectrum flat (1024, 44100, -50.0f);
    paintWith (flat);

    const auto ys = columnHeights();
    ASSERT_EQ (ys.size(), 400u);
    EXPECT_NEAR (ys.front(), expectedY (-75.4f), 0.1f);
    EXPECT_NEAR (ys.back(), expectedY (-30.7f), 0.1f);
    for (size_t x = 1; x + 1 < ys.size(); ++x)
        EXPECT_NEAR (ys[x - 1] - 2.0f * ys[x] + ys[x + 1], 0.0f, 1e-3f) << "column " << x;

    // The shape closes two corners below the display, as seen from its parent.
    juce::Path::Iterator it (display->getCurve());
    std::vector<juce::Point<float>> vertices;
    while (it.next())
        if (it.elementType == juce::Path::Iterator::lineTo)
            vertices.push_back ({ it.x1, it.y1 });
    ASSERT_GE (vertices.size(), 2u);
    EXPECT_EQ (vertices[vertices.size() - 2], juce::Point<float> (401.0f, 188.0f));
    EXPECT_EQ (vertices.back(), juce::Point<float> (0.0f, 188.0f));
}

TEST_F (DisplayTest, CurveIsStrokedAndFilledInTheDisplayColours)
{
    FakeSpectrum flat (1024, 44100, -50.0f);
    paintWith (flat);
    const auto ys = columnHeights();

    const auto x = 300;
    const auto onCurve = juce::Rectangle<int> (x - 2, (int) ys[(size_t) x] - 1, 5, 3);
    EXPECT_GT (pixelsNear (image, onCurve, Display::strokeColour, 24), 0);

    // Under the curve: the fill's hue, fading out towards the bottom.
    const auto under = image.getPixelAt (x, (int) ys[(size_t) x] + 8);
    EXPECT_GT (under.getAlpha(), 0);
    EXPECT_LE (under.getAlpha(), 0x99);
    EXPECT_NEAR (under.getRed(), 0xB1, 4);
    EXPECT_NEAR (under.getGreen(), 0x7C, 4);
    EXPECT_NEAR (under.getBlue(), 0x1E, 4);
    EXPECT_EQ (image.getPixelAt (x, 139).getAlpha(), 0);
    EXPECT_EQ (maxAlpha (image, { 0, 0, 400, 20 }), 0);   // nothing above the line at -50 dB
}

TEST_F (DisplayTest, SilenceDrawsNothingInsideTheDisplay)
{
    FakeSpectrum silent (1024, 44100, -144.0f);
    paintWith (silent);

    const auto ys = columnHeights();
    EXPECT_NEAR (ys.front(), 250.6f, 0.5f);
    EXPECT_NEAR (ys.back(), 184.4f, 0.5f);
    EXPECT_EQ (inkPixels (image, image.getBounds()), 0);
}

TEST_F (DisplayTest, BrokenLevelsDrawAsTheFloor)
{
    FakeSpectrum broken (1024, 44100, std::numeric_limits<float>::quiet_NaN());
    broken.levels[3] = std::numeric_limits<float>::infinity();
    broken.levels[4] = -std::numeric_limits<float>::infinity();
    FakeSpectrum floor (1024, 44100, Display::floorDecibels);

    paintWith (floor);
    const auto floorYs = columnHeights();
    paintWith (broken);
    const auto brokenYs = columnHeights();

    ASSERT_EQ (brokenYs.size(), floorYs.size());
    for (size_t x = 0; x < brokenYs.size(); ++x)
        EXPECT_FLOAT_EQ (brokenYs[x], floorYs[x]);
}

TEST_F (DisplayTest, ReadsOnlyBinsThatExist)
{
    // With a low rate the upper columns read the last scanned bin and its neighbour.
    FakeSpectrum lowRate (1024, 8000, -50.0f);
    paintWith (lowRate);
    for (auto bin : lowRate.readBins)
        ASSERT_TRUE (bin >= 0 && bin < 1024) << bin;

    // A source with a single bin is read at bin 0 only; one with none is not read.
    FakeSpectrum single (1, 44100, -50.0f);
    paintWith (single);
    for (auto bin : single.readBins)
        EXPECT_EQ (bin, 0);

    FakeSpectrum empty (0, 44100, -50.0f);
    paintWith (empty);
    EXPECT_TRUE (empty.readBins.empty());
    EXPECT_EQ (columnHeights().size(), 400u);
}

TEST_F (DisplayTest, LowSampleRateShowsTheLastScannedBinAtTheTopOfTheAxis)
{
    // A loud DC bin must not appear at high frequencies.
    FakeSpectrum lowRate (1024, 22050, -60.0f);
    lowRate.levels[0] = 0.0f;
    lowRate.levels[1] = 0.0f;
    paintWith (lowRate);

    const auto ys = columnHeights();
    const auto f = Display::columnFrequency (399, 400);
    EXPECT_NEAR (ys.back(), expectedY (-60.0f + (float) Display::tiltDecibels (f)), 0.01f);
}
