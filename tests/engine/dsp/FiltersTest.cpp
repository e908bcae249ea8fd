#include "DspTestSupport.h"

#include "Filters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace DspTest;

namespace
{
    // Bilinear Linkwitz-Riley response: Butterworth sections 1 / (s^2 + s/Q + 1)
    // (s^2 / ... for high-pass) taken twice, s = j tan(w/2) / tan(w0/2);
    // order exponent 0 is a single section of Q 0.5.
    Complex linkwitzRiley (bool lowPass, int orderExponent, double hz, double cutoffHz)
    {
        const double qs[][4] = { { 0.5 }, { 0.7071067811865476 }, { 0.5411961001461971, 1.3065629648763766 },
                                 { 0.5097955791041592, 0.6013448869350453, 0.8999762231364156, 2.5629154477415055 } };
        const Complex s (0.0, std::tan (truePi * hz / rate) / std::tan (truePi * cutoffHz / rate));
        Complex h = 1.0;

        for (int i = 0; i < std::max (1, (1 << orderExponent) / 2); ++i)
        {
            const Complex section = (lowPass ? 1.0 : s * s) / (s * s + s / qs[orderExponent][i] + 1.0);
            h *= orderExponent == 0 ? section : section * section;
        }

        return h;
    }

    Complex biquadResponse (const BiquadCoefficients& c, double hz, double sampleRate = rate)
    {
        const Complex z1 = std::polar (1.0, -2.0 * truePi * hz / sampleRate);
        return (c.b0 + c.b1 * z1 + c.b2 * z1 * z1) / (1.0 + c.a1 * z1 + c.a2 * z1 * z1);
    }

    double gainDbAt (const BiquadCoefficients& c, double hz) { return toDb (std::abs (biquadResponse (c, hz))); }

    // Q of a bandwidth of 1/q octaves; the equalisers take ln 2 / 2 in single precision.
    double bandwidthQ (double q) { return 1.0 / (2.0 * std::sinh ((double) (float) (std::log (2.0) / 2.0) / q)); }
} // namespace

TEST (LinkwitzRileyFilter, MatchesTheAnalyticResponseAtEveryOrder)
{
    for (int n = 0; n <= 3; ++n)
    {
        for (bool lowPass : { true, false })
        {
            LinkwitzRileyFilter filter;
            filter.setType (lowPass ? LinkwitzRileyFilter::lowPass : LinkwitzRileyFilter::highPass);
            filter.setOrderExponent (n);
            filter.setOrderExponent (4); // beyond the eight sections: ignored
            filter.setOrderExponent (-1);
            ASSERT_EQ (filter.getOrderExponent(), n);

            const auto h = impulseResponse ([&] (double x) { double r = x; filter.process (x, r); return x; });

            for (double hz : testFrequencies())
                ASSERT_NEAR (std::abs (responseAt (h, hz) - linkwitzRiley (lowPass, n, hz, 1000.0)), 0.0, 1e-9)
                    << "order exponent " << n << " at " << hz << " Hz";

            EXPECT_NEAR (std::abs (responseAt (h, 1000.0)), 0.5, 1e-9); // -6 dB at the crossover
            EXPECT_NEAR (std::abs (responseAt (h, 0.0)), lowPass ? 1.0 : 0.0, 1e-9);
        }
    }
}

TEST (LinkwitzRileyFilter, AllPassSectionsKeepTheMagnitude)
{
    constexpr double c = -0.866788439499627; // the first-order all-pass at 1 kHz, 44.1 kHz

    for (int n = 0; n <= 3; ++n)
    {
        LinkwitzRileyFilter filter;
        filter.setType (LinkwitzRileyFilter::allPass);
        filter.setOrderExponent (n);

        const auto h = impulseResponse ([&] (double x) { double r = x; filter.process (x, r); return x; });
        EXPECT_NEAR (h[0], std::pow (c, 1 << n), 1e-12) << n;

        for (double hz : testFrequencies())
            ASSERT_NEAR (std::abs (responseAt (h, hz)), 1.0, 1e-9) << "order exponent " << n << " at " << hz << " Hz";
    }
}

