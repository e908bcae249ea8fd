#include "AudioDevEffect.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace
{
    constexpr double rate = 48000.0;

    // The chain holds its analysis arrays by value: keep it off the stack.
    std::unique_ptr<AudioDevEffect> makeChain()
    {
        auto chain = std::make_unique<AudioDevEffect>();
        chain->prepare (rate);
        return chain;
    }

    struct Noise
    {
        double next() { return distribution (engine); }

        std::mt19937 engine { 42 };
        std::uniform_real_distribution<double> distribution { -0.8, 0.8 };
    };

    struct Pair
    {
        double left, right;
    };

    Pair run (AudioDevEffect& chain, double left, double right, int numChannels = 2)
    {
        chain.process (&left, &right, numChannels);
        return { left, right };
    }

    void runNoise (AudioDevEffect& chain, Noise& noise, int samples)
    {
        for (int i = 0; i < samples; ++i)
            run (chain, noise.next(), noise.next());
    }

    void engageHarmonicsAndPressure (AudioDevEffect& chain)
    {
        chain.harmonicsOn = true;
        chain.harmonicsStage1.amount = chain.harmonicsStage2.amount = 0.7;
        chain.harmonicsWetGain = 0.8;
        chain.harmonicsDryGain = 0.6;
        chain.pressureOn = true;
        chain.pressureInputGain.target = 2.0;
        chain.pressureLowGain.target = 3.0;
    }
}

TEST (AudioDevEffect, AtDefaultsTheOutputEqualsTheInputFromTheFirstSample)
{
    auto chain = makeChain();
    Noise noise;

    for (int i = 0; i < 4000; ++i)
    {
        const auto left = noise.next(), right = noise.next();
        const auto out = run (*chain, left, right);
        ASSERT_DOUBLE_EQ (out.left, left) << i;
        ASSERT_DOUBLE_EQ (out.right, right) << i;
    }
}

TEST (AudioDevEffect, PowerFadesBetweenDryAndProcessedWhileTheStagesKeepRunning)
{
    auto toggled = makeChain();
    auto alwaysOn = makeChain();
    engageHarmonicsAndPressure (*toggled);
    engageHarmonicsAndPressure (*alwaysOn);

    Noise noise;
    for (int i = 0; i < 9600; ++i)
    {
        const auto left = noise.next(), right = noise.next();
        run (*toggled, left, right);
        run (*alwaysOn, left, right);
    }

    AudioDev::Smoothing::SmootherGeneric<double> ramp { 1.0 };
    ramp.prepare (rate);

    const auto checkRamp = [&] (double target, int samples)
    {
        for (int i = 0; i < samples; ++i)
        {
            const auto left = noise.next(), right = noise.next();
            const auto out = run (*toggled, left, right);
            const auto processed = run (*alwaysOn, left, right);
            const auto p = ramp.next (target);
            ASSERT_NEAR (out.left, (1.0 - p) * left + p * processed.left, 1e-12) << i;
            ASSERT_NEAR (out.right, (1.0 - p) * right + p * processed.right, 1e-12) << i;
        }
    };

    toggled->powerOn = false;
    checkRamp (0.0, 960);
    EXPECT_NEAR (ramp.current, 0.01, 1e-3) << "99 % of the way after 20 ms";
    checkRamp (0.0, 9600);

    toggled->powerOn = true;
    checkRamp (1.0, 9600);

    const auto out = run (*toggled, 0.3, -0.2);
    const auto processed = run (*alwaysOn, 0.3, -0.2);
    EXPECT_EQ (out.left, processed.left);
    EXPECT_EQ (out.right, processed.right);
}

TEST (AudioDevEffect, AStageSwitchedOffFreezesItsSmoothersAndResumesFromThem)
{
    auto chain = makeChain();
    chain->pressureOn = true;
    chain->pressureInputGain.target = 4.0;
    chain->pressureOutputGain.target = 0.25;

    Noise noise;
    runNoise (*chain, noise, 200);
    const auto inputGain = chain->pressureInputGain.smoother.current;
    const auto outputGain = chain->pressureOutputGain.smoother.current;
    ASSERT_GT (inputGain, 1.0);
    ASSERT_LT (inputGain, 4.0);

    chain->pressureOn = false;
    runNoise (*chain, noise, 2000);
    EXPECT_EQ (chain->pressureInputGain.smoother.current, inputGain);
    EXPECT_EQ (chain->pressureOutputGain.smoother.current, outputGain);

    chain->pressureOn = true;
    run (*chain, 0.1, 0.1);
    const auto coefficient = chain->pressureInputGain.smoother.coefficient;
    EXPECT_DOUBLE_EQ (chain->pressureInputGain.smoother.current, inputGain + (4.0 - inputGain) * coefficient);
}

