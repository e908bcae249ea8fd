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
    void processDecibels (double levelDb) noexcept
    {
        // An equal level gives a zero step and leaves the state where it is; a NaN gives none.
        using namespace AudioDev::Branchless;
        const double coefficient = select (greater (levelDb, state), riseCoefficient, fallCoefficient);
        state = state + select (ordered (levelDb, state), (levelDb - state) * coefficient, 0.0);
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
