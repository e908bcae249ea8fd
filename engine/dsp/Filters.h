#pragma once

#include "DspCore.h"
#include "StereoPair.h"

#include <array>
#include <cmath>
#include <cstdint>

/** One second-order section, direct form I with a0 divided out, run on both
    channels of a stereo pair at once; the channels share the coefficients.
*/
struct StereoSection
{
    // Outputs this small are flushed to zero so the recursion never lingers in denormals.
    static constexpr double flushThreshold = 2.22507e-308;

    StereoPair process (StereoPair x) noexcept
    {
        const auto y = (b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2).flushedBelow (StereoPair::both (flushThreshold));

        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    void setCoefficients (double newB0, double newB1, double newB2, double newA1, double newA2) noexcept
    {
        b0 = StereoPair::both (newB0);
        b1 = StereoPair::both (newB1);
        b2 = StereoPair::both (newB2);
        a1 = StereoPair::both (newA1);
        a2 = StereoPair::both (newA2);
    }

    void clearState() noexcept { x1 = x2 = y1 = y2 = StereoPair::both (0.0); }

    // A pass-through until designed, so a section whose design fails does not mute.
    StereoPair b0 = StereoPair::both (1.0), b1 = StereoPair::both (0.0), b2 = StereoPair::both (0.0),
               a1 = StereoPair::both (0.0), a2 = StereoPair::both (0.0);
    StereoPair x1 = StereoPair::both (0.0), x2 = StereoPair::both (0.0),
               y1 = StereoPair::both (0.0), y2 = StereoPair::both (0.0);
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
        process (StereoPair::of (left, right)).store (left, right);
    }

    StereoPair process (StereoPair x) noexcept
    {
        x = sections[0].process (x);

        // The crossovers run single sections; longer cascades take the loop.
        for (int i = 1; i < (1 << orderExponent); ++i)
            x = sections[(size_t) i].process (x);

        return x;
    }

    double getSampleRate() const noexcept   { return sampleRate; }
    int getOrderExponent() const noexcept   { return orderExponent; }

private:
    double sampleRate = AudioDev::defaultSampleRate;
    double frequency = 1000.0;
    std::int32_t type = lowPass;
    std::int32_t orderExponent = 0;
    std::array<StereoSection, maxSections> sections {};
};

/** First-order all-pass, run as a section with b0 = a1 = c, b1 = 1. */
class FirstOrderAllpass
{
public:
    FirstOrderAllpass() noexcept { design(); }

    void setFrequency (double hz) noexcept { frequency = hz; design(); }

    /** Takes the rate, clears the memories and recomputes the coefficient. */
    void prepare (double newSampleRate) noexcept;

    void process (double& left, double& right) noexcept
    {
        process (StereoPair::of (left, right)).store (left, right);
    }

    StereoPair process (StereoPair x) noexcept { return section.process (x); }

private:
    void design() noexcept;

    double sampleRate = AudioDev::defaultSampleRate;
    double frequency = 1000.0;
    StereoSection section;
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
        const auto input = StereoPair::of (left, right);
        const auto upper = highPass1.process (input);

        Bands bands;
        allpass.process (lowPass1.process (input)).store (bands.low.left, bands.low.right);
        lowPass2.process (upper).store (bands.mid.left, bands.mid.right);
        highPass2.process (upper).store (bands.high.left, bands.high.right);
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

    void process (double& left, double& right) noexcept
    {
        section.process (StereoPair::of (left, right)).store (left, right);
    }

    double getSampleRate() const noexcept { return sampleRate; }

    // Settings: written by the owner, applied by update().
    double frequency; // Hz
    double q;
    double gainDb;
    std::int32_t type;

private:
    StereoSection section;
    double sampleRate = AudioDev::defaultSampleRate;
};
