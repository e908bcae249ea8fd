#include "DecibelArrays.h"

#include "DecibelArraysAvx2.h"
#include "DspCore.h"

namespace
{
    const bool hasAvx2 = []
    {
        __builtin_cpu_init();
        return __builtin_cpu_supports ("avx2") != 0;
    }();

    // The two-lane path finishes whatever the four-lane one leaves: the tail,
    // or everything from a group with a value outside the fast ranges.
    template <typename Function>
    void finishInPairs (double* values, int numValues, int done, Function&& function) noexcept
    {
        AudioDev::FastMath::applyInPlace (values + done, numValues - done, function);
    }
}

namespace AudioDev
{
    void gainsToDecibels (double* values, int numValues) noexcept
    {
        const auto done = hasAvx2 ? Avx2::gainsToDecibels (values, numValues, floorGain, floorDb, decibelsPerNeper) : 0;
        finishInPairs (values, numValues, done, [] (auto gain) { return gainToDecibels (gain); });
    }

    void decibelsToGains (double* values, int numValues) noexcept
    {
        const auto done = hasAvx2 ? Avx2::decibelsToGains (values, numValues, nepersPerDecibel, FastMath::Detail::exp2Table.data()) : 0;
        finishInPairs (values, numValues, done, [] (auto decibels) { return decibelsToGain (decibels); });
    }

    void raiseToPower (double* values, int numValues, double power) noexcept
    {
        const auto done = hasAvx2 ? Avx2::raiseToPower (values, numValues, power, FastMath::Detail::exp2Table.data()) : 0;
        finishInPairs (values, numValues, done, [power] (auto value)
        {
            using Value = decltype (value);
            return FastMath::exp (FastMath::log (value) * Value (power));
        });
    }
} // namespace AudioDev
