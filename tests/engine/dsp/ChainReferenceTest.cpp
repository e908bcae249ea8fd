#include "AudioDevEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>
#include <random>
#include <vector>

// The chain's per-sample path is tuned for speed; this file keeps a plain,
// literal rendering of the same signal flow (and a naive DFT for the spectrum)
// and checks that both agree through switch changes, glides and a second
// prepare. The transient shapers are rendered here from their gain law
// in dB, independently of the chain's own shaper.
namespace
{
    using Bands = LinkwitzRileyCrossover::Bands;

    void negateMid (Bands& bands)
    {
        bands.mid.left = -bands.mid.left;
        bands.mid.right = -bands.mid.right;
    }

    void sumBands (const Bands& b, double& l, double& r)
    {
        l = b.low.left + b.mid.left + b.high.left;
        r = b.low.right + b.mid.right + b.high.right;
    }

    double toDb (double magnitude, double floorDb)
    {
        return std::pow (10.0, floorDb / 20.0) > magnitude ? floorDb : 20.0 * std::log10 (magnitude);
    }

    struct Follower
    {
        double fallMs, floorDb, state, coefficient = 0.0;

        void prepare (double rate) { coefficient = 1.0 - std::exp (-4.605 / (fallMs * 0.001 * rate)); }

        void step (double magnitude)
        {
            const auto x = toDb (magnitude, floorDb);
            if (x > state)
                state = state + (x - state) * 1.0;
            else if (x < state)
                state = state + (x - state) * coefficient;
        }
    };

    // The transient shaper's gain law in its literal dB form.
    struct PlainTransientShaper
    {
        void prepare (double rate)
        {
            fast.prepare (rate);
            slow.prepare (rate);
        }

        void process (double amount, double& l, double& r)
        {
            const auto level = (std::abs (l) + std::abs (r)) * 0.5;
            const auto fastDb = toDb (fast.process (level), -96.0);
            const auto slowDb = toDb (slow.process (level), -96.0);
            const auto gain = std::pow (10.0, (fastDb - slowDb) * amount / 20.0);
            l *= gain;
            r *= gain;
        }

        AttackReleaseFollower fast { 0.5, 100.0, -1.00239343 };
        AttackReleaseFollower slow { 10.0, 100.0, -1.00239343 };
    };

    // The stages live in `blocks` (an unused chain object, so their
    // configuration is the chain's own); the wiring below is the reference.
    struct ReferenceChain
    {
        ReferenceChain()
        {
            for (size_t m = 0; m < 1024; ++m)
                twiddles[m] = std::polar (1.0, -2.0 * std::acos (-1.0) * (double) m / 1024.0);
        }

        void prepare (double rate)
        {
            blocks.prepare (rate);
            for (auto* shaper : { &fullBandShaper, &midShaper, &highShaper })
                shaper->prepare (rate);
            frameCoefficient = 1.0 - std::exp (-4.605 / (rate / 1024.0));
            for (auto* f : { &wave, &peakLeft, &peakRight })
                f->prepare (rate);
        }

        void width (double& a, double& b)
        {
            const auto blend = blocks.widthMonoBlend.smoother.next (blocks.widthMonoBlend.target);
            const auto m = (a + b) * 0.5;
            a = a * (1.0 - blend) + m * blend;
            b = b * (1.0 - blend) + m * blend;
            const auto side = blocks.widthSideGain.smoother.next (blocks.widthSideGain.target);
            const auto mid = (a + b) * 0.5;
            const auto s = (a - b) * 0.5 * side;
            a = mid + s;
            b = mid - s;
        }

