#include "Spectrum.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
    // Radix-2 decimation-in-time butterfly between positions q and p with the
    // twiddle factor e^(-j*angle), given as its cosine c and sine s.
    inline void butterfly (double* __restrict re, double* __restrict im, int q, int p, double c, double s) noexcept
    {
        const auto tr = re[p] * c + im[p] * s;
        const auto ti = im[p] * c - re[p] * s;
        re[p] = re[q] - tr;
        im[p] = im[q] - ti;
        re[q] = re[q] + tr;
        im[q] = im[q] + ti;
    }
}

SpectrumAnalyser::SpectrumAnalyser() noexcept
{
    prepare (44100.0);
}

void SpectrumAnalyser::prepare (double sampleRate) noexcept
{
    const auto frameRate = sampleRate / numBins;
    smoothingCoefficient = 1.0 - std::exp (smoothingConstant / (smoothingTimeMs * 0.001 * frameRate));
}

float SpectrumAnalyser::getBinLevelDecibels (int binIndex) const noexcept
{
    const auto magnitude = spectrumDisplay[(size_t) binIndex];

    if (floorGain > magnitude)
        return (float) floorDb;

    return (float) (20.0 * std::log10 (std::abs (magnitude)));
}

void SpectrumAnalyser::runFrame() noexcept
{
    transformHalfSize();
    splitEvenOdd();
    combine();

    // Scale to amplitudes, take magnitudes, empty the ring and smooth, per bin.
    constexpr double scale = 1.0 / halfSize;

    for (size_t k = 0; k < (size_t) numBins; ++k)
    {
        const auto re = spectrumReal[k] * scale;
        const auto im = spectrumImag[k] * scale;
        const auto magnitude = std::sqrt (re * re + im * im);
        spectrumReal[k] = 0.0;
        spectrumImag[k] = 0.0;
        spectrumSmoothed[k] = spectrumSmoothed[k] + (magnitude - spectrumSmoothed[k]) * smoothingCoefficient;
    }

    std::copy (spectrumSmoothed.begin(), spectrumSmoothed.end(), spectrumDisplay.begin());
}

// Packs even samples into the real and odd samples into the imaginary parts
// and runs a 512-point complex FFT on them.
void SpectrumAnalyser::transformHalfSize() noexcept
{
    auto* re = spectrumReal.data();
    auto* im = spectrumImag.data();

    // In increasing k, position 2k + 1 is always read before anything writes it.
    for (int k = 0; k < halfSize; ++k)
    {
        re[k] = re[2 * k];
        im[k] = re[2 * k + 1];
    }

    for (int k = 0; k < halfSize; ++k)
    {
        const auto r = (int) halfSizeTables.bitReversal[(size_t) k];
        if (r > k)
        {
            std::swap (re[k], re[r]);
            std::swap (im[k], im[r]);
        }
    }

    for (int span = 2; span <= halfSize; span *= 2)
    {
        const auto half = span / 2;
        const auto stride = halfSize / span;

        // Butterflies of one pass are independent; visiting them twiddle by
        // twiddle loads each factor once.
        for (int k = 0; k < half; ++k)
        {
            const auto c = halfSizeTables.cosTable[(size_t) (k * stride)];
            const auto s = halfSizeTables.sinTable[(size_t) (k * stride)];

            for (int group = 0; group < halfSize; group += span)
                butterfly (re, im, group + k, group + k + half, c, s);
        }
    }
}

// Separates the spectrum E of the even samples (kept in 0 ... 511) from the
// spectrum O of the odd samples (moved to 512 ... 1023), using the conjugate
// symmetry of both.
void SpectrumAnalyser::splitEvenOdd() noexcept
{
    auto* re = spectrumReal.data();
    auto* im = spectrumImag.data();

    for (int k = 1; k < halfSize / 2; ++k)
    {
        const auto mirror = halfSize - k;
        const auto oddRe = (im[k] + im[mirror]) * 0.5;
        const auto oddIm = (re[k] - re[mirror]) * -0.5;
        const auto evenRe = (re[k] + re[mirror]) * 0.5;
        const auto evenIm = (im[k] - im[mirror]) * 0.5;

        re[halfSize + k] = re[numBins - k] = oddRe;
        im[halfSize + k] = oddIm;
        im[numBins - k] = -oddIm;
        re[k] = re[mirror] = evenRe;
        im[k] = evenIm;
        im[mirror] = -evenIm;
    }

    const auto quarter = halfSize / 2;
    re[halfSize + quarter] = im[quarter];
    re[halfSize] = im[0];
    im[halfSize + quarter] = im[halfSize] = im[quarter] = im[0] = 0.0;
}

// X[k] = E[k] + W^k O[k] and X[k + 512] = E[k] - W^k O[k].
void SpectrumAnalyser::combine() noexcept
{
    for (int k = 0; k < halfSize; ++k)
        butterfly (spectrumReal.data(), spectrumImag.data(), k, k + halfSize,
                   fullSizeTables.cosTable[(size_t) k], fullSizeTables.sinTable[(size_t) k]);
}
