#include "Spectrum.h"

#include <algorithm>
#include <cmath>
#include <emmintrin.h>
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

    // The same butterfly on positions q, q + 1 and p, p + 1 at once, the two
    // twiddle factors in the lanes of c and s; each lane rounds as the scalar one.
    inline void butterflyPair (double* __restrict re, double* __restrict im, int q, int p, __m128d c, __m128d s) noexcept
    {
        const auto reP = _mm_loadu_pd (re + p), imP = _mm_loadu_pd (im + p);
        const auto reQ = _mm_loadu_pd (re + q), imQ = _mm_loadu_pd (im + q);
        const auto tr = _mm_add_pd (_mm_mul_pd (reP, c), _mm_mul_pd (imP, s));
        const auto ti = _mm_sub_pd (_mm_mul_pd (imP, c), _mm_mul_pd (reP, s));
        _mm_storeu_pd (re + p, _mm_sub_pd (reQ, tr));
        _mm_storeu_pd (im + p, _mm_sub_pd (imQ, ti));
        _mm_storeu_pd (re + q, _mm_add_pd (reQ, tr));
        _mm_storeu_pd (im + q, _mm_add_pd (imQ, ti));
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

    // Two bins at a time; sqrt is exactly rounded in either form.
    const auto scaleBoth = _mm_set1_pd (scale);
    const auto coefficient = _mm_set1_pd (smoothingCoefficient);

    for (size_t k = 0; k < (size_t) numBins; k += 2)
    {
        const auto re = _mm_mul_pd (_mm_loadu_pd (spectrumReal.data() + k), scaleBoth);
        const auto im = _mm_mul_pd (_mm_loadu_pd (spectrumImag.data() + k), scaleBoth);
        const auto magnitude = _mm_sqrt_pd (_mm_add_pd (_mm_mul_pd (re, re), _mm_mul_pd (im, im)));
        _mm_storeu_pd (spectrumReal.data() + k, _mm_setzero_pd());
        _mm_storeu_pd (spectrumImag.data() + k, _mm_setzero_pd());

        const auto smoothed = _mm_loadu_pd (spectrumSmoothed.data() + k);
        _mm_storeu_pd (spectrumSmoothed.data() + k,
                       _mm_add_pd (smoothed, _mm_mul_pd (_mm_sub_pd (magnitude, smoothed), coefficient)));
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

    // The first pass pairs neighbours with the twiddle factor 1.
    for (int group = 0; group < halfSize; group += 2)
        butterfly (re, im, group, group + 1, halfSizeTables.cosTable[0], halfSizeTables.sinTable[0]);

    for (int span = 4; span <= halfSize; span *= 2)
    {
        const auto half = span / 2;
        const auto stride = halfSize / span;

        // Butterflies of one pass are independent; visiting them two twiddle
        // factors at a time loads each factor once and runs neighbouring
        // butterflies side by side.
        for (int k = 0; k < half; k += 2)
        {
            const auto c = _mm_set_pd (halfSizeTables.cosTable[(size_t) ((k + 1) * stride)], halfSizeTables.cosTable[(size_t) (k * stride)]);
            const auto s = _mm_set_pd (halfSizeTables.sinTable[(size_t) ((k + 1) * stride)], halfSizeTables.sinTable[(size_t) (k * stride)]);

            for (int group = 0; group < halfSize; group += span)
                butterflyPair (re, im, group + k, group + k + half, c, s);
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
    for (int k = 0; k < halfSize; k += 2)
        butterflyPair (spectrumReal.data(), spectrumImag.data(), k, k + halfSize,
                       _mm_loadu_pd (fullSizeTables.cosTable.data() + k), _mm_loadu_pd (fullSizeTables.sinTable.data() + k));
}
