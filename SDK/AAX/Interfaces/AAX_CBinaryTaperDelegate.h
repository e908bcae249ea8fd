// AAX_CBinaryTaperDelegate: a two-state taper (off at normalized 0, on at 1).
#pragma once

#include "AAX_ITaperDelegate.h"

/** Real values are T(0) (off) and T(1) (on): a real value above zero is on,
    a normalized value of one half or more is on. NaN is off. */
template <typename T>
class AAX_CBinaryTaperDelegate : public AAX_ITaperDelegate<T>
{
public:
    AAX_CBinaryTaperDelegate* Clone() const override { return new AAX_CBinaryTaperDelegate (*this); }

    T GetMaximumValue() const override { return T (1); }
    T GetMinimumValue() const override { return T (0); }

    T ConstrainRealValue (T value) const override { return isOn (value) ? T (1) : T (0); }
    T NormalizedToReal (double normalizedValue) const override { return normalizedValue >= 0.5 ? T (1) : T (0); }
    double RealToNormalized (T realValue) const override { return isOn (realValue) ? 1.0 : 0.0; }

private:
    static bool isOn (T value) noexcept { return value > T (0); }
};
