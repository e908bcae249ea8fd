#include "FastMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace
{
    // Distance in units of the last place of the expected value.
    double ulps (double actual, double expected)
    {
        const auto magnitude = std::abs (expected);
        return std::abs (actual - expected) / (std::nextafter (magnitude, std::numeric_limits<double>::infinity()) - magnitude);
    }
}

TEST (FastMath, LogAndExpAgreeWithTheLibraryWithinTwoUnitsInTheLastPlace)
{
    std::mt19937_64 random (5);
    std::uniform_real_distribution<double> decades (-300.0, 300.0), nearOne (-0.3, 0.3), exponent (-700.0, 700.0);

    for (int i = 0; i < 300000; ++i)
    {
        // Near 1 the logarithm is small and the cancellation is hardest.
        const auto x = i % 3 == 0 ? 1.0 + nearOne (random) : std::pow (10.0, decades (random));
        ASSERT_LE (ulps (AudioDev::FastMath::log (x), std::log (x)), 2.0) << x;

        const auto y = i % 2 == 0 ? exponent (random) : nearOne (random) * 60.0;
        ASSERT_LE (ulps (AudioDev::FastMath::exp (y), std::exp (y)), 2.0) << y;
    }

    EXPECT_EQ (AudioDev::FastMath::log (1.0), 0.0);
    EXPECT_EQ (AudioDev::FastMath::exp (0.0), 1.0);
}

TEST (FastMath, TanhAgreesWithTheLibraryOnBothSidesOfItsSeriesRange)
{
    std::mt19937_64 random (7);
    std::uniform_real_distribution<double> decades (-12.0, 3.0);

    for (int i = 0; i < 300000; ++i)
    {
        const auto magnitude = std::pow (10.0, decades (random));
        const auto x = i % 2 == 0 ? magnitude : -magnitude;
        ASSERT_NEAR (AudioDev::FastMath::tanh (x), std::tanh (x), 2e-14 * std::abs (std::tanh (x))) << x;
    }

    EXPECT_EQ (AudioDev::FastMath::tanh (0.0), 0.0);
    EXPECT_EQ (AudioDev::FastMath::tanh (800.0), 1.0);
    EXPECT_EQ (AudioDev::FastMath::tanh (-std::numeric_limits<double>::infinity()), -1.0);
    EXPECT_TRUE (std::isnan (AudioDev::FastMath::tanh (std::numeric_limits<double>::quiet_NaN())));
}

TEST (FastMath, ArgumentsOutsideTheFastRangesGetTheLibraryResults)
{
    constexpr auto inf = std::numeric_limits<double>::infinity();
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const auto subnormal = std::numeric_limits<double>::denorm_min() * 12345.0;

    for (double x : { 0.0, -1.0, subnormal, inf, nan, std::numeric_limits<double>::max() })
        EXPECT_TRUE (std::isnan (x) || x < 0.0 ? std::isnan (AudioDev::FastMath::log (x))
                                               : AudioDev::FastMath::log (x) == std::log (x)) << x;

    for (double y : { -800.0, -745.5, 701.0, 710.0, inf, -inf })
        EXPECT_EQ (AudioDev::FastMath::exp (y), std::exp (y)) << y;

    EXPECT_TRUE (std::isnan (AudioDev::FastMath::exp (nan)));
}
