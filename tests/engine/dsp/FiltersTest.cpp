#include "DspTestSupport.h"

#include "Filters.h"

#include <gtest/gtest.h>

#include <limits>

using namespace DspTest;

namespace
{
    // Bilinear Linkwitz-Riley responses: each section is the analog prototype
    // 1 / (s^2 + s/Q + 1) (low-pass) or s^2 / (...) (high-pass) with the
    // frequency warped as s = j tan(w/2) / tan(w0/2).
    Complex linkwitzRiley (bool lowPass, int orderExponent, double hz, double cutoffHz)
    {
        const double qs[][4] = { { 0.5 }, { 0.7071067811865476, 0.7071067811865476 },
                                 { 0.5411961001461971, 1.3065629648763766 },
                                 { 0.5097955791041592, 0.6013448869350453, 0.8999762231364156, 2.5629154477415055 } };
        const int numDistinct = orderExponent == 0 ? 1 : (1 << orderExponent) / 2;
        const Complex s (0.0, std::tan (truePi * hz / rate) / std::tan (truePi * cutoffHz / rate));
        Complex h = 1.0;

        for (int i = 0; i < numDistinct; ++i)
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

    // Q of a bandwidth of 1/q octaves; the equalisers take ln 2 / 2 in single precision.
    double bandwidthQ (double q)
    {
        const double halfLn2 = static_cast<float> (std::log (2.0) / 2.0);
        return 1.0 / (2.0 * std::sinh (halfLn2 / q));
    }
} // namespace

TEST (LinkwitzRileyFilter, MatchesTheAnalyticResponseAtEveryOrder)
{
    for (int n = 0; n <= 3; ++n)
    {
        for (bool lowPass : { true, false })
        {
            LinkwitzRileyFilter filter;
            filter.setType (lowPass ? LinkwitzRileyFilter::lowPass : LinkwitzRileyFilter::highPass);
            filter.setFrequency (1000.0);
            filter.setOrderExponent (n);

            const auto h = impulseResponse ([&] (double x) { double r = x; filter.process (x, r); return x; });

            for (double hz : testFrequencies())
                ASSERT_NEAR (std::abs (responseAt (h, hz) - linkwitzRiley (lowPass, n, hz, 1000.0)), 0.0, 1e-9)
                    << "order exponent " << n << " at " << hz << " Hz";

            // Linkwitz-Riley sections meet at -6 dB; low-passes keep DC.
            EXPECT_NEAR (toDb (std::abs (responseAt (h, 1000.0))), toDb (0.5), 1e-5);
            if (lowPass)
            {
                EXPECT_NEAR (responseAt (h, 0.0).real(), 1.0, 1e-9);
            }
        }
    }
}

TEST (LinkwitzRileyFilter, IgnoresOrderExponentsBeyondItsSections)
{
    LinkwitzRileyFilter filter;
    filter.setOrderExponent (1);

    for (int bad : { -1, 4, 31 })
    {
        filter.setOrderExponent (bad);
        EXPECT_EQ (filter.getOrderExponent(), 1);
    }

    const auto h = impulseResponse ([&] (double x) { double r = x; filter.process (x, r); return x; });
    EXPECT_NEAR (std::abs (responseAt (h, 500.0) - linkwitzRiley (true, 1, 500.0, 1000.0)), 0.0, 1e-6);
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
        const double x = n == 0 ? 1.0 : 0.0;
        const auto bands = crossover.split (x, x);
        ASSERT_EQ (bands.low.left, bands.low.right);
        ASSERT_EQ (bands.high.left, bands.high.right);
        flat.push_back (bands.low.left - bands.mid.left + bands.high.left);
        naive.push_back (bands.low.left + bands.mid.left + bands.high.left);
    }

    auto frequencies = testFrequencies();
    frequencies.insert (frequencies.end(), { 47.5, 2500.0 });

    for (double hz : frequencies)
        ASSERT_NEAR (std::abs (responseAt (flat, hz)), 1.0, 1e-9) << hz;

    EXPECT_LT (std::abs (responseAt (naive, 47.5)), 0.1);
    EXPECT_LT (std::abs (responseAt (naive, 2500.0)), 0.1);
}

TEST (DesignBiquad, PeakAndShelvesMeetTheirGains)
{
    const auto flat = designBiquad (BiquadType::peak, 32.0, 1.0, 0.0, rate);
    EXPECT_NEAR (flat.a0, 1.0016119247378974, 1e-15);
    EXPECT_NEAR (flat.a1, -1.9967605856974695, 1e-15);
    EXPECT_NEAR (flat.a2, 0.9967813387638746, 1e-15);
    EXPECT_EQ (flat.b0, 1.0);
    EXPECT_EQ (flat.b1, flat.a1);
    EXPECT_EQ (flat.b2, flat.a2);

    for (double gainDb : { -15.0, -3.5, 6.0, 10.0 })
    {
        for (double hz : { 32.0, 130.0, 12000.0 })
        {
            for (double q : { 0.3, 1.0, 4.0 })
            {
                const auto peak = designBiquad (BiquadType::peak, hz, q, gainDb, rate);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (peak, hz))), gainDb, 1e-9);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (peak, 0.0))), 0.0, 1e-9);

                // Shelves: full gain at one end, half of it (in dB) at f0, none at the other end.
                const auto low = designBiquad (BiquadType::lowShelf, hz, q, gainDb, rate);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (low, 0.0))), gainDb, 1e-9);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (low, hz))), gainDb / 2.0, 1e-9);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (low, rate / 2.0))), 0.0, 1e-9);

                const auto high = designBiquad (BiquadType::highShelf, hz, q, gainDb, rate);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (high, rate / 2.0))), gainDb, 1e-9);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (high, hz))), gainDb / 2.0, 1e-9);
                EXPECT_NEAR (toDb (std::abs (biquadResponse (high, 0.0))), 0.0, 1e-9);
            }
        }
    }
}

