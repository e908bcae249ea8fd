#include "DspTestSupport.h"

#include "Clippers.h"

#include <gtest/gtest.h>

#include <algorithm>

using DspTest::fromDb;

namespace
{
    // Runs a steady stereo level long enough for the amount and output-gain
    // glides to land, and returns the last output pair.
    template <typename Stage>
    std::pair<double, double> settle (Stage& stage, double amount, double left, double right)
    {
        stage.amount = amount;
        double l = left, r = right;

        for (int i = 0; i < 20000; ++i)
        {
            l = left;
            r = right;
            stage.process (l, r);
        }

        return { l, r };
    }

    // Output of a settled clipper: dry share plus the wet signal at the curve's gain.
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
        stage->prepare (48000.0);

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

TEST (ClipperStereo, HardClipStageBoostsUntilFullScaleThenHoldsTheLevelThere)
{
    for (double amount : { 1.0, 0.5 })
    {
        const double boost = fromDb (15.0 * amount);

        for (double level : { 0.01, 0.1, 0.3, 0.9 })
        {
            Kick_Harmonics::ClipStage_2 stage;
            stage.prepare (44100.0);

            // The detector sees the mean of both magnitudes; the gain is linked.
            const auto [l, r] = settle (stage, amount, level * 1.5, -level * 0.5);
            const double curveGain = std::min (boost, 1.0 / level);

            EXPECT_NEAR (l, expectedOutput (level * 1.5, amount, curveGain, -12.0), 1e-12) << level;
            EXPECT_NEAR (r, expectedOutput (-level * 0.5, amount, curveGain, -12.0), 1e-12) << level;
        }
    }
}

TEST (ClipperStereo, TanhStagesFollowTheirCurves)
{
    for (double level : { 1.0e-4, 0.05, 0.5, 2.0 })
    {
        Kick_Harmonics::ClipStage_1 stage1;
        stage1.prepare (44100.0);
        const double drive1 = fromDb (10.0 * 0.8);
        EXPECT_NEAR (settle (stage1, 0.8, level, level).first,
                     expectedOutput (level, 0.8, std::tanh (level * drive1) / level, 0.0), 1e-12);

        Kick_Compression::GlueSaturation glue;
        glue.prepare (44100.0);
        const double drive3 = fromDb (3.0 * 0.75);
        EXPECT_NEAR (settle (glue, 0.75, level, level).first,
                     expectedOutput (level, 0.75, std::tanh (level * drive3) / level, -3.0), 1e-12);
    }

    // Small levels see the plain input gain, since tanh(x) ~ x.
    Kick_Harmonics::ClipStage_1 stage;
    stage.prepare (44100.0);
    EXPECT_NEAR (settle (stage, 1.0, 1.0e-5, 1.0e-5).first / 1.0e-5, fromDb (10.0), 1e-8);
}

TEST (ClipperStereo, GainRecoversAtTheReleaseTime)
{
    // After a loud burst the gain of the tanh stage rises back with its 1 ms release.
    Kick_Harmonics::ClipStage_1 stage;
    stage.prepare (44100.0);
    settle (stage, 1.0, 2.0, 2.0);

    const double quiet = 1.0e-4;
    std::vector<double> outputs;

    for (int i = 0; i < 400; ++i)
    {
        double l = quiet, r = quiet;
        stage.process (l, r);
        outputs.push_back (l);
    }

    const double loudGain = std::tanh (2.0 * fromDb (10.0)) / 2.0;
    const double quietGain = std::tanh (quiet * fromDb (10.0)) / quiet;
    const double remaining = (outputs[43] / quiet - quietGain) / (loudGain - quietGain);

    EXPECT_GT (outputs[0] / quiet, loudGain);
    EXPECT_NEAR (remaining, std::exp (-4.605 * 44.0 / 44.1), 1e-9); // about 1 % left after 1 ms
    EXPECT_NEAR (outputs.back() / quiet, quietGain, 1e-9);
}
