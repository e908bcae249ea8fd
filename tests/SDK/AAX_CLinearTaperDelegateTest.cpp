#include <AAX_CBinaryTaperDelegate.h>
#include <AAX_CLinearTaperDelegate.h>

#include <gtest/gtest.h>

#include <limits>

namespace
{
    constexpr float floatNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float floatInf = std::numeric_limits<float>::infinity();
}

TEST (AAX_CLinearTaperDelegate, RoundTripsEveryBoundsShapeToTheConstrainedValue)
{
    const std::pair<float, float> bounds[] = { { 0.0f, 1.0f }, { -24.0f, 24.0f }, { 3.0f, 3.0f }, { 24.0f, -24.0f } };
    const float values[] = { -100.0f, -24.0f, -6.5f, 0.0f, 0.25f, 1.0f, 3.0f, 17.0f, 24.0f, 1.0e30f };

    for (const auto& [min, max] : bounds)
    {
        const AAX_CLinearTaperDelegate<float, 0> taper (min, max);

        for (float v : values)
        {
            const float constrained = taper.ConstrainRealValue (v);
            EXPECT_GE (constrained, std::min (min, max));
            EXPECT_LE (constrained, std::max (min, max));
            EXPECT_FLOAT_EQ (taper.NormalizedToReal (taper.RealToNormalized (v)), constrained) << min << ".." << max << " at " << v;
        }
    }
}

TEST (AAX_CLinearTaperDelegate, MapsLinearlyAndClamps)
{
    const AAX_CLinearTaperDelegate<float, 0> unit;   // [0, 1] by default
    EXPECT_EQ (unit.GetMinimumValue(), 0.0f);
    EXPECT_EQ (unit.GetMaximumValue(), 1.0f);
    EXPECT_EQ (unit.RealToNormalized (1.5f), 1.0);
    EXPECT_EQ (unit.NormalizedToReal (-0.2), 0.0f);

    const AAX_CLinearTaperDelegate<float, 0> gain (-24.0f, 24.0f);
    EXPECT_EQ (gain.RealToNormalized (0.0f), 0.5);
    EXPECT_EQ (gain.NormalizedToReal (0.75), 12.0f);

    const AAX_CLinearTaperDelegate<float, 0> falling (24.0f, -24.0f);
    EXPECT_EQ (falling.NormalizedToReal (0.0), 24.0f);
    EXPECT_EQ (falling.RealToNormalized (-12.0f), 0.75);

    const AAX_CLinearTaperDelegate<float, 0> fixed (3.0f, 3.0f);
    EXPECT_EQ (fixed.RealToNormalized (-7.0f), 0.5);
    EXPECT_EQ (fixed.NormalizedToReal (0.9), 3.0f);
}

TEST (AAX_CLinearTaperDelegate, KeepsNonFiniteInputOutOfThePlugIn)
{
    const AAX_CLinearTaperDelegate<float, 0> gain (-24.0f, 24.0f);
    EXPECT_EQ (gain.ConstrainRealValue (floatNaN), -24.0f);
    EXPECT_EQ (gain.RealToNormalized (floatNaN), 0.0);
    EXPECT_EQ (gain.NormalizedToReal (std::numeric_limits<double>::quiet_NaN()), -24.0f);
    EXPECT_EQ (gain.ConstrainRealValue (floatInf), 24.0f);
    EXPECT_EQ (gain.ConstrainRealValue (-floatInf), -24.0f);
    EXPECT_EQ (gain.NormalizedToReal (std::numeric_limits<double>::infinity()), 24.0f);
    EXPECT_EQ (gain.NormalizedToReal (1.0e300), 24.0f);   // far beyond float: clamped before narrowing
}

TEST (AAX_CBinaryTaperDelegate, HasTwoStates)
{
    const AAX_CBinaryTaperDelegate<bool> taper;
    EXPECT_TRUE (taper.NormalizedToReal (0.5));
    EXPECT_FALSE (taper.NormalizedToReal (0.49));

    const AAX_CBinaryTaperDelegate<float> floatTaper;
    EXPECT_EQ (floatTaper.ConstrainRealValue (0.3f), 1.0f);
    EXPECT_EQ (floatTaper.ConstrainRealValue (-2.0f), 0.0f);
    EXPECT_EQ (floatTaper.ConstrainRealValue (floatNaN), 0.0f);
    EXPECT_EQ (floatTaper.NormalizedToReal (std::numeric_limits<double>::quiet_NaN()), 0.0f);
}
