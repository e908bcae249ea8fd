#pragma once

#include "Followers.h"

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

    void process (double& left, double& right) noexcept
    {
        const double level = (std::abs (left) + std::abs (right)) * 0.5;
        const double fastDb = AudioDev::gainToDecibels (fast.process (level));
        const double slowDb = AudioDev::gainToDecibels (slow.process (level));
        const double gain = AudioDev::decibelsToGain ((fastDb - slowDb) * amount);

        left *= gain;
        right *= gain;
    }

    double amount = 1.0; // factor on the dB difference

private:
    AttackReleaseFollower fast { 0.5, 100.0, AudioDev::rcDecayExponent };
    AttackReleaseFollower slow { 10.0, 100.0, AudioDev::rcDecayExponent };
};
