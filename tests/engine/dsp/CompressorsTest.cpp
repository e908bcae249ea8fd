#include "DspTestSupport.h"

#include "Compressors.h"

#include <gtest/gtest.h>

#include <algorithm>

using AudioDev::Compression::CompressorStereo;
using DspTest::fromDb;
using DspTest::toDb;

namespace
{
    // Gain in dB that a compressor applies to a steady level once its glides
    // have landed (the level is held long enough for the envelope to settle).
    double staticGainDb (CompressorStereo& compressor, double levelDb)
    {
        const double x = fromDb (levelDb);
        double l = 0.0;

        for (int i = 0; i < 4; ++i)
        {
            l = x;
            double r = -x;
            compressor.process (l, r);
        }

        return toDb (l / x);
    }

    void landGlides (CompressorStereo& compressor)
    {
        for (int i = 0; i < 20000; ++i)
        {
            double l = 0.0, r = 0.0;
            compressor.process (l, r);
        }
    }

    // Textbook soft-knee gain computer: quadratic across the knee, straight above it.
    double referenceGainDb (double levelDb, double thresholdDb, double ratio, double kneeDb)
    {
        const double slope = 1.0 - 1.0 / ratio;

        if (kneeDb > 0.0 && std::abs (levelDb - thresholdDb) < kneeDb / 2.0)
        {
            const double over = levelDb - thresholdDb + kneeDb / 2.0;
            return -slope * over * over / (2.0 * kneeDb);
        }

        return std::min (0.0, (thresholdDb - levelDb) * slope);
    }
} // namespace

TEST (CompressorStereo, HardKneeStaticCurve)
{
    for (double ratio : { 1.0, 2.4, 4.0, 20.0 })
    {
        CompressorStereo compressor;
        compressor.prepare (48000.0);
        compressor.ratio = ratio;
        compressor.setThreshold (-20.0);
        landGlides (compressor);

        for (double levelDb = -90.0; levelDb <= 12.0; levelDb += 0.25)
            ASSERT_NEAR (staticGainDb (compressor, levelDb), referenceGainDb (levelDb, -20.0, ratio, 0.0), 1e-9)
                << "ratio " << ratio << " level " << levelDb;
    }
}

TEST (CompressorStereo, KneeFollowsTheThreshold)
{
    CompressorStereo compressor;
    compressor.kneeFactor = 0.25;
    compressor.setThreshold (-24.0);
    EXPECT_EQ (compressor.getKneeWidthDb(), 6.0);
    EXPECT_EQ (compressor.getKneeLowerDb(), -27.0);
    EXPECT_EQ (compressor.getKneeUpperDb(), -21.0);

    compressor.setThreshold (3.0); // a non-negative threshold turns the knee off
    EXPECT_LE (compressor.getKneeWidthDb(), 0.0);
}

TEST (CompressorStereo, MixZeroLeavesTheInputAlone)
{
    CompressorStereo compressor;
    compressor.ratio = 10.0;
    compressor.mix = 0.0;
    compressor.setThreshold (-40.0);
    landGlides (compressor);

    double l = 0.9, r = 0.3;
    compressor.process (l, r);
    EXPECT_EQ (l, 0.9);
    EXPECT_EQ (r, 0.3);
}

TEST (KickCompressor, SoftKneeCurveWithItsReductionLimitedToSevenDecibels)
{
    Kick_Compression::Compressor compressor;
    compressor.prepare (44100.0);
    compressor.setThreshold (-24.0);
    compressor.setAttack (0.0);
    compressor.setRelease (0.0);
    compressor.mix = 1.0;
    landGlides (compressor);

    for (double levelDb = -60.0; levelDb <= 6.0; levelDb += 0.125)
    {
        const double expected = std::max (-7.0, referenceGainDb (levelDb, -24.0, 2.0, 6.0));
        ASSERT_NEAR (staticGainDb (compressor, levelDb), expected, 1e-9) << levelDb;
    }

    EXPECT_NEAR (staticGainDb (compressor, -21.0), -1.5, 1e-9); // both formulas agree at the knee's top
    EXPECT_NEAR (staticGainDb (compressor, -10.0), -7.0, 1e-9);
    EXPECT_NEAR (staticGainDb (compressor, 0.0), -7.0, 1e-9);
}

TEST (KickCompressor, DefaultsSmoothTheReductionAndBlendEightyPercentWet)
{
    Kick_Compression::Compressor compressor;
    compressor.prepare (44100.0);
    compressor.setThreshold (-24.0);
    landGlides (compressor);

    // A step to -10 dB asks for -7 dB; the 0.3 ms attack gets 63 % of it in 13.23 samples.
    const double x = fromDb (-10.0);
    std::vector<double> gainsDb;

    for (int i = 0; i < 2000; ++i)
    {
        double l = x, r = x;
        compressor.process (l, r);
        gainsDb.push_back (toDb (l / x));
    }

    auto wetReductionDb = [] (double gainDb)
    {
        return toDb ((fromDb (gainDb) - 0.2) / 0.8); // undo the 80 % mix
    };

    EXPECT_NEAR (wetReductionDb (gainsDb[0]), -7.0 * (1.0 - std::exp (-1.00239343 / 13.23)), 1e-9);
    EXPECT_NEAR (wetReductionDb (gainsDb[12]), -7.0 * (1.0 - std::exp (-1.00239343 * 13.0 / 13.23)), 1e-9);
    EXPECT_NEAR (wetReductionDb (gainsDb.back()), -7.0, 1e-9);
}
