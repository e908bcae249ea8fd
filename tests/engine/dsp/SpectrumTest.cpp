#include "Spectrum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace
{
    constexpr int size = SpectrumAnalyser::numBins;
    const double pi = std::acos (-1.0);

    double frameCoefficient (double sampleRate)
    {
        return 1.0 - std::exp (-4.605 / (sampleRate / size));
    }

    void pushFrames (SpectrumAnalyser& analyser, const std::vector<double>& frame, int count)
    {
        for (int i = 0; i < count; ++i)
            for (auto x : frame)
                analyser.push (x, x);
    }

    std::vector<double> sineOnBin (int bin, double amplitude)
    {
        std::vector<double> frame (size);
        for (int n = 0; n < size; ++n)
            frame[(size_t) n] = amplitude * std::sin (2.0 * pi * bin * n / size);
        return frame;
    }
}

TEST (SpectrumAnalyser, FirstFrameMatchesNaiveDftScaledAndSmoothed)
{
    std::mt19937 random (1234);
    std::uniform_real_distribution<double> uniform (-1.0, 1.0);
    std::vector<double> frame (size);
    for (auto& x : frame)
        x = uniform (random);

    SpectrumAnalyser analyser;
    analyser.prepare (48000.0);
    pushFrames (analyser, frame, 1);

    const auto coefficient = frameCoefficient (48000.0);

    for (int k = 0; k < size; ++k)
    {
        std::complex<double> sum;
        for (int n = 0; n < size; ++n)
            sum += frame[(size_t) n] * std::polar (1.0, -2.0 * pi * k * n / size);

        const auto expected = std::abs (sum) / 512.0 * coefficient;
        ASSERT_NEAR (analyser.getBinMagnitude (k), expected, 1e-12) << "bin " << k;
    }
}

TEST (SpectrumAnalyser, ReadsFloorUntilTheFirstFrameCompletes)
{
    SpectrumAnalyser analyser;
    const auto frame = sineOnBin (10, 1.0);

    for (int n = 0; n < size - 1; ++n)
        analyser.push (frame[(size_t) n], frame[(size_t) n]);

    for (int k = 0; k < size; ++k)
        ASSERT_EQ (analyser.getBinLevelDecibels (k), -144.0f);

    analyser.push (frame.back(), frame.back());
    EXPECT_GT (analyser.getBinLevelDecibels (10), -144.0f);
}

TEST (SpectrumAnalyser, BinCentredSineSettlesAtItsAmplitudeOnBothMirrorBins)
{
    for (const auto& [bin, amplitude] : { std::pair { 1, 1.0 }, std::pair { 37, 0.25 }, std::pair { 511, 0.5 } })
    {
        SpectrumAnalyser analyser;
        pushFrames (analyser, sineOnBin (bin, amplitude), 300);

        const auto expectedDb = 20.0 * std::log10 (amplitude);
        EXPECT_NEAR (analyser.getBinLevelDecibels (bin), expectedDb, 1e-4) << bin;
        EXPECT_NEAR (analyser.getBinLevelDecibels (size - bin), expectedDb, 1e-4) << bin;
        EXPECT_LT (analyser.getBinLevelDecibels (bin + 3), -100.0) << "no leakage next to " << bin;
    }
}

TEST (SpectrumAnalyser, SilenceDecaysEachBinGeometricallyDownToTheFloor)
{
    SpectrumAnalyser analyser;
    pushFrames (analyser, sineOnBin (20, 1.0), 200);
    const auto settled = analyser.getBinMagnitude (20);

    const std::vector<double> silence (size, 0.0);
    pushFrames (analyser, silence, 1);
    EXPECT_DOUBLE_EQ (analyser.getBinMagnitude (20), settled * (1.0 - frameCoefficient (44100.0)));

    // 1.0 down to 6.3e-8 at about -0.93 dB per frame takes about 155 frames.
    pushFrames (analyser, silence, 170);
    EXPECT_GT (analyser.getBinMagnitude (20), 0.0);
    EXPECT_EQ (analyser.getBinLevelDecibels (20), -144.0f);
}

TEST (SpectrumAnalyser, PrepareKeepsTheRingPositionAndChangesTheFrameSmoothing)
{
    SpectrumAnalyser analyser;
    const auto frame = sineOnBin (8, 1.0);

    for (int n = 0; n < size / 2; ++n)
        analyser.push (frame[(size_t) n], frame[(size_t) n]);

    analyser.prepare (96000.0);

    for (int n = size / 2; n < size; ++n)
        analyser.push (frame[(size_t) n], frame[(size_t) n]);

    EXPECT_NEAR (analyser.getBinMagnitude (8), frameCoefficient (96000.0), 1e-12);
}
