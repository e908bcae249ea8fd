#include "DspTestSupport.h"

#include "Compressors.h"

#include <gtest/gtest.h>

#include <algorithm>

using AudioDev::Compression::CompressorStereo;
using DspTest::fromDb;
using DspTest::toDb;

namespace
{
    // Runs silence until the threshold, ratio and mix glides have landed.
    void landGlides (CompressorStereo& compressor)
    {
        for (int i = 0; i < 20000; ++i)
        {
            double l = 0.0, r = 0.0;
            compressor.process (l, r);
        }
    }

    // Gain in dB applied to a steady level (the envelope follows at once here).
    double staticGainDb (CompressorStereo& compressor, double levelDb)
    {
        const double x = fromDb (levelDb);
        double l = x, r = -x;
        compressor.process (l, r);
        return toDb (l / x);
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

TEST (CompressorStereo, HardKneeStaticCurveAndDryMix)
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

        compressor.mix = 0.0;
        landGlides (compressor);
        EXPECT_EQ (staticGainDb (compressor, 0.0), 0.0);
    }
}

// Threshold, ratio and mix move one 20 ms smoother step per sample (the rule's
// 0.005207482243159367 at 44.1 kHz), while the knee follows a new threshold at once.
TEST (CompressorStereo, ThresholdRatioAndMixGlide)
{
    constexpr double step = 0.005207482243159367;
    CompressorStereo compressor;
    compressor.prepare (44100.0);
    compressor.ratio = 2.0;
    landGlides (compressor);

    compressor.setThreshold (-20.0);
    EXPECT_NEAR (staticGainDb (compressor, 0.0), -20.0 * step * 0.5, 1e-9);
    landGlides (compressor);
    EXPECT_NEAR (staticGainDb (compressor, 0.0), -10.0, 1e-9);

    compressor.ratio = 4.0;
    EXPECT_NEAR (staticGainDb (compressor, 0.0), -20.0 * (1.0 - 1.0 / (2.0 + 2.0 * step)), 1e-9);
    landGlides (compressor);

    compressor.mix = 0.0;
    const double dryShare = step, wetGain = fromDb (-15.0);
    EXPECT_NEAR (fromDb (staticGainDb (compressor, 0.0)), dryShare + (1.0 - dryShare) * wetGain, 1e-12);
}

TEST (KickCompressor, SixDecibelKneeAndReductionLimitedToSevenDecibels)
{
    Kick_Compression::Compressor compressor;
    compressor.prepare (44100.0);
    compressor.setThreshold (-24.0);
    compressor.setAttack (0.0);
    compressor.setRelease (0.0);
    compressor.mix = 1.0;
    landGlides (compressor);

    EXPECT_EQ (compressor.getKneeLowerDb(), -27.0);
    EXPECT_EQ (compressor.getKneeUpperDb(), -21.0);

    for (double levelDb = -60.0; levelDb <= 6.0; levelDb += 0.125)
        ASSERT_NEAR (staticGainDb (compressor, levelDb),
                     std::max (-7.0, referenceGainDb (levelDb, -24.0, 2.0, 6.0)), 1e-9) << levelDb;

    EXPECT_NEAR (staticGainDb (compressor, -21.0), -1.5, 1e-9); // both formulas agree at the knee's top
}

TEST (KickCompressor, DefaultAttackAndMix)
{
    Kick_Compression::Compressor compressor;
    compressor.prepare (44100.0);
    compressor.setThreshold (-24.0);
    landGlides (compressor);

    // A step to -10 dB asks for -7 dB; the 0.3 ms attack is a 13.23-sample time constant,
    // and 20 % of the signal stays dry.
    const double x = fromDb (-10.0);

    for (int n = 1; n <= 200; ++n)
    {
        double l = x, r = x;
        compressor.process (l, r);
        const double wetReductionDb = toDb ((l / x - 0.2) / 0.8);
        ASSERT_NEAR (wetReductionDb, -7.0 * (1.0 - std::exp (-1.00239343 * n / 13.23)), 1e-9) << n;
    }

    // Below the knee the reduction recedes over the 200 ms release (8820 samples).
    const double held = -7.0 * (1.0 - std::exp (-1.00239343 * 200 / 13.23));
    const double quiet = fromDb (-40.0);

    for (int n = 1; n <= 8820; ++n)
    {
        double l = quiet, r = quiet;
        compressor.process (l, r);
        const double wetReductionDb = toDb ((l / quiet - 0.2) / 0.8);
        ASSERT_NEAR (wetReductionDb, held * std::exp (-1.00239343 * n / 8820.0), 1e-9) << n;
    }
}