        void process (double& left, double& right, int numChannels)
        {
            auto& c = blocks;
            auto L = left, R = right;
            const auto dryL = L, dryR = numChannels == 1 ? L : R;
            auto step = [] (SmoothedValue& v) { return v.smoother.next (v.target); };

            if (c.harmonicsOn)
            {
                auto l = L, r = R;
                c.harmonicsStage1.process (l, r);
                c.harmonicsStage2.process (l, r);
                L = l * c.harmonicsWetGain + L * c.harmonicsDryGain;
                R = r * c.harmonicsWetGain + R * c.harmonicsDryGain;
            }

            if (c.pressureOn)
            {
                const auto g = step (c.pressureInputGain);
                L *= g;
                R *= g;
                auto b = c.pressureCrossover.split (L, R);
                negateMid (b);
                const auto lowGain = step (c.pressureLowGain), midGain = step (c.pressureMidGain),
                           highGain = step (c.pressureHighGain);
                b.low.left *= lowGain; b.low.right *= lowGain;
                b.mid.left *= midGain; b.mid.right *= midGain;
                b.high.left *= highGain; b.high.right *= highGain;
                c.pressureCompressors[0].process (b.low.left, b.low.right);
                c.pressureCompressors[1].process (b.mid.left, b.mid.right);
                c.pressureCompressors[2].process (b.high.left, b.high.right);
                const auto makeup = step (c.pressureLowMakeupGain);
                b.low.left *= makeup; b.low.right *= makeup;
                sumBands (b, L, R);
                const auto out = step (c.pressureOutputGain);
                L *= out;
                R *= out;
            }

            if (c.subOn) c.subEq.process (L, R);
            if (c.airOn) c.airEq.process (L, R);
            if (c.midOn) c.midEq.process (L, R);

            if (c.transientsOn)
            {
                fullBandShaper.process (c.transientShaper.amount, L, R);
                auto b = c.transientCrossover.split (L, R);
                negateMid (b);
                midShaper.process (c.transientMidShaper.amount, b.mid.left, b.mid.right);
                highShaper.process (c.transientHighShaper.amount, b.high.left, b.high.right);
                sumBands (b, L, R);
            }

            if (c.compressionOn)
            {
                c.glueSaturation.process (L, R);
                c.kickCompressor.process (L, R);
                const auto makeup = step (c.compressionMakeupGain);
                L *= makeup;
                R *= makeup;
            }

            if (c.widthOn)
            {
                width (L, R);
                auto b = c.widthCrossover.split (L, R);
                negateMid (b);
                width (b.mid.left, b.mid.right);
                width (b.high.left, b.high.right);
                sumBands (b, L, R);
            }

            const auto p = c.powerMix.next (c.powerOn ? 1.0 : 0.0);
            L = (1.0 - p) * dryL + p * L;
            R = (1.0 - p) * dryR + p * R;

            analyse (L, R);
            left = L;
            right = R;
        }

        void analyse (double L, double R)
        {
            ring.push_back ((L + R) * 0.5);
            if (ring.size() == 1024)
            {
                for (size_t k = 0; k < 1024; ++k)
                {
                    std::complex<double> sum;
                    for (size_t n = 0; n < 1024; ++n)
                        sum += ring[n] * twiddles[(k * n) % 1024];
                    smoothed[k] += (std::abs (sum) / 512.0 - smoothed[k]) * frameCoefficient;
                }
                ring.clear();
            }

            wave.step (std::max (std::abs (L), std::abs (R)));
            waveHeld = std::max (waveHeld, wave.state);
            peakLeft.step (std::abs (L));
            peakRight.step (std::abs (R));
        }

        AudioDevEffect blocks;
        PlainTransientShaper fullBandShaper, midShaper, highShaper;
        std::vector<std::complex<double>> twiddles = std::vector<std::complex<double>> (1024);
        std::vector<double> ring;
        std::vector<double> smoothed = std::vector<double> (1024, 0.0);
        double frameCoefficient = 0.0;
        Follower wave { 100.0, -96.0, -96.0 }, peakLeft { 2500.0, -48.0, -48.0 }, peakRight { 2500.0, -48.0, -48.0 };
        double waveHeld = -96.0;
    };

    // The chain may compute its dB conversions and filters in other, faster
    // ways; it must agree to one part in a billion of the value or of full
    // scale, whichever is larger (a sample near a zero crossing is the sum of
    // much larger bands), and its spectrum to a millionth of a dB.
    double outputTolerance (double expected) { return 1e-9 * std::max (std::abs (expected), 1.0); }
    constexpr double spectrumToleranceDb = 1e-6;

    // Writes the same settings into both chains.
    template <typename Change>
    void change (AudioDevEffect& chain, ReferenceChain& reference, Change&& apply)
    {
        apply (chain);
        apply (reference.blocks);
    }
}

