#pragma once

#include "DspCore.h"

// A one-pole level follower that works in decibels: it starts at its floor,
// and its state moves towards each level (in dB, already floored by the owner,
// who converts a block of magnitudes at once) with a rise coefficient while
// the level climbs and a fall coefficient while it drops.
class DecibelFollower
{
public:
    DecibelFollower (double riseTimeMs, double fallTimeMs, double floorDecibels) noexcept;

    // Recomputes both coefficients for a new rate; the value carries over.
    void prepare (double newSampleRate) noexcept;

    // One step towards a level in dB.
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
};
