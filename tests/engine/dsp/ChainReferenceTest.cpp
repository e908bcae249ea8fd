#include "AudioDevEffect.h"

#include <gtest/gtest.h>

#include <algorithm>
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

    double fromDb (double db) { return std::pow (10.0, db / 20.0); }

    double coefficientFor (double ms, double rate, double k)
    {
        return ms == 0.0 ? 1.0 : 1.0 - std::exp (k / (ms * 0.001 * rate));
    }

    // Attack while the input rises above the value, release while it falls below.
    struct PlainFollower
    {
        PlainFollower (double attackTimeMs, double releaseTimeMs, double decay)
            : attackMs (attackTimeMs), releaseMs (releaseTimeMs), k (decay) {}

        double attackMs, releaseMs, k, attack = 1.0, release = 1.0, current = 0.0;

        void prepare (double rate)
        {
            attack = coefficientFor (attackMs, rate, k);
            release = coefficientFor (releaseMs, rate, k);
        }

        double process (double input)
        {
            if (input > current)
                current += (input - current) * attack;
            else if (input < current)
                current += (input - current) * release;
            return current;
        }
    };

    using Smoother = AudioDev::Smoothing::SmootherGeneric<double>;

    // A clip stage as a literal per-sample rendering: pow for every gain.
    struct PlainClipper
    {
        PlainClipper (double inDb, double outDb, bool hard, double releaseMs)
            : inputDb (inDb), outputDb (outDb), hardClip (hard), envelope (0.0, releaseMs, -4.605) {}

        double inputDb, outputDb;
        bool hardClip;
        PlainFollower envelope;
        Smoother amountSmoother { 0.0 }, outputSmoother { 0.0 };

        void prepare (double rate)
        {
            amountSmoother.prepare (rate);
            outputSmoother.prepare (rate);
            envelope.prepare (rate);
        }

        void process (double amount, double& l, double& r)
        {
            const auto level = (std::abs (l) + std::abs (r)) * 0.5;
            const auto a = amountSmoother.next (amount);
            auto x = level * fromDb (inputDb * a);
            x = hardClip ? (x > 1.0 ? 1.0 : x) : std::tanh (x);
            const auto g = level > 0.0 ? x / level : 1.0;
            const auto e = envelope.process (-g);
            const auto w = std::sqrt (a);
            const auto o = outputSmoother.next (fromDb (a * outputDb));
            l = l * (1.0 - w) + l * -e * o * w;
            r = r * (1.0 - w) + r * -e * o * w;
        }
    };

    // The compressor's gain computer, follower and mix, literally; targets and
    // knee bounds are read from the chain's compressor of the same place.
    struct PlainCompressor
    {
        PlainCompressor (double attackMs, double releaseMs, double decay = -4.605, double limitDb = 1.0e300)
            : envelope (attackMs, releaseMs, decay), maxReductionDb (limitDb) {}

        PlainFollower envelope;
        double maxReductionDb;
        Smoother ratioSmoother { 1.0 }, thresholdSmoother { 0.0 }, mixSmoother { 1.0 };

        void prepare (double rate)
        {
            envelope.prepare (rate);
            for (auto* smoother : { &ratioSmoother, &thresholdSmoother, &mixSmoother })
                smoother->prepare (rate);
        }

        void process (const AudioDev::Compression::CompressorStereo& settings, double& l, double& r)
        {
            const auto level = (std::abs (l) + std::abs (r)) * 0.5;
            const auto levelDb = level < fromDb (-96.0) ? -96.0 : 20.0 * std::log10 (level);
            const auto t = thresholdSmoother.next (settings.getThresholdDb());
            const auto slope = 1.0 - 1.0 / ratioSmoother.next (settings.ratio);
            const auto width = settings.getKneeWidthDb(), lower = settings.getKneeLowerDb();
            auto change = width > 0.0 && lower < levelDb && levelDb < settings.getKneeUpperDb()
                              ? (lower - levelDb) * slope * (levelDb - lower) / width * 0.5
                              : (t - levelDb) * slope;
            change = std::max (std::min (change, 0.0), -maxReductionDb);
            const auto gain = fromDb (-envelope.process (-change));
            const auto m = mixSmoother.next (settings.mix);
            l = l * (1.0 - m) + l * gain * m;
            r = r * (1.0 - m) + r * gain * m;
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

        PlainFollower fast { 0.5, 100.0, -1.00239343 };
        PlainFollower slow { 10.0, 100.0, -1.00239343 };
    };

    // One second-order section per channel, direct form I, with the flush of tiny outputs.
    struct PlainSection
    {
        double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0;
        double x1[2] {}, x2[2] {}, y1[2] {}, y2[2] {};

        void clear()
        {
            for (int c = 0; c < 2; ++c)
                x1[c] = x2[c] = y1[c] = y2[c] = 0.0;
        }

        double process (int c, double x)
        {
            auto y = b0 * x + b1 * x1[c] + b2 * x2[c] - a1 * y1[c] - a2 * y2[c];
            if (y != 0.0 && std::abs (y) < 2.22507e-308)
                y = 0.0;
            x2[c] = x1[c];
            x1[c] = x;
            y2[c] = y1[c];
            y1[c] = y;
            return y;
        }
    };

    // The three-band Linkwitz-Riley crossover at order 0, designed here from its formulas.
    struct PlainCrossover
    {
        PlainCrossover (double low, double high) : lowHz (low), highHz (high) {}

        double lowHz, highHz;
        PlainSection lowPass1, highPass1, lowPass2, highPass2, allpass;

        static void design (PlainSection& s, bool lowPass, double hz, double rate)
        {
            const auto theta = 6.28318530718 * hz / rate;
            const auto sine = std::sin (theta);
            const auto beta = 0.5 * (1.0 - sine) / (1.0 + sine);
            const auto gamma = (0.5 + beta) * std::cos (theta);
            const auto a = lowPass ? 0.5 + beta - gamma : 0.5 + beta + gamma;
            s.b0 = s.b2 = a / 2.0;
            s.b1 = lowPass ? a : -a;
            s.a1 = -2.0 * gamma;
            s.a2 = 2.0 * beta;
        }

        void prepare (double rate)
        {
            design (lowPass1, true, lowHz, rate);
            design (highPass1, false, lowHz, rate);
            design (lowPass2, true, highHz, rate);
            design (highPass2, false, highHz, rate);
            const auto t = std::tan (3.14159265359 * highHz / rate);
            allpass.b0 = allpass.a1 = (t - 1.0) / (t + 1.0);
            allpass.b1 = 1.0;
            for (auto* s : { &lowPass1, &highPass1, &lowPass2, &highPass2, &allpass })
                s->clear();
        }

        Bands split (double l, double r)
        {
            Bands b;
            const double in[] = { l, r };
            double* low[] = { &b.low.left, &b.low.right };
            double* mid[] = { &b.mid.left, &b.mid.right };
            double* high[] = { &b.high.left, &b.high.right };

            for (int c = 0; c < 2; ++c)
            {
                *low[c] = allpass.process (c, lowPass1.process (c, in[c]));
                const auto upper = highPass1.process (c, in[c]);
                *mid[c] = lowPass2.process (c, upper);
                *high[c] = highPass2.process (c, upper);
            }
            return b;
        }
    };

    // An equaliser section designed from the chain's current settings at every sample.
    struct PlainEqualiser
    {
        PlainSection section;

        void process (const StereoBiquad& settings, double rate, double& l, double& r)
        {
            const auto c = designBiquad (settings.type, settings.frequency, settings.q, settings.gainDb, rate);
            if (std::isfinite (c.a1) && std::isfinite (c.a2) && std::isfinite (c.b0) && std::isfinite (c.b1) && std::isfinite (c.b2))
            {
                section.b0 = c.b0; section.b1 = c.b1; section.b2 = c.b2; section.a1 = c.a1; section.a2 = c.a2;
            }
            l = section.process (0, l);
            r = section.process (1, r);
        }
    };

    // The switches, targets and settings live in `blocks` (an unused chain
    // object that the test writes like the chain); the stages, the smoothed
    // values and the wiring below are the reference. Only the smoother class
    // and the equaliser designer are shared with the chain.
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
            sampleRate = rate;
            for (auto* smoother : { &pressureInput, &pressureLow, &pressureMid, &pressureHigh, &pressureMakeup,
                                    &pressureOutput, &compressionMakeup, &widthSide, &power })
                smoother->prepare (rate);
            // The blend alone restarts from full stereo, with the 20 ms time.
            widthBlend = Smoother { 0.0 };
            widthBlend.prepare (rate);
            for (auto* shaper : { &fullBandShaper, &midShaper, &highShaper })
                shaper->prepare (rate);
            for (auto* clipper : { &stage1, &stage2, &glue })
                clipper->prepare (rate);
            for (auto* compressor : { &pressure[0], &pressure[1], &pressure[2], &kick })
                compressor->prepare (rate);
            for (auto* crossover : { &pressureCrossover, &transientCrossover, &widthCrossover })
                crossover->prepare (rate);
            for (auto* eq : { &subEq, &airEq, &midEq })
                eq->section.clear();
            frameCoefficient = 1.0 - std::exp (-4.605 / (rate / 1024.0));
            for (auto* f : { &wave, &peakLeft, &peakRight })
                f->prepare (rate);
        }

        void width (double& a, double& b)
        {
            const auto blend = widthBlend.next (blocks.widthMonoBlend.target);
            const auto m = (a + b) * 0.5;
            a = a * (1.0 - blend) + m * blend;
            b = b * (1.0 - blend) + m * blend;
            const auto side = widthSide.next (blocks.widthSideGain.target);
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
            auto step = [] (Smoother& smoother, const SmoothedValue& v) { return smoother.next (v.target); };

            if (c.harmonicsOn)
            {
                auto l = L, r = R;
                stage1.process (c.harmonicsStage1.amount, l, r);
                stage2.process (c.harmonicsStage2.amount, l, r);
                L = l * c.harmonicsWetGain + L * c.harmonicsDryGain;
                R = r * c.harmonicsWetGain + R * c.harmonicsDryGain;
            }

            if (c.pressureOn)
            {
                const auto g = step (pressureInput, c.pressureInputGain);
                L *= g;
                R *= g;
                auto b = pressureCrossover.split (L, R);
                negateMid (b);
                const auto lowGain = step (pressureLow, c.pressureLowGain), midGain = step (pressureMid, c.pressureMidGain),
                           highGain = step (pressureHigh, c.pressureHighGain);
                b.low.left *= lowGain; b.low.right *= lowGain;
                b.mid.left *= midGain; b.mid.right *= midGain;
                b.high.left *= highGain; b.high.right *= highGain;
                pressure[0].process (c.pressureCompressors[0], b.low.left, b.low.right);
                pressure[1].process (c.pressureCompressors[1], b.mid.left, b.mid.right);
                pressure[2].process (c.pressureCompressors[2], b.high.left, b.high.right);
                const auto makeup = step (pressureMakeup, c.pressureLowMakeupGain);
                b.low.left *= makeup; b.low.right *= makeup;
                sumBands (b, L, R);
                const auto out = step (pressureOutput, c.pressureOutputGain);
                L *= out;
                R *= out;
            }

            if (c.subOn) subEq.process (c.subEq, sampleRate, L, R);
            if (c.airOn) airEq.process (c.airEq, sampleRate, L, R);
            if (c.midOn) midEq.process (c.midEq, sampleRate, L, R);

            if (c.transientsOn)
            {
                fullBandShaper.process (c.transientShaper.amount, L, R);
                auto b = transientCrossover.split (L, R);
                negateMid (b);
                midShaper.process (c.transientMidShaper.amount, b.mid.left, b.mid.right);
                highShaper.process (c.transientHighShaper.amount, b.high.left, b.high.right);
                sumBands (b, L, R);
            }

            if (c.compressionOn)
            {
                glue.process (c.glueSaturation.amount, L, R);
                kick.process (c.kickCompressor, L, R);
                const auto makeup = step (compressionMakeup, c.compressionMakeupGain);
                L *= makeup;
                R *= makeup;
            }

            if (c.widthOn)
            {
                width (L, R);
                auto b = widthCrossover.split (L, R);
                negateMid (b);
                width (b.mid.left, b.mid.right);
                width (b.high.left, b.high.right);
                sumBands (b, L, R);
            }

            const auto p = power.next (c.powerOn ? 1.0 : 0.0);
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
        double sampleRate = 44100.0;
        Smoother pressureInput { 1.0 }, pressureLow { 1.0 }, pressureMid { 1.0 }, pressureHigh { 1.0 },
                 pressureMakeup { 1.0 }, pressureOutput { 1.0 }, compressionMakeup { 1.0 };
        Smoother widthBlend { 0.0, 500.0 }, widthSide { 0.0 }, power { 0.0 };
        PlainClipper stage1 { 10.0, 0.0, false, 1.0 }, stage2 { 15.0, -12.0, true, 0.0 }, glue { 3.0, -3.0, false, 50.0 };
        PlainCompressor pressure[3] { { 47.8, 282.0 }, { 52.0, 282.0 }, { 27.0, 132.0 } };
        PlainCompressor kick { 0.3, 200.0, -1.00239343, 7.0 };
        PlainCrossover pressureCrossover { 47.5, 2500.0 }, transientCrossover { 120.0, 2000.0 }, widthCrossover { 307.0, 2400.0 };
        PlainEqualiser subEq, airEq, midEq;
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
                c.subEq.frequency = 32.7032 * std::pow (2.0, 11.0 * u (r) / 12.0);
                c.subEq.update();
                c.airEq.gainDb = 10.0 * u (r);
                c.airEq.update();
                c.midEq.gainDb = 23.0 * u (r) - 15.0;
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
            constexpr int segmentLength = 2000;
            std::vector<double> left (segmentLength), right (segmentLength);

            for (int i = 0; i < segmentLength; ++i)
            {
                const auto amplitude = i < 700 ? 1.0 : (i < 1600 ? std::exp (-(i - 700) / 200.0) : 0.0);
                left[(size_t) i] = amplitude * (i < 700 ? noise (random) : std::sin (i * 0.05));
                right[(size_t) i] = numChannels == 1 ? 0.0 : amplitude * (i < 700 ? noise (random) : std::cos (i * 0.031));
            }

            auto expectedLeft = left, expectedRight = right;

            for (size_t i = 0; i < left.size(); ++i)
                reference->process (expectedLeft[i], expectedRight[i], numChannels);

            // The chain takes the segment in blocks of varying length (a block
            // is where settings may change), sometimes sample by sample.
            const int blockSize = segment % 3 == 0 ? 1 : (segment % 3 == 1 ? 64 : 173);

            for (int start = 0; start < segmentLength; start += blockSize)
                chain->processBlock (left.data() + start, right.data() + start,
                                     std::min (blockSize, segmentLength - start), numChannels);

            for (size_t i = 0; i < left.size(); ++i)
            {
                ASSERT_NEAR (left[i], expectedLeft[i], outputTolerance (expectedLeft[i])) << "segment " << segment << " sample " << i;
                ASSERT_NEAR (right[i], expectedRight[i], outputTolerance (expectedRight[i])) << "segment " << segment << " sample " << i;
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

// Running a stage over a whole block (and its glides, logarithms and
// exponentials in passes) must give exactly what the same chain gives one
// sample at a time: same operations, same order within every stage.
TEST (ChainReference, BlocksGiveExactlyTheSamplesOfSampleBySampleProcessing)
{
    auto bySample = std::make_unique<AudioDevEffect>();
    auto byBlock = std::make_unique<AudioDevEffect>();

    for (auto* chain : { bySample.get(), byBlock.get() })
    {
        for (auto* on : { &chain->harmonicsOn, &chain->pressureOn, &chain->subOn, &chain->airOn, &chain->midOn,
                          &chain->transientsOn, &chain->widthOn, &chain->compressionOn })
            *on = true;
        chain->harmonicsStage1.amount = chain->harmonicsStage2.amount = 0.6;
        chain->harmonicsWetGain = 0.7;
        chain->harmonicsDryGain = 0.5;
        chain->pressureLowGain.target = 3.0;
        for (auto& compressor : chain->pressureCompressors)
            compressor.setThreshold (-12.0);
        chain->glueSaturation.amount = 0.5;
        chain->kickCompressor.setThreshold (-20.0);
        chain->widthSideGain.target = 1.5;
        chain->prepare (48000.0);
    }

    std::mt19937 random (3);
    std::uniform_real_distribution<double> noise (-1.0, 1.0);
    std::uniform_int_distribution<int> blockSizes (1, 200);
    std::vector<double> left (6000), right (6000);

    for (size_t i = 0; i < left.size(); ++i)
    {
        const auto envelope = std::exp (-(double) (i % 1500) / 300.0);
        left[i] = envelope * noise (random);
        right[i] = envelope * noise (random);
    }

    auto blockLeft = left, blockRight = right;

    for (size_t i = 0; i < left.size(); ++i)
        bySample->process (&left[i], &right[i], 2);

    for (int start = 0; start < (int) left.size();)
    {
        const auto count = std::min (blockSizes (random), (int) left.size() - start);
        byBlock->processBlock (blockLeft.data() + start, blockRight.data() + start, count, 2);
        start += count;
    }

    for (size_t i = 0; i < left.size(); ++i)
    {
        ASSERT_EQ (blockLeft[i], left[i]) << i;
        ASSERT_EQ (blockRight[i], right[i]) << i;
    }

    EXPECT_EQ (byBlock->getLevel (1, 0), bySample->getLevel (1, 0));
    EXPECT_EQ (byBlock->getLevel (2, 0), bySample->getLevel (2, 0));
    EXPECT_EQ (byBlock->getPeakAndReset(), bySample->getPeakAndReset());

    for (int k = 0; k < 1024; ++k)
        ASSERT_EQ (byBlock->getBinLevelDecibels (k), bySample->getBinLevelDecibels (k)) << k;
}
