#pragma once

#include "DspCore.h"

/** One-pole envelope follower with separate coefficients for rising (attack)
    and falling (release) input.
*/
struct AttackReleaseFollower
{
    AttackReleaseFollower() noexcept = default;

    AttackReleaseFollower (double attackTimeMs, double releaseTimeMs,
                           double decay = AudioDev::defaultDecayExponent) noexcept
        : attackMs (attackTimeMs),
          releaseMs (releaseTimeMs),
          attackCoefficient (AudioDev::timeConstantCoefficient (attackTimeMs, sampleRate, decay)),
          releaseCoefficient (AudioDev::timeConstantCoefficient (releaseTimeMs, sampleRate, decay)),
          decayExponent (decay)
    {
    }

    /** Recomputes both coefficients for the rate; the followed value is kept. */
    void prepare (double newSampleRate) noexcept
    {
        if (! AudioDev::isUsableSampleRate (newSampleRate))
            return;

        sampleRate = newSampleRate;
        setAttack (attackMs);
        setRelease (releaseMs);
    }

    void setAttack (double ms) noexcept
    {
        attackMs = ms;
        attackCoefficient = AudioDev::timeConstantCoefficient (ms, sampleRate, decayExponent);
    }

    void setRelease (double ms) noexcept
    {
        releaseMs = ms;
        releaseCoefficient = AudioDev::timeConstantCoefficient (ms, sampleRate, decayExponent);
    }

    // Attack while the input is above the value, release while below; an
    // equal input gives a zero step and an unordered one none at all.
    double process (double input) noexcept
    {
        using namespace AudioDev::Branchless;
        const double coefficient = select (greater (input, current), attackCoefficient, releaseCoefficient);
        current += select (ordered (input, current), (input - current) * coefficient, 0.0);
        return current;
    }

    double sampleRate = AudioDev::defaultSampleRate;
    double attackMs = 0.0;
    double releaseMs = 0.0;
    double attackCoefficient = 1.0;
    double releaseCoefficient = 1.0;
    double current = 0.0; // the last output
    double decayExponent = AudioDev::defaultDecayExponent;
};
