#include "Filters.h"

#include <algorithm>

namespace
{
    using AudioDev::pi;
    using AudioDev::twoPi;

    // ln 2 / 2 as the single-precision value the equalisers were voiced with.
    constexpr double halfLn2 = 0.3465735912322998;

    // Section divisors (twice each section's Q) of the Linkwitz-Riley cascades, by
    // order exponent: Butterworth sections of order 2^n, each taken twice; the
    // single section at n = 0 is a squared first-order Butterworth.
    constexpr double divisors0[] = { 1.0 };
    constexpr double divisors1[] = { 1.4142135623730951, 1.4142135623730951 };
    constexpr double divisors2[] = { 1.0823922002924056, 1.0823922002924056,
                                     2.613125929753243, 2.613125929753243 };
    constexpr double divisors3[] = { 1.019591158208321, 1.019591158208321,
                                     1.2026897738701217, 1.2026897738701217,
                                     1.7999524462730052, 1.7999524462730052,
                                     5.125830895485346, 5.125830895485346 };
    constexpr const double* divisorsByOrder[] = { divisors0, divisors1, divisors2, divisors3 };

    // Keeps a design frequency where the bilinear sections stay stable.
    double clampDesignFrequency (double frequency, double sampleRate) noexcept
    {
        return std::clamp (frequency, 0.0, AudioDev::maxDesignFrequencyRatio * sampleRate);
    }

    double allpassCoefficient (double frequency, double sampleRate) noexcept
    {
        const double t = std::tan (pi * clampDesignFrequency (frequency, sampleRate) / sampleRate);
        return (t - 1.0) / (t + 1.0);
    }

    void setAllpass (StereoSection& section, double c) noexcept
    {
        section.setCoefficients (c, 1.0, 0.0, c, 0.0);
    }

    // Bandwidth-style Q: q acts as the inverse of a bandwidth in octaves.
    double effectiveQ (double q) noexcept
    {
        return 1.0 / (2.0 * std::sinh (halfLn2 / q));
    }

    BiquadCoefficients normalise (double b0, double b1, double b2, double a0, double a1, double a2) noexcept
    {
        return { a0, a1 / a0, a2 / a0, b0 / a0, b1 / a0, b2 / a0 };
    }
} // namespace

//==============================================================================
void LinkwitzRileyFilter::setOrderExponent (int newOrderExponent) noexcept
{
    if (newOrderExponent < 0 || newOrderExponent > maxOrderExponent)
        return;

    orderExponent = newOrderExponent;
    design();
}

void LinkwitzRileyFilter::prepare (double newSampleRate) noexcept
{
    if (! AudioDev::isUsableSampleRate (newSampleRate))
        return;

    sampleRate = newSampleRate;

    for (auto& section : sections)
        section.clearState();

    design();
}

void LinkwitzRileyFilter::design() noexcept
{
    const int numSections = 1 << orderExponent;
    const double f = clampDesignFrequency (frequency, sampleRate);

    for (int i = 0; i < numSections; ++i)
    {
        auto& section = sections[(size_t) i];

        if (type == allPass)
        {
            setAllpass (section, allpassCoefficient (f, sampleRate));
            continue;
        }

        const double theta = twoPi * f / sampleRate;
        const double s = std::sin (theta) / divisorsByOrder[orderExponent][i];
        const double beta = 0.5 * (1.0 - s) / (1.0 + s);
        const double gamma = (0.5 + beta) * std::cos (theta);

        const bool isLowPass = type == lowPass;
        const double a = isLowPass ? 0.5 + beta - gamma : 0.5 + beta + gamma;
        const double b1 = isLowPass ? a : -a;

        section.setCoefficients (a / 2.0, b1, a / 2.0, -2.0 * gamma, 2.0 * beta);
    }
}

//==============================================================================
void FirstOrderAllpass::prepare (double newSampleRate) noexcept
{
    if (! AudioDev::isUsableSampleRate (newSampleRate))
        return;

    sampleRate = newSampleRate;
    section.clearState();
    design();
}

void FirstOrderAllpass::design() noexcept
{
    setAllpass (section, allpassCoefficient (frequency, sampleRate));
}

//==============================================================================
LinkwitzRileyCrossover::LinkwitzRileyCrossover() noexcept
{
    // Thirds of the 20 Hz ... 20 kHz decade span on a log scale: about 200 Hz and 2 kHz.
    const double low = 20.0 * std::pow (2.0, std::log2 (1000.0) * 0.3333333333333333);
    const double high = 20.0 * std::pow (2.0, std::log2 (1000.0) * 0.6666666666666666);

    highPass1.setType (LinkwitzRileyFilter::highPass);
    highPass2.setType (LinkwitzRileyFilter::highPass);
    setLowFrequency (low);
    setHighFrequency (high);
}

