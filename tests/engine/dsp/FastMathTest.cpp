#include "DecibelArrays.h"
#include "DspCore.h"
#include "FastMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

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

// The array forms run four or two values at a time depending on the
// processor; every value must come out as the scalar conversion gives it,
// including around values that leave the fast ranges.
TEST (FastMath, ArrayConversionsGiveExactlyTheScalarResults)
{
    std::mt19937_64 random (11);
    std::uniform_real_distribution<double> decades (-9.0, 2.0), decibels (-150.0, 40.0);

    for (const int length : { 1, 3, 4, 7, 64 })
    {
        std::vector<double> gains ((size_t) length), levels ((size_t) length), ratios ((size_t) length);

        for (size_t i = 0; i < gains.size(); ++i)
        {
            gains[i] = std::pow (10.0, decades (random));
            levels[i] = decibels (random);
            ratios[i] = std::pow (10.0, decades (random) / 3.0);
        }

        if (length > 4)
        {
            gains[5] = 0.0;                                          // under the floor
            levels[5] = 1.0e5;                                       // beyond the fast exponential
            ratios[5] = std::numeric_limits<double>::denorm_min();   // beyond the fast logarithm
        }

        auto decibelResults = gains, gainResults = levels, powerResults = ratios;
        AudioDev::gainsToDecibels (decibelResults.data(), length);
        AudioDev::decibelsToGains (gainResults.data(), length);
        AudioDev::raiseToPower (powerResults.data(), length, 0.37);

        for (size_t i = 0; i < gains.size(); ++i)
        {
            ASSERT_EQ (decibelResults[i], AudioDev::gainToDecibels (gains[i])) << length << " " << i;
            ASSERT_EQ (gainResults[i], AudioDev::decibelsToGain (levels[i])) << length << " " << i;
            ASSERT_EQ (powerResults[i], AudioDev::FastMath::exp (AudioDev::FastMath::log (ratios[i]) * 0.37)) << length << " " << i;
        }
    }
}
