#include "support/AllocationCounter.h"
#include "support/WrapperDriver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace
{
    // Every parameter at its end lifts full-scale noise by about 45 dB (side
    // gain +24 dB in the upper bands, air and sub +10 dB, pressure, transients);
    // a runaway filter or gain goes far beyond 60 dB.
    constexpr float outputBound = 1000.0f;
    constexpr int blockSize = 256;

    using Setting = std::function<float (const juce::RangedAudioParameter&)>;

    void applyToEveryParameter (TemplateEffectAudioProcessor& processor, const Setting& setting)
    {
        for (auto* parameter : processor.getParameters())
        {
            const auto& ranged = dynamic_cast<const juce::RangedAudioParameter&> (*parameter);
            processor.parameterManager.setParameterValue (ranged.getParameterID(), setting (ranged));
        }
    }

    // Full-scale noise, then kicks: a decaying, pitch-swept sine every 100 ms.
    float signal (int channel, long n, double rate, std::mt19937& random)
    {
        if (n < (long) (rate * 0.1))
            return std::uniform_real_distribution<float> (-1.0f, 1.0f) (random);

        const auto t = (double) (n % (long) (rate * 0.1)) / rate;
        const auto phase = 2.0 * juce::MathConstants<double>::pi * (45.0 * t + 4.0 * (1.0 - std::exp (-t * 30.0)));
        return (float) (std::sin (phase + channel) * std::exp (-t * 25.0));
    }

    // Runs 0.3 s and returns the largest output magnitude, or NaN when any
    // output sample is not finite.
    float render (testsupport::WrapperDriver& driver, std::mt19937& random)
    {
        const auto numChannels = driver.processor().getTotalNumInputChannels();
        juce::AudioBuffer<float> block (numChannels, blockSize);
        const auto blocks = (long) (driver.getSampleRate() * 0.3) / blockSize;
        float peak = 0.0f;

        for (long b = 0; b < blocks; ++b)
        {
            for (int channel = 0; channel < numChannels; ++channel)
                for (int i = 0; i < blockSize; ++i)
                    block.setSample (channel, i, signal (channel, b * blockSize + i, driver.getSampleRate(), random));

            driver.process (block);

            for (int channel = 0; channel < numChannels; ++channel)
                for (int i = 0; i < blockSize; ++i)
                {
                    const auto x = block.getSample (channel, i);
                    if (! std::isfinite (x))
                        return std::numeric_limits<float>::quiet_NaN();
                    peak = std::max (peak, std::abs (x));
                }
        }

        return peak;
    }
}

TEST (ParameterMappingSoak, OutputStaysFiniteAndBoundedAtEveryRateLayoutAndSetting)
{
    std::mt19937 random (2024);

    const std::vector<std::pair<const char*, Setting>> settings {
        { "all at start", [] (const auto& p) { return p.getNormalisableRange().start; } },
        { "all at end", [] (const auto& p) { return p.getNormalisableRange().end; } },
        { "alternating ends", [toggle = false] (const auto& p) mutable {
              toggle = ! toggle;
              return toggle ? p.getNormalisableRange().end : p.getNormalisableRange().start; } },
        { "random", [&random] (const auto& p) {
              const auto& range = p.getNormalisableRange();
              return std::round (std::uniform_real_distribution<float> (range.start, range.end) (random)); } },
        { "random again", [&random] (const auto& p) {
              const auto& range = p.getNormalisableRange();
              return std::round (std::uniform_real_distribution<float> (range.start, range.end) (random)); } },
    };

    for (const auto rate : { 44100.0, 48000.0, 96000.0, 192000.0 })
        for (const auto numChannels : { 1, 2 })
            for (const auto& [name, setting] : settings)
            {
                testsupport::WrapperDriver driver (numChannels, rate);
                applyToEveryParameter (driver.processor(), setting);

                const auto peak = render (driver, random);
                EXPECT_TRUE (std::isfinite (peak)) << name << " at " << rate << " Hz, " << numChannels << " channel(s)";
                EXPECT_LT (peak, outputBound) << name << " at " << rate << " Hz, " << numChannels << " channel(s)";
            }
}

TEST (ParameterMappingSoak, ProcessBlockWithEveryStageEngagedAllocatesNothing)
{
    testsupport::WrapperDriver driver (2, 48000.0);
    applyToEveryParameter (driver.processor(), [] (const auto& p) { return p.getNormalisableRange().end; });

    juce::AudioBuffer<float> block (2, 512);
    juce::MidiBuffer midi;
    block.clear();
    driver.process (block); // delivers the parameter changes

    std::mt19937 random (7);
    testsupport::ScopedAllocationCounter allocations;

    for (int b = 0; b < 100; ++b)
    {
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < 512; ++i)
                block.setSample (channel, i, signal (channel, b * 512 + i, 48000.0, random));

        driver.processor().processBlock (block, midi);
    }

    EXPECT_EQ (allocations.getCount(), 0);
}
