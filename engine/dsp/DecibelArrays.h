#pragma once

// The chain's dB conversions over whole arrays, in place: what its block
// operations need between their passes. Where the processor has AVX2 the
// bulk runs four values at a time, otherwise two; every value comes out
// exactly as the scalar conversion gives it.
namespace AudioDev
{
    // gainToDecibels of every value: the -96 dB floor, then 20 log10.
    void gainsToDecibels (double* values, int numValues) noexcept;

    // decibelsToGain of every value.
    void decibelsToGains (double* values, int numValues) noexcept;

    // e^(ln (x) * power) of every (positive, normal) value: x^power.
    void raiseToPower (double* values, int numValues, double power) noexcept;
} // namespace AudioDev
