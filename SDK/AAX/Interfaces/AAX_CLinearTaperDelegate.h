// AAX_CLinearTaperDelegate: a straight-line taper between two bounds.
#pragma once

#include "AAX_ITaperDelegate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

/** Maps [minimum, maximum] linearly onto [0, 1]. The bounds may be given in
    either order (a falling control); equal bounds make a fixed value whose
    normalized position is the middle. Real values outside the bounds, and any
    infinite normalized value, are clamped; NaN becomes the minimum so it never
    travels further into the plug-in.

    RealPrecision is kept for call-site compatibility; only 0 (real values are
    not rounded) is supported. */
template <typename T, int32_t RealPrecision = 0>
class AAX_CLinearTaperDelegate : public AAX_ITaperDelegate<T>
{
    static_assert (RealPrecision == 0, "rounded real values are not supported");

public:
    explicit AAX_CLinearTaperDelegate (T minValue = T (0), T maxValue = T (1)) noexcept
        : mMinValue (minValue), mMaxValue (maxValue) {}

    AAX_CLinearTaperDelegate* Clone() const override { return new AAX_CLinearTaperDelegate (*this); }

    T GetMaximumValue() const override { return mMaxValue; }
    T GetMinimumValue() const override { return mMinValue; }

    T ConstrainRealValue (T value) const override { return constrained (static_cast<double> (value)); }

    T NormalizedToReal (double normalizedValue) const override
    {
        const double min = mMinValue, max = mMaxValue;
        return constrained (normalizedValue * (max - min) + min);
    }

    double RealToNormalized (T realValue) const override
    {
        if (mMinValue == mMaxValue)
            return 0.5;

        const double min = mMinValue, max = mMaxValue;
        return (static_cast<double> (ConstrainRealValue (realValue)) - min) / (max - min);
    }

private:
    // Clamped while still a double, so a huge value is never narrowed to T.
    T constrained (double value) const noexcept
    {
        if (mMinValue == mMaxValue || std::isnan (value))
            return mMinValue;

        const double low = std::min (mMinValue, mMaxValue), high = std::max (mMinValue, mMaxValue);
        return static_cast<T> (std::clamp (value, low, high));
    }

    T mMinValue;
    T mMaxValue;
};
