#pragma once

#include "DspCore.h"

// A one-pole level follower that works in decibels: a magnitude is converted
// to dB (clamped to a floor) and the state moves towards it with a rise
// coefficient while the level climbs and a fall coefficient while it drops.
class DecibelFollower
{
public:
    DecibelFollower (double riseTimeMs, double fallTimeMs, double floorDecibels) noexcept;

    // Recomputes both coefficients for a new rate; the value carries over.
    void prepare (double newSampleRate) noexcept;

    // One step towards a level in dB, as toDecibels gives it for a magnitude.
    // Branches, unlike the chain's followers: a meter rises only at peaks and
    // falls in between, so the branch predicts well and keeps the state's
    // dependency chain short.
    void processDecibels (double levelDb) noexcept
    {
        if (levelDb > state)
            state = state + (levelDb - state) * riseCoefficient;
        else if (levelDb < state)
            state = state + (levelDb - state) * fallCoefficient;

        // An equal level leaves the state where it is; so does a NaN.
        value = state;
    }

    // Both magnitudes of a pair in dB at once, each under the floor read as the floor.
    StereoPair toDecibels (StereoPair magnitudes) const noexcept
    {
        const auto underFloor = _mm_cmpgt_pd (_mm_set1_pd (floorGain), magnitudes.lanes);
        const auto clamped = _mm_max_pd (_mm_set1_pd (floorGain), magnitudes.lanes); // a NaN stays NaN
        const auto levels = AudioDev::FastMath::log (StereoPair { clamped }) * StereoPair::both (AudioDev::decibelsPerNeper);
        return { _mm_or_pd (_mm_and_pd (underFloor, _mm_set1_pd (floorDb)), _mm_andnot_pd (underFloor, levels.lanes)) };
    }

    double getValue() const noexcept { return value; }

private:
    static constexpr double constant = -4.605;

    double coefficientFor (double timeMs) const noexcept;

    double value;
    double sampleRate = 44100.0;
    double riseMs;
    double fallMs;
    double riseCoefficient;
    double fallCoefficient;
    double state;
    double floorDb;
    double floorGain;
};
