#include "DspTestSupport.h"

#include "Followers.h"
#include "Smoothing.h"

#include <gtest/gtest.h>

#include <limits>

using AudioDev::Smoothing::SmootherGeneric;

TEST (TimeConstantRule, CoversTheDecayShareOfAStepWithinTheTime)
{
    EXPECT_EQ (AudioDev::timeConstantCoefficient (20.0, 44100.0, AudioDev::defaultDecayExponent),
               0.005207482243159367);

    struct Case { double timeMs, sampleRate, decayExponent; };

    for (auto c : { Case { 20.0, 44100.0, -4.605 }, Case { 500.0, 48000.0, -4.605 },
                    Case { 0.3, 96000.0, -1.00239343 }, Case { 100.0, 22050.0, -1.00239343 } })
    {
        const double coefficient = AudioDev::timeConstantCoefficient (c.timeMs, c.sampleRate, c.decayExponent);
        const double samples = c.timeMs * 0.001 * c.sampleRate;

        // What is left of a step after the time: 1 % for -4.605, about 36.7 % for -1.0024.
        EXPECT_NEAR (std::pow (1.0 - coefficient, samples), std::exp (c.decayExponent), 1e-12);
    }

    EXPECT_EQ (AudioDev::timeConstantCoefficient (0.0, 44100.0, -4.605), 1.0);
}

TEST (SmootherGeneric, ApproachesGeometricallyAndLandsExactlyOnTheTarget)
{
    SmootherGeneric<double> smoother { 0.0 };
    const double c = smoother.coefficient;
    const double target = 0.7;

    EXPECT_DOUBLE_EQ (smoother.next (target), target * c);
    EXPECT_DOUBLE_EQ (smoother.next (target), target * (1.0 - (1.0 - c) * (1.0 - c)));

    int steps = 2;
    double value = smoother.current;

    while (value != target && steps < 100000)
    {
        value = smoother.next (target);
        ++steps;
    }

    EXPECT_EQ (value, target);
    EXPECT_LT (steps, 20000);
    EXPECT_EQ (smoother.current, target);
    EXPECT_EQ (smoother.previous, target);
    EXPECT_EQ (smoother.next (target), target);
}

TEST (SmootherGeneric, ZeroTimeJumpsAndPrepareKeepsTheValue)
{
    SmootherGeneric<double> instant { 1.0, 0.0 };
    EXPECT_EQ (instant.next (0.25), 0.25);

    SmootherGeneric<double> smoother { 0.5 };
    EXPECT_EQ (smoother.previous, -0.5);

    smoother.prepare (96000.0);
    EXPECT_EQ (smoother.current, 0.5);
    EXPECT_EQ (smoother.previous, -0.5);
    EXPECT_EQ (smoother.coefficient, AudioDev::timeConstantCoefficient (20.0, 96000.0, -4.605));

    smoother.current = 0.0;
    smoother.prepare (48000.0);
    EXPECT_EQ (smoother.previous, 1.0);

    smoother.setTime (500.0);
    EXPECT_EQ (smoother.coefficient, AudioDev::timeConstantCoefficient (500.0, 48000.0, -4.605));
}

TEST (SmootherGeneric, IgnoresUnusableSampleRates)
{
    SmootherGeneric<double> smoother { 1.0 };
    smoother.prepare (48000.0);
    const double coefficient = smoother.coefficient;

    for (double bad : { 0.0, -44100.0, std::numeric_limits<double>::quiet_NaN(),
                        std::numeric_limits<double>::infinity() })
    {
        smoother.prepare (bad);
        EXPECT_EQ (smoother.sampleRate, 48000.0);
        EXPECT_EQ (smoother.coefficient, coefficient);
    }
}

TEST (AttackReleaseFollower, UsesAttackWhileRisingAndReleaseWhileFalling)
{
    AttackReleaseFollower follower { 1.0, 100.0 };
    follower.prepare (48000.0);

    const double attack = AudioDev::timeConstantCoefficient (1.0, 48000.0, -4.605);
    const double release = AudioDev::timeConstantCoefficient (100.0, 48000.0, -4.605);

    EXPECT_DOUBLE_EQ (follower.process (1.0), attack);
    double expected = attack;

    for (int i = 0; i < 47; ++i)
        expected += (1.0 - expected) * attack;

    for (int i = 0; i < 47; ++i)
        follower.process (1.0);

    EXPECT_DOUBLE_EQ (follower.current, expected);
    EXPECT_NEAR (follower.current, 0.99, 0.001); // 99 % within the 1 ms attack

    const double peak = follower.current;
    EXPECT_DOUBLE_EQ (follower.process (0.0), peak * (1.0 - release));

    const double beforeNaN = follower.current;
    EXPECT_EQ (follower.process (std::numeric_limits<double>::quiet_NaN()), beforeNaN);

    // A new rate keeps the followed value; a zero time follows at once.
    const double held = follower.current;
    follower.prepare (96000.0);
    EXPECT_EQ (follower.current, held);

    follower.setAttack (0.0);
    EXPECT_EQ (follower.process (3.0), 3.0);
}
