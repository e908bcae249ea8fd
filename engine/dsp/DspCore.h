#pragma once

#include "FastMath.h"

#include <cmath>
#include <emmintrin.h>

// Constants and small helpers shared by every building block of the kick chain.
// The numeric constants are deliberately the shortened values the chain was
// tuned with: they decide the last bits of every coefficient.
namespace AudioDev
{
    constexpr double pi    = 3.14159265359;
    constexpr double twoPi = 6.28318530718;

    // Decay exponents k of the time-constant rule: -4.605 covers 99 % of a step
    // within the time, -1.00239343 about 63 % (an RC-style time constant).
    constexpr double defaultDecayExponent = -4.605;
    constexpr double rcDecayExponent      = -1.00239343;

    constexpr double defaultSampleRate = 44100.0;

    // The most samples a block operation (processBlock of a stage) takes at once;
    // its scratch arrays live on the stack.
    constexpr int maxBlockSize = 64;

    // Detector floor: levels below it read as the floor instead of reaching log10(0).
    constexpr double floorDb   = -96.0;
    constexpr double floorGain = 1.584893192461114e-05; // 10^(-96 / 20)

    // Design frequencies are kept below Nyquist, where the sections would go unstable.
    constexpr double maxDesignFrequencyRatio = 0.45;

    // One-pole coefficient: the fraction of the remaining distance covered per sample.
    // A time of zero (or less) follows the input at once.
    inline double timeConstantCoefficient (double timeMs, double sampleRate, double decayExponent) noexcept
    {
        if (! (timeMs > 0.0))
            return 1.0;

        return 1.0 - std::exp (decayExponent / (timeMs * 0.001 * sampleRate));
    }

    // Sample rates that prepare operations accept; anything else is ignored.
    inline bool isUsableSampleRate (double sampleRate) noexcept
    {
        return sampleRate > 0.0 && std::isfinite (sampleRate);
    }

    // Branch-free comparisons and choices for values that follow the signal
    // (a level against its envelope, say): such branches flip unpredictably,
    // and a mispredicted branch costs more than computing both sides.
    namespace Branchless
    {
        inline __m128d greater (double a, double b) noexcept { return _mm_cmpgt_sd (_mm_set_sd (a), _mm_set_sd (b)); }
        inline __m128d ordered (double a, double b) noexcept { return _mm_cmpord_sd (_mm_set_sd (a), _mm_set_sd (b)); }
        inline __m128d both (__m128d a, __m128d b) noexcept  { return _mm_and_pd (a, b); }

        // mask ? ifTrue : ifFalse, for a mask made by the comparisons above.
        inline double select (__m128d mask, double ifTrue, double ifFalse) noexcept
        {
            return _mm_cvtsd_f64 (_mm_or_pd (_mm_and_pd (mask, _mm_set_sd (ifTrue)), _mm_andnot_pd (mask, _mm_set_sd (ifFalse))));
        }
    } // namespace Branchless

    // 20 log10 (g) as ln (g) * 20 / ln 10 and 10^(dB / 20) as e^(dB * ln 10 / 20):
    // the same values to a few units in the last place, at a fraction of the cost.
    constexpr double decibelsPerNeper = 8.68588963806503655302257837833; // 20 / ln 10
    constexpr double nepersPerDecibel = 0.115129254649702284200899572734; // ln 10 / 20

    inline double gainToDecibels (double gain) noexcept
    {
        return gain < floorGain ? floorDb : FastMath::log (gain) * decibelsPerNeper;
    }

    inline double decibelsToGain (double decibels) noexcept
    {
        return FastMath::exp (decibels * nepersPerDecibel);
    }

    // The same conversions on both lanes of a pair, lane by lane the same results.
    inline StereoPair gainToDecibels (StereoPair gains) noexcept
    {
        const auto underFloor = _mm_cmplt_pd (gains.lanes, _mm_set1_pd (floorGain));
        const auto clamped = _mm_max_pd (_mm_set1_pd (floorGain), gains.lanes); // a NaN stays NaN
        const auto levels = FastMath::log (StereoPair { clamped }) * StereoPair::both (decibelsPerNeper);
        return { _mm_or_pd (_mm_and_pd (underFloor, _mm_set1_pd (floorDb)), _mm_andnot_pd (underFloor, levels.lanes)) };
    }

    inline StereoPair decibelsToGain (StereoPair decibels) noexcept
    {
        return FastMath::exp (decibels * StereoPair::both (nepersPerDecibel));
    }
} // namespace AudioDev
