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

    double process (double input) noexcept
    {
        if (input > current)
            current += (input - current) * attackCoefficient;
        else if (input < current)
            current += (input - current) * releaseCoefficient;

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
