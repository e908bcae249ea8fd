#include "DspTestSupport.h"

#include "Clippers.h"

#include <gtest/gtest.h>

#include <algorithm>

using DspTest::fromDb;

namespace
{
    // Feeds a steady pair until the amount and output glides land; returns the last left output.
    double settledLeft (AudioDev::Distortion::ClipperStereo& stage, double amount, double left, double right)
    {
        stage.prepare (44100.0);
        stage.amount = amount;
        double l = left;

        for (int i = 0; i < 20000; ++i)
        {
            double r = right;
            l = left;
            stage.process (l, r);
        }

        return l;
    }

    double expectedOutput (double input, double amount, double curveGain, double outputGainDb)
    {
        const double wet = std::sqrt (amount);
        return input * (1.0 - wet) + input * curveGain * fromDb (amount * outputGainDb) * wet;
    }
} // namespace

TEST (ClipperStereo, AmountZeroPassesTheInputUnchanged)
{
    Kick_Harmonics::ClipStage_1 stage1;
    Kick_Harmonics::ClipStage_2 stage2;
    Kick_Compression::GlueSaturation glue;

    AudioDev::Distortion::ClipperStereo* stages[] = { &stage1, &stage2, &glue };

    for (auto* stage : stages)
    {
        for (int i = 0; i < 1000; ++i)
        {
            const double left = std::sin (i * 0.05) * 3.0, right = std::cos (i * 0.031) * 0.2;
            double l = left, r = right;
            stage->process (l, r);
            ASSERT_EQ (l, left);
            ASSERT_EQ (r, right);
        }

        EXPECT_EQ (stage->getGainDb (2), 0.0);
        EXPECT_EQ (stage->getTimeMs (2), 0.0);
    }
}

TEST (ClipperStereo, HardClipStageBoostsUntilFullScale)
{
    for (double amount : { 1.0, 0.5 })
    {
        for (double level : { 0.01, 0.1, 0.3, 0.9 })
        {
            // The detector sees the mean magnitude of both channels.
            Kick_Harmonics::ClipStage_2 stage;
            const double gain = std::min (fromDb (15.0 * amount), 1.0 / level);
            EXPECT_NEAR (settledLeft (stage, amount, level * 1.5, -level * 0.5),
                         expectedOutput (level * 1.5, amount, gain, -12.0), 1e-12) << level;
        }
    }
}

TEST (ClipperStereo, WetPathFadesInFromSilenceAfterConstruction)
{
    // Amount and output gain both start at 0: a full amount cannot boost the first samples.
    Kick_Harmonics::ClipStage_2 stage;
    stage.prepare (44100.0);
    stage.amount = 1.0;

    for (int i = 0; i < 20; ++i)
    {
        double l = 0.01, r = 0.01;
        stage.process (l, r);
        ASSERT_LT (l, 0.01);
    }
}

TEST (ClipperStereo, TanhStagesFollowTheirCurves)
{
    for (double level : { 1.0e-4, 0.05, 0.5, 2.0 })
    {
        Kick_Harmonics::ClipStage_1 stage1;
        EXPECT_NEAR (settledLeft (stage1, 0.8, level, level),
                     expectedOutput (level, 0.8, std::tanh (level * fromDb (8.0)) / level, 0.0), 1e-12);

        Kick_Compression::GlueSaturation glue;
        EXPECT_NEAR (settledLeft (glue, 0.75, level, -level),
                     expectedOutput (level, 0.75, std::tanh (level * fromDb (2.25)) / level, -3.0), 1e-12);
    }
}

TEST (ClipperStereo, GainDropsAtOnceAndRecoversOverTheRelease)
{
    // Glue saturation at full amount: wet only, -3 dB after the curve, instant
    // attack and a 50 ms release (99 % of the way within it).
    Kick_Compression::GlueSaturation glue;
    const double quiet = 0.01, loud = 1.0, outputGain = fromDb (-3.0);
    const double quietGain = std::tanh (quiet * fromDb (3.0)) / quiet;
    const double loudGain = std::tanh (loud * fromDb (3.0)) / loud;

    EXPECT_NEAR (settledLeft (glue, 1.0, quiet, quiet), quiet * quietGain * outputGain, 1e-12);

    const auto step = [&glue] (double level)
    {
        double l = level, r = level;
        glue.process (l, r);
        return l / level;
    };

    EXPECT_NEAR (step (loud), loudGain * outputGain, 1e-12);

    const double releaseSamples = 0.05 * 44100.0;

    for (int n = 1; n <= 2205; ++n)
    {
        const double remaining = std::exp (-4.605 * n / releaseSamples);
        ASSERT_NEAR (step (quiet), (quietGain - (quietGain - loudGain) * remaining) * outputGain, 1e-9) << n;
    }
}