void LinkwitzRileyCrossover::setLowFrequency (double hz) noexcept
{
    lowPass1.setFrequency (hz);
    highPass1.setFrequency (hz);
}

void LinkwitzRileyCrossover::setHighFrequency (double hz) noexcept
{
    lowPass2.setFrequency (hz);
    highPass2.setFrequency (hz);
    allpass.setFrequency (hz);
}

void LinkwitzRileyCrossover::prepare (double sampleRate) noexcept
{
    lowPass1.prepare (sampleRate);
    highPass1.prepare (sampleRate);
    lowPass2.prepare (sampleRate);
    highPass2.prepare (sampleRate);
    allpass.prepare (sampleRate);
}

//==============================================================================
BiquadCoefficients designBiquad (int type, double frequency, double q, double gainDb, double sampleRate) noexcept
{
    const double w = twoPi * clampDesignFrequency (frequency, sampleRate) / sampleRate;
    const double A = std::pow (10.0, gainDb / 40.0);
    const double cosW = std::cos (w);
    const double sinW = std::sin (w);

    switch (type)
    {
        case BiquadType::peak:
        {
            const double alpha = sinW / (2.0 * effectiveQ (q));
            return normalise (1.0 + alpha * A, -2.0 * cosW, 1.0 - alpha * A,
                              1.0 + alpha / A, -2.0 * cosW, 1.0 - alpha / A);
        }

        case BiquadType::lowShelf:
        case BiquadType::highShelf:
        {
            // The shelf's q range 0.2 ... 12 is mapped onto 0.3 ... 1.5 first, then
            // taken through the slope S, which gives alpha = sin w / (2 Qs).
            const double mappedQ = (q - 0.2) / 11.8 * 1.2 + 0.3;
            const double qs = effectiveQ (mappedQ);
            const double aSum = A + 1.0 / A;
            const double slope = 1.0 / ((1.0 / (qs * qs) - 2.0) / aSum + 1.0);
            const double alpha = sinW / 2.0 * std::sqrt (aSum * (1.0 / slope - 1.0) + 2.0);
            const double twoSqrtAAlpha = 2.0 * std::sqrt (A) * alpha;

            if (type == BiquadType::lowShelf)
                return normalise (A * ((A + 1.0) - (A - 1.0) * cosW + twoSqrtAAlpha),
                                  2.0 * A * ((A - 1.0) - (A + 1.0) * cosW),
                                  A * ((A + 1.0) - (A - 1.0) * cosW - twoSqrtAAlpha),
                                  (A + 1.0) + (A - 1.0) * cosW + twoSqrtAAlpha,
                                  -2.0 * ((A - 1.0) + (A + 1.0) * cosW),
                                  (A + 1.0) + (A - 1.0) * cosW - twoSqrtAAlpha);

            return normalise (A * ((A + 1.0) + (A - 1.0) * cosW + twoSqrtAAlpha),
                              -2.0 * A * ((A - 1.0) + (A + 1.0) * cosW),
                              A * ((A + 1.0) + (A - 1.0) * cosW - twoSqrtAAlpha),
                              (A + 1.0) - (A - 1.0) * cosW + twoSqrtAAlpha,
                              2.0 * ((A - 1.0) - (A + 1.0) * cosW),
                              (A + 1.0) - (A - 1.0) * cosW - twoSqrtAAlpha);
        }

        case BiquadType::lowPass:
        {
            const double alpha = sinW / (2.0 * effectiveQ (q));
            return normalise ((1.0 - cosW) / 2.0, 1.0 - cosW, (1.0 - cosW) / 2.0,
                              1.0 + alpha, -2.0 * cosW, 1.0 - alpha);
        }

        case BiquadType::highPass:
        {
            const double alpha = sinW / (2.0 * effectiveQ (q));
            return normalise ((1.0 + cosW) / 2.0, -(1.0 + cosW), (1.0 + cosW) / 2.0,
                              1.0 + alpha, -2.0 * cosW, 1.0 - alpha);
        }

        default:
            return {};
    }
}

//==============================================================================
StereoBiquad::StereoBiquad (int filterType, double frequencyHz, double qualityFactor, double gainDecibels) noexcept
    : frequency (frequencyHz), q (qualityFactor), gainDb (gainDecibels), type (filterType)
{
    update();
}

void StereoBiquad::update() noexcept
{
    const auto c = designBiquad (type, frequency, q, gainDb, sampleRate);

    if (! (std::isfinite (c.a1) && std::isfinite (c.a2) && std::isfinite (c.b0)
           && std::isfinite (c.b1) && std::isfinite (c.b2)))
        return;

    section.setCoefficients (c.b0, c.b1, c.b2, c.a1, c.a2);
}

void StereoBiquad::prepare (double newSampleRate) noexcept
{
    if (! AudioDev::isUsableSampleRate (newSampleRate))
        return;

    sampleRate = newSampleRate;
    section.clearState();
    update();
}
