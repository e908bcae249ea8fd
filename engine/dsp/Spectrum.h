#pragma once

#include "FftTables.h"

#include <algorithm>
#include <array>

// A 1024-bin magnitude spectrum of the mono sum of the chain's output. Samples
// fill a ring; every 1024 samples a forward real FFT (a 512-point complex
// transform, a split and one combining pass, all in place) turns the ring into
// magnitudes, which are smoothed per frame and published to readers in one
// block copy. Nothing is allocated after construction.
class SpectrumAnalyser
{
public:
    static constexpr int numBins = 1024;
    static constexpr double floorDb = -144.0;
    static constexpr double floorGain = 6.30957344480193e-08; // 10^(-144 / 20)

    SpectrumAnalyser() noexcept;

    // Recomputes the per-frame smoothing for a new rate; the ring, the arrays
    // and the smoothing state carry over.
    void prepare (double sampleRate) noexcept;

    // Adds (left + right) / 2 of each pair to the ring, a run at a time; the
    // sample that completes the ring also runs one frame.
    void push (double left, double right) noexcept { pushBlock (&left, &right, 1); }
    void pushBlock (const double* left, const double* right, int numSamples) noexcept
    {
        while (numSamples > 0)
        {
            const auto run = std::min (numSamples, numBins - spectrumWriteIndex);
            auto* ring = spectrumReal.data() + spectrumWriteIndex;

            for (int i = 0; i < run; ++i)
                ring[i] = (left[i] + right[i]) * 0.5;

            left += run;
            right += run;
            numSamples -= run;
            spectrumWriteIndex += run;

            if (spectrumWriteIndex == numBins)
            {
                spectrumWriteIndex = 0;
                runFrame();
            }
        }
    }

    // The bin's smoothed magnitude in dB, or floorDb below the floor.
    float getBinLevelDecibels (int binIndex) const noexcept;

    // The smoothed magnitude of one bin as readers see it (linear).
    double getBinMagnitude (int binIndex) const noexcept { return spectrumDisplay[(size_t) binIndex]; }

private:
    static constexpr int halfSize = numBins / 2;
    static constexpr double smoothingTimeMs = 1000.0;
    static constexpr double smoothingConstant = -4.605;

    void runFrame() noexcept;
    void transformHalfSize() noexcept;
    void splitEvenOdd() noexcept;
    void combine() noexcept;

    std::array<double, numBins> spectrumReal {};
    std::array<double, numBins> spectrumImag {};
    std::array<double, numBins> spectrumDisplay {};
    std::array<double, numBins> spectrumSmoothed {};
    int spectrumWriteIndex = 0;
    FftTables<halfSize> halfSizeTables;
    FftTables<numBins> fullSizeTables;
    double smoothingCoefficient = 0.0;
};