TEST (LinkwitzRileyCrossover, InvertedMidRecombinesToAFlatAllpass)
{
    LinkwitzRileyCrossover crossover;
    crossover.setLowFrequency (47.5);
    crossover.setHighFrequency (2500.0);
    crossover.prepare (rate);

    std::vector<double> flat, naive;

    for (int n = 0; n < 8192; ++n)
    {
        const auto bands = crossover.split (n == 0 ? 1.0 : 0.0, n == 0 ? 1.0 : 0.0);
        ASSERT_EQ (bands.mid.left, bands.mid.right);
        flat.push_back (bands.low.left - bands.mid.left + bands.high.left);
        naive.push_back (bands.low.left + bands.mid.left + bands.high.left);
    }

    auto frequencies = testFrequencies();
    frequencies.insert (frequencies.end(), { 0.0, 47.5, 2500.0 });

    for (double hz : frequencies)
        ASSERT_NEAR (std::abs (responseAt (flat, hz)), 1.0, 1e-9) << hz;

    EXPECT_LT (std::abs (responseAt (naive, 47.5)), 0.1);
    EXPECT_LT (std::abs (responseAt (naive, 2500.0)), 0.1);
}

TEST (DesignBiquad, EveryShapeMeetsItsGains)
{
    const auto flat = designBiquad (BiquadType::peak, 32.0, 1.0, 0.0, rate);
    EXPECT_NEAR (flat.a0, 1.0016119247378974, 1e-15);
    EXPECT_NEAR (flat.a1, -1.9967605856974695, 1e-15);
    EXPECT_NEAR (flat.a2, 0.9967813387638746, 1e-15);
    EXPECT_TRUE (flat.b0 == 1.0 && flat.b1 == flat.a1 && flat.b2 == flat.a2);

    const double nyquist = rate / 2.0;

    for (double g : { -15.0, -3.5, 10.0 })
    {
        for (double hz : { 32.0, 130.0, 12000.0 })
        {
            for (double q : { 0.3, 1.0, 4.0 })
            {
                const auto peak = designBiquad (BiquadType::peak, hz, q, g, rate);
                const auto low = designBiquad (BiquadType::lowShelf, hz, q, g, rate);
                const auto high = designBiquad (BiquadType::highShelf, hz, q, g, rate);

                EXPECT_NEAR (gainDbAt (peak, hz), g, 1e-9);
                EXPECT_NEAR (gainDbAt (peak, 0.0), 0.0, 1e-9);
                EXPECT_NEAR (gainDbAt (low, 0.0), g, 1e-9); // shelves: half the gain in dB at f0
                EXPECT_NEAR (gainDbAt (low, hz), g / 2.0, 1e-9);
                EXPECT_NEAR (gainDbAt (low, nyquist), 0.0, 1e-9);
                EXPECT_NEAR (gainDbAt (high, nyquist), g, 1e-9);
                EXPECT_NEAR (gainDbAt (high, hz), g / 2.0, 1e-9);
                EXPECT_NEAR (gainDbAt (high, 0.0), 0.0, 1e-9);

                const auto lowPass = designBiquad (BiquadType::lowPass, hz, q, g, rate);
                const auto highPass = designBiquad (BiquadType::highPass, hz, q, g, rate);
                EXPECT_NEAR (std::abs (biquadResponse (lowPass, hz)), bandwidthQ (q), 1e-9);
                EXPECT_NEAR (std::abs (biquadResponse (highPass, hz)), bandwidthQ (q), 1e-9);
                EXPECT_NEAR (std::abs (biquadResponse (lowPass, 0.0)) + std::abs (biquadResponse (highPass, nyquist)), 2.0, 1e-9);
            }
        }
    }

    // The shelves map q from 0.2 ... 12 onto 0.3 ... 1.5: their pole radius is
    // that of a cookbook shelf with alpha = sin w / (2 bandwidthQ(mapped q)).
    for (auto [q, mapped] : { std::pair { 0.2, 0.3 }, std::pair { 12.0, 1.5 } })
    {
        const double A = std::pow (10.0, 6.0 / 40.0), w = 2.0 * truePi * 200.0 / rate;
        const double alpha = std::sin (w) / (2.0 * bandwidthQ (mapped)), root = 2.0 * std::sqrt (A) * alpha;
        const double ends = (A + 1.0) + (A - 1.0) * std::cos (w);
        EXPECT_NEAR (designBiquad (BiquadType::lowShelf, 200.0, q, 6.0, rate).a2, (ends - root) / (ends + root), 1e-9);
    }
}

