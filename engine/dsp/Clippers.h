#pragma once

#include "Followers.h"
#include "Smoothing.h"

#include <algorithm>
#include <cmath>

namespace AudioDev::Distortion
{
    /** Stereo-linked clipper: one gain, computed from the mean level of both
        channels, scales both of them, and a dry/wet amount blends it in.

        A stage supplies its curve, its input and output gains and its follower
        times; the amount scales the input and output gains in dB and sets the
        wet share as its square root.
    */
    class ClipperStereo
    {
    public:
        virtual void applyCurve (double& value) noexcept = 0;

        /** 0: input gain in dB, 1: output gain in dB, anything else 0.
            A stage's gains are constants: they are read again only when the
            smoothed amount moves.
        */
        virtual double getGainDb (int which) const noexcept = 0;

        /** 0: attack time in ms, 1: release time in ms, anything else 0. */
        virtual double getTimeMs (int which) const noexcept = 0;

        virtual void prepare (double sampleRate) noexcept
        {
            if (! isUsableSampleRate (sampleRate))
                return;

            amountSmoother.prepare (sampleRate);
            outputGainSmoother.prepare (sampleRate);
            envelope.prepare (sampleRate);
            envelope.setAttack (getTimeMs (0));
            envelope.setRelease (getTimeMs (1));
        }

        void process (double& left, double& right) noexcept { processBlock (&left, &right, 1); }

        /** The same as process on each sample in turn, for up to maxBlockSize
            samples, in three passes: the glides of the amount and the output
            gain, then the curve's gains, which depend on no earlier sample and
            so overlap from sample to sample, then the follower and the mix.
        */
        void processBlock (double* left, double* right, int numSamples) noexcept
        {
            double inputGains[maxBlockSize], outputGains[maxBlockSize], wetShares[maxBlockSize], gains[maxBlockSize];

            if (amountSmoother.isSettledAt (amount) && currentAmount == amount && outputGainSmoother.isSettledAt (outputTarget))
            {
                // Settled glides repeat themselves: every sample gets the same gains.
                std::fill (inputGains, inputGains + numSamples, inputGain);
                std::fill (wetShares, wetShares + numSamples, wetShare);
                std::fill (outputGains, outputGains + numSamples, outputTarget);
            }
            else
            {
                for (int i = 0; i < numSamples; ++i)
                {
                    followAmount (amountSmoother.next (amount));
                    inputGains[i] = inputGain;
                    wetShares[i] = wetShare;
                    outputGains[i] = outputGainSmoother.next (outputTarget);
                }
            }

            for (int i = 0; i < numSamples; ++i)
            {
                const double level = (std::abs (left[i]) + std::abs (right[i])) * 0.5;
                double x = level * inputGains[i];
                applyCurve (x);
                gains[i] = level > 0.0 ? x / level : 1.0;
            }

            for (int i = 0; i < numSamples; ++i)
            {
                // Following the negated gain lets attack act while the gain falls.
                const double smoothedGain = -envelope.process (-gains[i]);
                const double wetLeft = left[i] * smoothedGain;
                const double wetRight = right[i] * smoothedGain;

                left[i] = left[i] * (1.0 - wetShares[i]) + wetLeft * outputGains[i] * wetShares[i];
                right[i] = right[i] * (1.0 - wetShares[i]) + wetRight * outputGains[i] * wetShares[i];
            }
        }

        double amount = 0.0; // target amount, 0 (dry) ... 1 (fully processed)

    protected:
        ClipperStereo() noexcept = default;
        ~ClipperStereo() = default;

        static constexpr double choose (int which, double first, double second) noexcept
        {
            return which == 0 ? first : (which == 1 ? second : 0.0);
        }

    private:
        // The gains and the wet share depend on the smoothed amount alone, so
        // they are recomputed only while it moves.
        void followAmount (double a) noexcept
        {
            if (a == currentAmount)
                return;

            currentAmount = a;
            inputGain = decibelsToGain (getGainDb (0) * a);
            outputTarget = decibelsToGain (a * getGainDb (1));
            wetShare = std::sqrt (a);
        }

        Smoothing::SmootherGeneric<double> amountSmoother { 0.0 };
        Smoothing::SmootherGeneric<double> outputGainSmoother { 0.0 };
        AttackReleaseFollower envelope;

        double currentAmount = 0.0; // the smoothed amount the three values below belong to
        double inputGain = 1.0;
        double outputTarget = 1.0;
        double wetShare = 0.0;
    };
} // namespace AudioDev::Distortion

namespace Kick_Harmonics
{
    /** Soft saturation: tanh after +10 dB, instant attack, 1 ms release. */
    class ClipStage_1 final : public AudioDev::Distortion::ClipperStereo
    {
    public:
        void applyCurve (double& value) noexcept override { value = AudioDev::FastMath::tanh (value); }
        double getGainDb (int which) const noexcept override { return choose (which, 10.0, 0.0); }
        double getTimeMs (int which) const noexcept override { return choose (which, 0.0, 1.0); }
    };

    /** Hard clip at full scale after +15 dB, made up by -12 dB, instant follower. */
    class ClipStage_2 final : public AudioDev::Distortion::ClipperStereo
    {
    public:
        // std::min keeps a NaN (its first argument) and needs no branch.
        void applyCurve (double& value) noexcept override { value = std::min (value, 1.0); }

        double getGainDb (int which) const noexcept override { return choose (which, 15.0, -12.0); }
        double getTimeMs (int which) const noexcept override { return choose (which, 0.0, 0.0); }
    };
} // namespace Kick_Harmonics

namespace Kick_Compression
{
    /** Gentle tanh saturation ahead of the kick compressor: +3 dB in, -3 dB out, 50 ms release. */
    class GlueSaturation final : public AudioDev::Distortion::ClipperStereo
    {
    public:
        void applyCurve (double& value) noexcept override { value = AudioDev::FastMath::tanh (value); }
        double getGainDb (int which) const noexcept override { return choose (which, 3.0, -3.0); }
        double getTimeMs (int which) const noexcept override { return choose (which, 0.0, 50.0); }
    };
} // namespace Kick_Compression