TEST (DesignBiquad, ShelfQMapsOntoTheCookbookRange)
{
    // The shelf's 0.2 ... 12 maps to 0.3 ... 1.5, so its pole pair is that of a
    // cookbook shelf with alpha = sin w / (2 Qs), Qs = bandwidthQ(mapped q).
    for (auto [q, mapped] : { std::pair { 0.2, 0.3 }, std::pair { 12.0, 1.5 } })
    {
        const double A = std::pow (10.0, 6.0 / 40.0), w = 2.0 * truePi * 200.0 / rate;
        const double alpha = std::sin (w) / (2.0 * bandwidthQ (mapped));
        const double a0 = (A + 1.0) + (A - 1.0) * std::cos (w) + 2.0 * std::sqrt (A) * alpha;

        const auto low = designBiquad (BiquadType::lowShelf, 200.0, q, 6.0, rate);
        EXPECT_NEAR (low.a0, a0, 1e-9);
        EXPECT_NEAR (low.a2, ((A + 1.0) + (A - 1.0) * std::cos (w) - 2.0 * std::sqrt (A) * alpha) / a0, 1e-9);
    }
}

TEST (DesignBiquad, PassFiltersHaveTheirBandwidthQAtTheCorner)
{
    for (double q : { 0.5, 0.7071, 2.0 })
    {
        const auto low = designBiquad (BiquadType::lowPass, 1000.0, q, 0.0, rate);
        EXPECT_NEAR (std::abs (biquadResponse (low, 0.0)), 1.0, 1e-12);
        EXPECT_NEAR (std::abs (biquadResponse (low, 1000.0)), bandwidthQ (q), 1e-9);
        EXPECT_NEAR (std::abs (biquadResponse (low, rate / 2.0)), 0.0, 1e-12);

        const auto high = designBiquad (BiquadType::highPass, 1000.0, q, 0.0, rate);
        EXPECT_NEAR (std::abs (biquadResponse (high, rate / 2.0)), 1.0, 1e-12);
        EXPECT_NEAR (std::abs (biquadResponse (high, 1000.0)), bandwidthQ (q), 1e-9);
        EXPECT_NEAR (std::abs (biquadResponse (high, 0.0)), 0.0, 1e-12);
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

TEST (StereoBiquad, UpdateKeepsTheMemoriesAndRefusesANonFiniteDesign)
{
    StereoBiquad eq { BiquadType::peak, 12000.0, 0.3, 10.0 };
    eq.prepare (rate);

    double l = 1.0, r = 1.0;
    eq.process (l, r);

    // A q of zero has no finite design; the section keeps its previous one.
    eq.q = 0.0;
    eq.update();

    StereoBiquad reference { BiquadType::peak, 12000.0, 0.3, 10.0 };
    reference.prepare (rate);
    double refL = 1.0, refR = 1.0;
    reference.process (refL, refR);

    for (int i = 0; i < 64; ++i)
    {
        l = r = refL = refR = 0.0;
        eq.process (l, r);
        reference.process (refL, refR);
        ASSERT_EQ (l, refL);
    }
}

TEST (Filters, DesignFrequenciesStayBelowNyquist)
{
    // At 22.05 kHz a 12 kHz section would be past Nyquist; it is designed at 0.45 x rate instead.
    EXPECT_EQ (designBiquad (BiquadType::peak, 12000.0, 0.3, 10.0, 22050.0).a1,
               designBiquad (BiquadType::peak, 0.45 * 22050.0, 0.3, 10.0, 22050.0).a1);

    StereoBiquad air { BiquadType::peak, 12000.0, 0.3, 10.0 };
    air.prepare (22050.0);
    LinkwitzRileyCrossover crossover;
    crossover.setHighFrequency (15000.0);
    crossover.prepare (22050.0);

    double peak = 0.0;
    for (int n = 0; n < 20000; ++n)
    {
        double l = n == 0 ? 1.0 : 0.0, r = l;
        air.process (l, r);
        const auto bands = crossover.split (l, r);
        peak = n > 10000 ? std::max ({ peak, std::abs (l), std::abs (bands.mid.left), std::abs (bands.high.left) }) : 0.0;
    }
    EXPECT_LT (peak, 1e-9);
}

TEST (Filters, PrepareIgnoresUnusableSampleRates)
{
    LinkwitzRileyFilter filter;
    StereoBiquad eq;
    filter.prepare (48000.0);
    eq.prepare (48000.0);

    for (double bad : { 0.0, -1.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity() })
    {
        filter.prepare (bad);
        eq.prepare (bad);
        EXPECT_EQ (filter.getSampleRate(), 48000.0);
        EXPECT_EQ (eq.getSampleRate(), 48000.0);
    }
}