TEST (ChainReference, OptimisedChainMatchesThePlainRenderingWithinOnePartInABillion)
{
    for (const auto numChannels : { 2, 1 })
    {
        auto chain = std::make_unique<AudioDevEffect>();
        auto reference = std::make_unique<ReferenceChain>();
        chain->prepare (44100.0);
        reference->prepare (44100.0);

        std::mt19937 random (99);
        std::uniform_real_distribution<double> noise (-1.0, 1.0);
        std::uniform_real_distribution<double> unit (0.0, 1.0);

        for (int segment = 0; segment < 24; ++segment)
        {
            // Every few segments: new random switches and settings, sometimes a power toggle or a prepare.
            change (*chain, *reference, [&, seed = random()] (AudioDevEffect& c) {
                std::mt19937 r (seed);
                std::uniform_real_distribution<double> u (0.0, 1.0);
                for (auto* on : { &c.harmonicsOn, &c.pressureOn, &c.subOn, &c.airOn, &c.midOn,
                                  &c.transientsOn, &c.widthOn, &c.compressionOn })
                    *on = u (r) < 0.7;
                c.powerOn = u (r) < 0.8;
                c.harmonicsStage1.amount = c.harmonicsStage2.amount = u (r);
                c.harmonicsWetGain = u (r);
                c.harmonicsDryGain = u (r);
                for (auto* v : { &c.pressureInputGain, &c.pressureLowGain, &c.pressureMidGain, &c.pressureHighGain,
                                 &c.pressureLowMakeupGain, &c.pressureOutputGain, &c.compressionMakeupGain })
                    v->target = 0.2 + 3.0 * u (r);
                for (auto& compressor : c.pressureCompressors)
                    compressor.setThreshold (-20.0 * u (r));
                c.subEq.gainDb = 10.0 * u (r);
                c.subEq.update();
                c.midEq.q = 0.5 + 3.5 * u (r);
                c.midEq.update();
                c.transientShaper.amount = 0.25 * u (r);
                c.transientMidShaper.amount = c.transientHighShaper.amount = 0.5 * u (r);
                c.glueSaturation.amount = 0.75 * u (r);
                c.kickCompressor.setThreshold (-24.0 * u (r));
                c.widthMonoBlend.target = u (r) < 0.5 ? 2.0 * u (r) : 0.0;
                c.widthSideGain.target = 1.0 + 3.0 * u (r);
            });

            if (segment % 7 == 6)
            {
                chain->prepare (segment % 2 ? 48000.0 : 96000.0);
                reference->prepare (segment % 2 ? 48000.0 : 96000.0);
            }

            // Noise, then a decaying tone, then silence.
            for (int i = 0; i < 2000; ++i)
            {
                const auto amplitude = i < 700 ? 1.0 : (i < 1600 ? std::exp (-(i - 700) / 200.0) : 0.0);
                double l = amplitude * (i < 700 ? noise (random) : std::sin (i * 0.05));
                double r = numChannels == 1 ? 0.0 : amplitude * (i < 700 ? noise (random) : std::cos (i * 0.031));
                double expectedL = l, expectedR = r;

                chain->process (&l, &r, numChannels);
                reference->process (expectedL, expectedR, numChannels);

                ASSERT_NEAR (l, expectedL, outputTolerance (expectedL)) << "segment " << segment << " sample " << i;
                ASSERT_NEAR (r, expectedR, outputTolerance (expectedR)) << "segment " << segment << " sample " << i;
            }

            ASSERT_NEAR (chain->getLevel (1, 0), 1.0 + std::min (reference->peakLeft.state, 0.0) / 48.0, 1e-6);
            ASSERT_NEAR (chain->getLevel (2, 0), 1.0 + std::min (reference->peakRight.state, 0.0) / 48.0, 1e-6);
        }

        const auto expectedPeak = std::pow (10.0, reference->waveHeld / 20.0);
        EXPECT_NEAR (chain->getPeakAndReset(), expectedPeak, outputTolerance (expectedPeak));

        for (int k = 0; k < 1024; ++k)
        {
            const auto expected = reference->smoothed[(size_t) k];
            const auto expectedDb = expected < 6.30957344480193e-08 ? -144.0 : 20.0 * std::log10 (expected);
            // The reading is a float: its own rounding comes on top of the agreement.
            ASSERT_NEAR (chain->getBinLevelDecibels (k), expectedDb, spectrumToleranceDb + std::abs (expectedDb) * 0x1p-24)
                << "bin " << k;
        }
    }
}
