#pragma once

#include "DecibelArrays.h"
#include "Followers.h"

#include <algorithm>
#include <cmath>

/** Transient shaper: a gain that follows the difference, in dB, between a fast
    and a slow level follower. Rising edges, where the fast follower leads, are
    lifted for a positive amount and softened for a negative one; a steady
    level gets unity gain.
*/
class TransientShaper
{
public:
    void prepare (double sampleRate) noexcept
    {
        fast.prepare (sampleRate);
        slow.prepare (sampleRate);
    }

    void process (double& left, double& right) noexcept { processBlock (&left, &right, 1); }

    /** The same as process on each sample in turn, for up to maxBlockSize
        samples: the followers run first over the block, then the gains, which
        depend on no earlier sample and so overlap from sample to sample.
    */
    void processBlock (double* left, double* right, int numSamples) noexcept
    {
        double ratios[AudioDev::maxBlockSize];

        for (int i = 0; i < numSamples; ++i)
        {
            const double level = (std::abs (left[i]) + std::abs (right[i])) * 0.5;
            const double fastLevel = floored (fast.process (level));
            const double slowLevel = floored (slow.process (level));
            ratios[i] = fastLevel / slowLevel;
        }

        // 10^((20 log10 f - 20 log10 s) amount / 20) is (f / s)^amount: one
        // logarithm and one exponential instead of two and a power.
        auto* gains = ratios;
        AudioDev::raiseToPower (gains, numSamples, amount);

        for (int i = 0; i < numSamples; ++i)
        {
            left[i] *= gains[i];
            right[i] *= gains[i];
        }
    }

    double amount = 1.0; // factor on the dB difference

private:
    // A level under the floor reads as the floor, as its -96 dB would.
    static double floored (double level) noexcept { return std::max (level, AudioDev::floorGain); }

    AttackReleaseFollower fast { 0.5, 100.0, AudioDev::rcDecayExponent };
    AttackReleaseFollower slow { 10.0, 100.0, AudioDev::rcDecayExponent };
};
