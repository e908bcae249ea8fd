#pragma once

#include "DecibelArrays.h"
#include "Followers.h"
#include "Smoothing.h"

#include <algorithm>
#include <cmath>

namespace AudioDev::Compression
{
    /** Stereo-linked feed-forward compressor: one detector for both channels,
        a gain computer in dB with an optional soft knee, an attack/release
        follower on the gain reduction and a dry/wet mix.

        Threshold, ratio and mix glide to new values, so they may change at any
        sample. Subclasses may condition the detector or the signal and rewrite
        the computed gain change.
    */
    class CompressorStereo
    {
    public:
        CompressorStereo() noexcept = default;

        virtual void preprocessDetector (double& /*left*/, double& /*right*/) noexcept {}
        virtual void preprocessSignal (double& /*left*/, double& /*right*/) noexcept {}
        virtual void adjustGainChange (double& /*gainChangeDb*/) noexcept {}

        /** Recomputes coefficients only: the envelope and the glides carry on. */
        virtual void prepare (double sampleRate) noexcept
        {
            if (! isUsableSampleRate (sampleRate))
                return;

            envelope.prepare (sampleRate);
            ratioSmoother.prepare (sampleRate);
            thresholdSmoother.prepare (sampleRate);
            mixSmoother.prepare (sampleRate);
        }

        /** Sets the target threshold and derives the knee from it. The knee
            follows at once; the straight part of the curve glides.
        */
        void setThreshold (double newThresholdDb) noexcept
        {
            thresholdDb = newThresholdDb;
            kneeWidthDb = -(kneeFactor * newThresholdDb);
            kneeLowerDb = newThresholdDb - kneeWidthDb / 2.0;
            kneeUpperDb = newThresholdDb + kneeWidthDb / 2.0;
        }

        void setAttack (double ms) noexcept  { envelope.setAttack (ms); }
        void setRelease (double ms) noexcept { envelope.setRelease (ms); }

        double getThresholdDb() const noexcept { return thresholdDb; }
        double getKneeWidthDb() const noexcept { return kneeWidthDb; }
        double getKneeLowerDb() const noexcept { return kneeLowerDb; }
        double getKneeUpperDb() const noexcept { return kneeUpperDb; }

        void process (double& left, double& right) noexcept { processBlock (&left, &right, 1); }

        /** The same as process on each sample in turn, for up to maxBlockSize
            samples. The work runs in three passes: the detector levels and the
            linear gains do not depend on earlier samples, so only the middle
            pass (smoothers, gain computer, follower) waits from sample to
            sample, and the processor overlaps the logarithms and exponentials
            of consecutive samples. The detector hook therefore sees the whole
            block before the signal hook sees its first sample.
        */
        void processBlock (double* left, double* right, int numSamples) noexcept
        {
            double levelsDb[maxBlockSize], thresholds[maxBlockSize], ratios[maxBlockSize],
                   reductionsDb[maxBlockSize], wetShares[maxBlockSize];

            for (int i = 0; i < numSamples; ++i)
            {
                double detectorLeft = left[i], detectorRight = right[i];
                preprocessDetector (detectorLeft, detectorRight);
                levelsDb[i] = (std::abs (detectorLeft) + std::abs (detectorRight)) * 0.5;
            }

            gainsToDecibels (levelsDb, numSamples);

            // The glides depend on nothing but their targets; a settled ratio
            // spares the division in every sample.
            const bool steadyRatio = ratioSmoother.isSettledAt (ratio);
            const bool hasKnee = kneeWidthDb > 0.0;
            const double steadySlope = 1.0 - 1.0 / ratio;
            thresholdSmoother.nextBlock (thresholdDb, thresholds, numSamples);
            ratioSmoother.nextBlock (ratio, ratios, numSamples);
            mixSmoother.nextBlock (mix, wetShares, numSamples);

            for (int i = 0; i < numSamples; ++i)
            {
                const double levelDb = levelsDb[i];
                const double threshold = thresholds[i];
                const double slope = steadyRatio ? steadySlope : 1.0 - 1.0 / ratios[i];

                // Inside the knee the curve bends quadratically, elsewhere it is the
                // straight line through the smoothed threshold. Both are computed and
                // one is chosen without a branch: the level crosses the knee's bounds
                // with the signal. A knee of width zero or less has no inside, so a
                // hard knee skips the bend and its division.
                using namespace AudioDev::Branchless;
                const auto inKnee = both (greater (levelDb, kneeLowerDb), greater (kneeUpperDb, levelDb));
                const double kneeChangeDb = hasKnee ? (kneeLowerDb - levelDb) * slope * (levelDb - kneeLowerDb) / kneeWidthDb * 0.5
                                                    : 0.0;
                const double lineChangeDb = (threshold - levelDb) * slope;

                // Only ever reduce.
                double gainChangeDb = std::min (select (inKnee, kneeChangeDb, lineChangeDb), 0.0);

                adjustGainChange (gainChangeDb);

                // The follower runs on the reduction, so attack acts while it deepens.
                reductionsDb[i] = envelope.process (-gainChangeDb);
            }

            // The reductions become linear gains in place.
            auto* gains = reductionsDb;

            for (int i = 0; i < numSamples; ++i)
                gains[i] = -reductionsDb[i];

            decibelsToGains (gains, numSamples);

            for (int i = 0; i < numSamples; ++i)
            {
                const double gain = gains[i];
                preprocessSignal (left[i], right[i]);

                const double wetLeft = left[i] * gain;
                const double wetRight = right[i] * gain;
                const double wetShare = wetShares[i];

                left[i] = left[i] * (1.0 - wetShare) + wetLeft * wetShare;
                right[i] = right[i] * (1.0 - wetShare) + wetRight * wetShare;
            }
        }

        // Targets written by the owner; ratio and mix glide there, a new knee
        // factor takes effect at the next setThreshold.
        double ratio = 1.0;
        double kneeFactor = 0.0; // knee width as a fraction of the threshold's magnitude
        double mix = 1.0;        // wet share: 0 dry ... 1 fully compressed

    protected:
        AttackReleaseFollower envelope;

    private:
        double thresholdDb = 0.0;
        double kneeWidthDb = 0.0;
        double kneeLowerDb = 0.0;
        double kneeUpperDb = 0.0;

        Smoothing::SmootherGeneric<double> ratioSmoother { 1.0 };
        Smoothing::SmootherGeneric<double> thresholdSmoother { 0.0 };
        Smoothing::SmootherGeneric<double> mixSmoother { 1.0 };
    };
} // namespace AudioDev::Compression

namespace Kick_Compression
{
    /** The kick's bus compressor: soft knee, fast attack, and a gain reduction
        limited to 7 dB before smoothing.
    */
    class Compressor final : public AudioDev::Compression::CompressorStereo
    {
    public:
        static constexpr double maxReductionDb = 7.0;

        Compressor() noexcept
        {
            envelope.decayExponent = AudioDev::rcDecayExponent;
            setAttack (0.3);
            setRelease (200.0);
            ratio = 2.0;
            mix = 0.8;
            kneeFactor = 0.25;
            setThreshold (0.0);
        }

        void adjustGainChange (double& gainChangeDb) noexcept override
        {
            gainChangeDb = std::max (gainChangeDb, -maxReductionDb);
        }
    };
} // namespace Kick_Compression