TEST (AudioDevEffect, ASecondPrepareRestartsOnlyTheWidthBlend)
{
    auto chain = makeChain();
    chain->widthOn = true;
    chain->widthMonoBlend.target = 1.0;
    chain->pressureOn = true;
    chain->pressureLowGain.target = 5.0;

    Noise noise;
    runNoise (*chain, noise, 100);
    const auto lowGain = chain->pressureLowGain.smoother.current;
    const auto sideGain = chain->widthSideGain.smoother.current;
    ASSERT_GT (chain->widthMonoBlend.smoother.current, 0.0);

    chain->prepare (rate);
    EXPECT_EQ (chain->widthMonoBlend.smoother.current, 0.0);
    EXPECT_EQ (chain->pressureLowGain.smoother.current, lowGain);
    EXPECT_EQ (chain->widthSideGain.smoother.current, sideGain);

    // Three width operations per sample, each one step of the 20 ms smoother.
    run (*chain, 0.1, 0.2);
    const auto coefficient = 1.0 - std::exp (-4.605 / (0.02 * rate));
    const auto expected = 1.0 - std::pow (1.0 - coefficient, 3.0);
    EXPECT_NEAR (chain->widthMonoBlend.smoother.current, expected, 1e-12);
    EXPECT_GT (chain->pressureLowGain.smoother.current, lowGain);
}

TEST (AudioDevEffect, WidthSettledAtFullBlendMakesBothChannelsIdentical)
{
    auto chain = makeChain();
    chain->widthOn = true;
    chain->widthMonoBlend.target = 1.0;

    Noise noise;
    runNoise (*chain, noise, 48000);

    for (int i = 0; i < 1000; ++i)
    {
        const auto out = run (*chain, noise.next(), noise.next());
        ASSERT_EQ (out.left, out.right) << i;
    }
}

TEST (AudioDevEffect, MonoBusUsesTheLeftInputAsTheRightDrySignal)
{
    auto chain = makeChain();
    run (*chain, 0.5, 0.0, 1);
    runNoise (*chain, *std::make_unique<Noise>(), 48000);

    auto out = run (*chain, 0.5, 0.0, 1);
    EXPECT_EQ (out.left, 0.5);
    EXPECT_EQ (out.right, 0.0) << "no stage runs, so the processed right channel stays silent";

    chain->powerOn = false;
    for (int i = 0; i < 48000; ++i)
        out = run (*chain, 0.5, 0.0, 1);

    EXPECT_EQ (out.left, 0.5);
    EXPECT_EQ (out.right, 0.5);
}

TEST (AudioDevEffect, NonFiniteInputSamplesAreTreatedAsSilence)
{
    auto clean = makeChain();
    auto poisoned = makeChain();
    for (auto* chain : { clean.get(), poisoned.get() })
    {
        engageHarmonicsAndPressure (*chain);
        chain->subOn = chain->transientsOn = chain->compressionOn = chain->widthOn = true;
    }

    Noise noise;
    const auto nan = std::numeric_limits<double>::quiet_NaN();
    const auto infinity = std::numeric_limits<double>::infinity();

    for (int i = 0; i < 6000; ++i)
    {
        auto left = noise.next(), right = noise.next();
        const auto expected = run (*clean, i % 1000 == 7 ? 0.0 : left, i % 1500 == 9 ? 0.0 : right);

        if (i % 1000 == 7)
            left = i % 2000 == 7 ? nan : -infinity;
        if (i % 1500 == 9)
            right = infinity;

        const auto out = run (*poisoned, left, right);
        ASSERT_EQ (out.left, expected.left) << i;
        ASSERT_EQ (out.right, expected.right) << i;
    }

    for (int bin = 0; bin <= 512; ++bin)
        ASSERT_TRUE (std::isfinite (poisoned->getBinLevelDecibels (bin)));
}

TEST (AudioDevEffect, PublishesSpectrumAndMetersOfItsOutput)
{
    auto chain = makeChain();
    EXPECT_EQ (chain->getNumBins(), 1024);
    EXPECT_EQ (chain->getSampleRate(), 48000);

    // A full-scale sine on bin 64 (3 kHz at 48 kHz) on the left channel only.
    const auto pi = std::acos (-1.0);
    for (int n = 0; n < 1024 * 300; ++n)
        run (*chain, std::sin (2.0 * pi * 64.0 * n / 1024.0), 0.0);

    EXPECT_NEAR (chain->getBinLevelDecibels (64), 20.0 * std::log10 (0.5), 1e-3);
    EXPECT_NEAR (chain->getLevel (1, 0), 1.0f, 1e-3f);
    EXPECT_EQ (chain->getLevel (2, 5), 0.0f);
    EXPECT_FALSE (chain->isClipping (1, 0));
    EXPECT_NEAR (chain->getPeakAndReset(), 1.0, 1e-6);

    run (*chain, 1.5, 0.0);
    EXPECT_TRUE (chain->isClipping (1, 0));
    EXPECT_FALSE (chain->isClipping (2, 0));
}
