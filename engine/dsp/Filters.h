#pragma once

#include "DspCore.h"

#include <array>
#include <cmath>
#include <cstdint>

/** One second-order section, direct form I, with a0 divided out. */
struct FilterSection
{
    // Outputs this small are flushed to zero so the recursion never lingers in denormals.
    static constexpr double flushThreshold = 2.22507e-308;

    double process (double x) noexcept
    {
        double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;

        if (y != 0.0 && std::abs (y) < flushThreshold)
            y = 0.0;

        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    void setCoefficients (double newB0, double newB1, double newB2, double newA1, double newA2) noexcept
    {
        b0 = newB0; b1 = newB1; b2 = newB2; a1 = newA1; a2 = newA2;
    }

    void clearState() noexcept { x1 = x2 = y1 = y2 = 0.0; }

    // A pass-through until designed, so a section whose design fails does not mute.
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
};

/** Linkwitz-Riley low-, high- or all-pass as a cascade of 2^n second-order
    sections per channel (n = 0 ... 3: 2nd to 16th order).
*/
class LinkwitzRileyFilter
{
public:
    enum Type : std::int32_t { lowPass = 0, highPass = 1, allPass = 2 };

    static constexpr int maxOrderExponent = 3;
    static constexpr int maxSections = 1 << maxOrderExponent;

    LinkwitzRileyFilter() noexcept { design(); }

    /** Any type other than low-pass and all-pass designs a high-pass. */
    void setType (int newType) noexcept                 { type = newType; design(); }
    void setFrequency (double hz) noexcept              { frequency = hz; design(); }

    /** Exponents outside 0 ... 3 are ignored: there are only eight sections. */
    void setOrderExponent (int newOrderExponent) noexcept;

    /** Takes the rate, clears every section's memory and redesigns. */
    void prepare (double newSampleRate) noexcept;

    /** Recomputes the coefficients from the settings; the memories are kept. */
    void design() noexcept;

    void process (double& left, double& right) noexcept
    {
        const int numSections = 1 << orderExponent;

        for (int i = 0; i < numSections; ++i)
        {
            left = leftSections[(size_t) i].process (left);
            right = rightSections[(size_t) i].process (right);
        }
    }

    double getSampleRate() const noexcept   { return sampleRate; }
    int getOrderExponent() const noexcept   { return orderExponent; }

private:
    double sampleRate = AudioDev::defaultSampleRate;
    double frequency = 1000.0;
    std::int32_t type = lowPass;
    std::int32_t orderExponent = 0;
    std::array<FilterSection, maxSections> leftSections {};
    std::array<FilterSection, maxSections> rightSections {};
};

/** First-order all-pass, run as a section with b0 = a1 = c, b1 = 1. */
class FirstOrderAllpass
{
public:
    FirstOrderAllpass() noexcept { design(); }

    void setFrequency (double hz) noexcept { frequency = hz; design(); }

    /** Takes the rate, clears the memories and recomputes the coefficient. */
    void prepare (double newSampleRate) noexcept;

    void process (double& leftSample, double& rightSample) noexcept
    {
        leftSample = left.process (leftSample);
        rightSample = right.process (rightSample);
    }

private:
    void design() noexcept;

    double sampleRate = AudioDev::defaultSampleRate;
    double frequency = 1000.0;
    FilterSection left, right;
};

/** Three-band Linkwitz-Riley crossover. The low band passes an all-pass at the
    high frequency so that it keeps phase with the other two; recombined as
    low - mid + high the bands give back a flat magnitude.
*/
class LinkwitzRileyCrossover
{
public:
    struct StereoSample
    {
        double left = 0.0;
        double right = 0.0;
    };

    struct Bands
    {
        StereoSample low, mid, high;
    };

    LinkwitzRileyCrossover() noexcept;

    void setLowFrequency (double hz) noexcept;
    void setHighFrequency (double hz) noexcept;
    void prepare (double sampleRate) noexcept;

    /** Splits one stereo sample. The bands keep the filters' polarity: the mid
        band comes out inverted relative to the other two.
    */
    Bands split (double left, double right) noexcept
    {
        Bands bands { { left, right }, { left, right }, {} };

        lowPass1.process (bands.low.left, bands.low.right);
        allpass.process (bands.low.left, bands.low.right);

        highPass1.process (bands.mid.left, bands.mid.right);
        bands.high = bands.mid;
        lowPass2.process (bands.mid.left, bands.mid.right);
        highPass2.process (bands.high.left, bands.high.right);
        return bands;
    }

    LinkwitzRileyFilter lowPass1;  // low-pass at the low frequency
    LinkwitzRileyFilter lowPass2;  // low-pass at the high frequency
    LinkwitzRileyFilter highPass1; // high-pass at the low frequency
    LinkwitzRileyFilter highPass2; // high-pass at the high frequency
    FirstOrderAllpass allpass;     // at the high frequency, on the low band
};

/** Filter shapes of designBiquad. */
namespace BiquadType
{
    constexpr int peak = 0;
    constexpr int lowShelf = 1;
    constexpr int highShelf = 2;
    constexpr int lowPass = 3;
    constexpr int highPass = 4;
}

/** a0 as designed, the other five divided by it. */
struct BiquadCoefficients
{
    double a0 = 1.0, a1 = 0.0, a2 = 0.0, b0 = 1.0, b1 = 0.0, b2 = 0.0;
};

/** Designs one of the BiquadType sections (Audio EQ Cookbook forms). q acts as
    the inverse of a bandwidth in octaves; the shelves first map q from
    0.2 ... 12 onto 0.3 ... 1.5. An unknown type designs a pass-through.
*/
BiquadCoefficients designBiquad (int type, double frequency, double q, double gainDb, double sampleRate) noexcept;

/** A stereo biquad equaliser section: both channels share one design. */
class StereoBiquad
{
public:
    explicit StereoBiquad (int filterType = BiquadType::peak, double frequencyHz = 1000.0,
                           double qualityFactor = 1.0, double gainDecibels = 0.0) noexcept;

    /** Designs from the settings below for the prepared rate; memories are kept,
        so the new response takes effect at the next sample. A design that comes
        out non-finite (a q of zero, say) keeps the previous coefficients.
    */
    void update() noexcept;

    /** Takes the rate, clears both memories and updates. */
    void prepare (double newSampleRate) noexcept;

    void process (double& leftSample, double& rightSample) noexcept
    {
        leftSample = left.process (leftSample);
        rightSample = right.process (rightSample);
    }

    double getSampleRate() const noexcept { return sampleRate; }

    // Settings: written by the owner, applied by update().
    double frequency; // Hz
    double q;
    double gainDb;
    std::int32_t type;

private:
    FilterSection left, right;
    double sampleRate = AudioDev::defaultSampleRate;
};