TEST (StereoBiquad, ImpulseResponseMatchesTheDesign)
{
    StereoBiquad eq { BiquadType::peak, 130.0, 2.25, -3.5 };
    eq.prepare (48000.0);

    std::vector<double> right;
    const auto left = impulseResponse ([&] (double x) { double r = -x; eq.process (x, r); right.push_back (-r); return x; });
    const auto design = designBiquad (BiquadType::peak, 130.0, 2.25, -3.5, 48000.0);

    for (double hz : testFrequencies (48000.0))
    {
        ASSERT_NEAR (std::abs (responseAt (left, hz, 48000.0) - biquadResponse (design, hz, 48000.0)), 0.0, 1e-9) << hz;
        ASSERT_NEAR (std::abs (responseAt (right, hz, 48000.0) - biquadResponse (design, hz, 48000.0)), 0.0, 1e-9) << hz;
    }
}

TEST (StereoBiquad, ANonFiniteDesignKeepsThePreviousCoefficients)
{
    StereoBiquad eq { BiquadType::peak, 12000.0, 0.3, 10.0 }, reference { BiquadType::peak, 12000.0, 0.3, 10.0 };
    eq.q = 0.0; // no finite design exists for a q of zero
    eq.update();

    for (int n = 0; n < 64; ++n)
    {
        double l = n == 0 ? 1.0 : 0.0, r = l, refL = l, refR = l;
        eq.process (l, r);
        reference.process (refL, refR);
        ASSERT_EQ (l, refL);
    }

    // Without a finite first design the section passes the signal rather than muting it.
    StereoBiquad undesigned { BiquadType::peak, 130.0, 0.0, 0.0 };
    double l = 0.25, r = -0.5;
    undesigned.process (l, r);
    EXPECT_EQ (l, 0.25);
    EXPECT_EQ (r, -0.5);
}

// New settings take effect from the next sample without clearing the memories,
// so automation does not click; only prepare clears them.
TEST (Filters, RedesignKeepsTheMemoriesAndPrepareClearsThem)
{
    LinkwitzRileyCrossover crossover;
    StereoBiquad eq { BiquadType::peak, 1000.0, 1.0, 6.0 };
    crossover.prepare (rate);
    eq.prepare (rate);

    const auto outputs = [&] (double x)
    {
        const auto bands = crossover.split (x, x);
        double l = x, r = x;
        eq.process (l, r);
        return std::vector<double> { bands.low.left, bands.mid.left, bands.high.left, l };
    };

    outputs (1.0);
    crossover.setLowFrequency (100.0);
    crossover.setHighFrequency (3000.0);
    eq.frequency = 2000.0;
    eq.update();

    for (double ringing : outputs (0.0))
        EXPECT_NE (ringing, 0.0);

    crossover.prepare (rate);
    eq.prepare (rate);

    for (double cleared : outputs (0.0))
        EXPECT_EQ (cleared, 0.0);
}

TEST (Filters, StayStableAtLowRatesAndIgnoreUnusableOnes)
{
    // At 22.05 kHz a 12 kHz or 15 kHz section would sit past Nyquist; it is designed at 0.45 x rate.
    EXPECT_EQ (designBiquad (BiquadType::peak, 12000.0, 0.3, 10.0, 22050.0).a1,
               designBiquad (BiquadType::peak, 0.45 * 22050.0, 0.3, 10.0, 22050.0).a1);

    StereoBiquad air { BiquadType::peak, 12000.0, 0.3, 10.0 };
    LinkwitzRileyCrossover crossover;
    crossover.setHighFrequency (15000.0);
    air.prepare (22050.0);
    crossover.prepare (22050.0);

    for (double bad : { 0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        air.prepare (bad);
        crossover.prepare (bad);
        ASSERT_EQ (air.getSampleRate(), 22050.0);
        ASSERT_EQ (crossover.lowPass2.getSampleRate(), 22050.0);
    }

    double tail = 0.0;
    for (int n = 0; n < 20000; ++n)
    {
        double l = n == 0 ? 1.0 : 0.0, r = l;
        air.process (l, r);
        const auto bands = crossover.split (l, r);
        if (n > 10000)
            tail = std::max ({ tail, std::abs (l), std::abs (bands.mid.left), std::abs (bands.high.left) });
    }
    EXPECT_LT (tail, 1e-9);
}
