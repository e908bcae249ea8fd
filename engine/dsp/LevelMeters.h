#pragma once

#include "DecibelArrays.h"
#include "DecibelFollower.h"
#include "Metering.h"

#include <algorithm>
#include <array>
#include <cmath>

// The level meters fed with the chain's output: a wave meter that holds its
// peak until it is read, per-channel peak meters with a slow fall, and
// per-channel clip flags held for two seconds.
class LevelMeters
{
public:
    LevelMeters() noexcept;

    // New coefficients and hold period; values, held peak and flags carry over.
    void prepare (double sampleRate) noexcept;

    void process (double left, double right) noexcept { processBlock (&left, &right, 1); }

    // The same as process on each sample pair in turn, for up to
    // AudioDev::maxBlockSize pairs. Each channel's level in dB is computed
    // once, against the wave meter's lower floor, and shared: the wave meter
    // follows the louder channel, and each peak meter its own channel clamped
    // to its higher floor. The logarithms come first, for the whole block:
    // they depend on no earlier sample, so they overlap, and only the
    // followers wait from sample to sample.
    void processBlock (const double* left, const double* right, int numSamples) noexcept
    {
        double leftDb[AudioDev::maxBlockSize], rightDb[AudioDev::maxBlockSize];

        for (int i = 0; i < numSamples; ++i)
        {
            leftDb[i] = std::abs (left[i]);
            rightDb[i] = std::abs (right[i]);
        }

        AudioDev::gainsToDecibels (leftDb, numSamples);
        AudioDev::gainsToDecibels (rightDb, numSamples);

        for (int i = 0; i < numSamples; ++i)
        {
            waveMeter.processDecibels (std::max (leftDb[i], rightDb[i]));
            waveMeterHeld = std::max (waveMeterHeld, waveMeter.getValue());

            peakMeters[0].processDecibels (std::max (leftDb[i], peakFloorDb));
            peakMeters[1].processDecibels (std::max (rightDb[i], peakFloorDb));
        }

        clipDetectors[0].processBlock (left, numSamples);
        clipDetectors[1].processBlock (right, numSamples);
    }

    // Channel 1 is left, 2 right: 0.0 at -48 dB or below, 1.0 at 0 dB or above.
    float getLevel (int channel) const noexcept;
    bool isClipping (int channel) const noexcept;

    // The highest wave-meter level since the previous call, as a magnitude.
    double getPeakAndReset() noexcept;

private:
    // The wave floor is the chain's own, so the shared conversions serve it.
    static constexpr double waveFloorDb = AudioDev::floorDb;
    static constexpr double peakFloorDb = -48.0;
    static_assert (waveFloorDb < peakFloorDb, "the peak meters reuse levels computed against the wave floor");

    DecibelFollower waveMeter { 0.0, 100.0, waveFloorDb };
    double waveMeterHeld = waveFloorDb;
    std::array<DecibelFollower, 2> peakMeters { { { 0.0, 2500.0, peakFloorDb }, { 0.0, 2500.0, peakFloorDb } } };
    std::array<AudioDev::Metering::ClipDetector<2>, 2> clipDetectors;
};
