#include "Followers.h"
#include "Smoothing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

TEST (TimeConstantRule, LeavesTheDecayShareOfAStepAfterTheTime)
{
    EXPECT_EQ (AudioDev::timeConstantCoefficient (20.0, 44100.0, -4.605), 0.005207482243159367);
    EXPECT_EQ (AudioDev::timeConstantCoefficient (0.0, 44100.0, -4.605), 1.0);

    // After t ms a step has e^k left: 1 % for -4.605, about 36.7 % for -1.0024.
    for (auto [ms, rate, k] : { std::tuple { 500.0, 48000.0, -4.605 }, std::tuple { 0.3, 96000.0, -1.00239343 } })
        EXPECT_NEAR (std::pow (1.0 - AudioDev::timeConstantCoefficient (ms, rate, k), ms * 0.001 * rate), std::exp (k), 1e-12);
}

TEST (SmootherGeneric, ApproachesGeometricallyThenLandsExactlyOnTheTarget)
{
    AudioDev::Smoothing::SmootherGeneric<double> smoother { 0.0 };
    const double c = smoother.coefficient, target = 0.7;

    EXPECT_DOUBLE_EQ (smoother.next (target), target * c);
    EXPECT_DOUBLE_EQ (smoother.next (target), target * (1.0 - (1.0 - c) * (1.0 - c)));

    // It lands only once a step has reproduced the value before last: the
    // approach stalls in the last bit for one step, then snaps to the target.
    double last = 0.0, beforeLast = -1.0;
    int steps = 2;

    for (double value = smoother.next (target); value != target && steps < 20000; value = smoother.next (target))
    {
        beforeLast = last;
        last = value;
        ++steps;
    }

    EXPECT_LT (steps, 20000);
    EXPECT_EQ (last, beforeLast);
    EXPECT_LT (last, target);
    EXPECT_EQ (smoother.current, target);
    EXPECT_EQ (smoother.previous, target);
    EXPECT_EQ (smoother.next (target), target);
}

TEST (SmootherGeneric, PrepareKeepsTheValueAndRestartsTheLandingCheck)
{
    AudioDev::Smoothing::SmootherGeneric<double> smoother { 0.5 };
    smoother.prepare (96000.0);
    EXPECT_EQ (smoother.current, 0.5);
    EXPECT_EQ (smoother.previous, -0.5);
    EXPECT_EQ (smoother.coefficient, AudioDev::timeConstantCoefficient (20.0, 96000.0, -4.605));

    smoother.current = 0.0;
    smoother.prepare (48000.0);
    EXPECT_EQ (smoother.previous, 1.0);

    for (double bad : { 0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        smoother.prepare (bad);
        EXPECT_EQ (smoother.sampleRate, 48000.0);
    }
}

TEST (AttackReleaseFollower, AttackActsWhileRisingAndReleaseWhileFalling)
{
    AttackReleaseFollower follower { 1.0, 100.0 };
    follower.prepare (48000.0);

    for (int i = 0; i < 48; ++i)
        follower.process (1.0);
    EXPECT_NEAR (follower.current, 0.99, 0.001); // 99 % within the 1 ms attack

    const double peak = follower.current;
    EXPECT_DOUBLE_EQ (follower.process (0.0), peak * (1.0 - AudioDev::timeConstantCoefficient (100.0, 48000.0, -4.605)));

    const double held = follower.current;
    follower.prepare (96000.0);
    EXPECT_EQ (follower.process (std::numeric_limits<double>::quiet_NaN()), held);

    const double release = follower.releaseCoefficient;

    for (double bad : { 0.0, -1.0, std::numeric_limits<double>::quiet_NaN() })
        follower.prepare (bad);

    EXPECT_EQ (follower.releaseCoefficient, release);

    follower.setAttack (0.0);
    EXPECT_EQ (follower.process (3.0), 3.0);
}
