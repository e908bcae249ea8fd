#pragma once

// Four-lane forms of the array conversions, built for AVX2 in a translation
// unit of their own; call them only where the processor has AVX2. Each takes
// the constants it needs, works through whole groups of four from the start,
// stops before the first group holding a value outside the fast ranges, and
// returns how many values it converted. Same operations in every lane as the
// scalar forms (no fused multiply-add), so the same results.
namespace AudioDev::Avx2
{
    int gainsToDecibels (double* values, int numValues, double floorGain, double floorDb, double decibelsPerNeper) noexcept;
    int decibelsToGains (double* values, int numValues, double nepersPerDecibel, const double* exp2Table) noexcept;
    int raiseToPower (double* values, int numValues, double power, const double* exp2Table) noexcept;
} // namespace AudioDev::Avx2
