#include "LevelMeters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
    double fromDecibels (double db) { return std::pow (10.0, db / 20.0); }
}

TEST (LevelMeters, LevelMapsMinus48To0DecibelsOntoZeroToOnePerChannel)
{
    LevelMeters meters;
    EXPECT_EQ (meters.getLevel (1), 0.0f);

    meters.process (fromDecibels (-24.0), 2.0);
    EXPECT_NEAR (meters.getLevel (1), 0.5f, 1e-6f);
    EXPECT_EQ (meters.getLevel (2), 1.0f) << "levels above 0 dB read as full scale";
    EXPECT_EQ (meters.getLevel (0), 0.0f);
    EXPECT_EQ (meters.getLevel (3), 0.0f);
}

TEST (LevelMeters, PeakMetersRiseAtOnceAndFallOverSeconds)
{
    LevelMeters meters;
    meters.prepare (48000.0);
    meters.process (1.0, 1.0);
    EXPECT_EQ (meters.getLevel (1), 1.0f);

    for (int i = 0; i < 4800; ++i)
        meters.process (0.0, 0.0);

    // 100 ms into a 2.5 s fall covering 99 % of 48 dB.
    const auto fallPerSample = 1.0 - std::exp (-4.605 / (2500.0 * 0.001 * 48000.0));
    const auto expectedDb = -48.0 + 48.0 * std::pow (1.0 - fallPerSample, 4800.0);
    EXPECT_NEAR (meters.getLevel (1), 1.0 + expectedDb / 48.0, 1e-5);
    EXPECT_EQ (meters.getLevel (1), meters.getLevel (2));
}

TEST (LevelMeters, ClipFlagNeedsMoreThanFullScaleAndHoldsForTwoPeriods)
{
    LevelMeters meters;
    meters.prepare (100.0); // a hold of 200 samples

    meters.process (1.0, -1.0);
    EXPECT_FALSE (meters.isClipping (1));
    EXPECT_FALSE (meters.isClipping (2));

    meters.process (0.0, -1.0000001);
    EXPECT_FALSE (meters.isClipping (1));
    EXPECT_TRUE (meters.isClipping (2));
    EXPECT_FALSE (meters.isClipping (0));
    EXPECT_FALSE (meters.isClipping (3));

    for (int i = 0; i < 198; ++i)
        meters.process (0.0, 0.0);
    EXPECT_TRUE (meters.isClipping (2));

    meters.process (0.0, 0.0);
    EXPECT_FALSE (meters.isClipping (2));
}

TEST (LevelMeters, WaveMeterHoldsItsPeakUntilReadAndThenRestartsFromTheFollower)
{
    LevelMeters meters;
    EXPECT_DOUBLE_EQ (meters.getPeakAndReset(), fromDecibels (-96.0));

    meters.process (0.5, -1.0);
    for (int i = 0; i < 441; ++i)
        meters.process (0.0, 0.0);

    EXPECT_DOUBLE_EQ (meters.getPeakAndReset(), 1.0) << "the louder channel, held while the follower falls";

    const auto fallPerSample = 1.0 - std::exp (-4.605 / (100.0 * 0.001 * 44100.0));
    const auto decayedDb = -96.0 + 96.0 * std::pow (1.0 - fallPerSample, 441.0);
    EXPECT_NEAR (meters.getPeakAndReset(), fromDecibels (decayedDb), 1e-9);
}

// Blocks of any length read exactly as the same samples one at a time: flags
// set, held and released at the same samples, the same levels.
TEST (LevelMeters, BlocksReadExactlyAsSampleBySample)
{
    LevelMeters bySample, byBlock;
    bySample.prepare (25.0); // a hold of 50 samples
    byBlock.prepare (25.0);

    std::mt19937 random (21);
    std::uniform_real_distribution<double> level (-1.0, 1.0);
    std::uniform_int_distribution<int> blockSizes (1, 64);

    for (int done = 0; done < 40000;)
    {
        const auto count = blockSizes (random);
        std::vector<double> left ((size_t) count), right ((size_t) count);

        for (int i = 0; i < count; ++i)
        {
            // Rare overs, so that holds both run out and restart.
            const auto over = (done + i) % 130 < 2 ? 1.5 : 1.0;
            left[(size_t) i] = level (random) * over;
            right[(size_t) i] = level (random) * ((done + i) % 170 == 5 ? 1.5 : 0.5);
            bySample.process (left[(size_t) i], right[(size_t) i]);
        }

        byBlock.processBlock (left.data(), right.data(), count);
        done += count;

        for (int channel : { 1, 2 })
        {
            ASSERT_EQ (byBlock.isClipping (channel), bySample.isClipping (channel)) << done;
            ASSERT_EQ (byBlock.getLevel (channel), bySample.getLevel (channel)) << done;
        }
    }

    EXPECT_EQ (byBlock.getPeakAndReset(), bySample.getPeakAndReset());
}
