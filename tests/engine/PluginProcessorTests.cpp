#define KICK_DEFINE_ALLOCATION_COUNTER
#include "support/AllocationCounter.h"
#include "support/WrapperDriver.h"

#include <gtest/gtest.h>

#include "EffectRouting.h"
#include "ProcessorProbes.h"

#include <limits>
#include <xmmintrin.h>

namespace
{
    using Processor = ProcessorTest;
    using testsupport::WrapperDriver;

    constexpr unsigned flushToZeroAndDenormalsAreZero = 0x8040;

    unsigned controlWord() noexcept { return _mm_getcsr(); }
    void setControlWord (unsigned word) noexcept { _mm_setcsr (word); }

    // Doubles the left sample and triples the right one, and records each call.
    struct RecordingEffect : Effect
    {
        struct Call
        {
            double left, right;
            int numChannels;
        };

        void prepare (double) override {}

        void process (double* left, double* right, int numChannels) override
        {
            calls.push_back ({ *left, *right, numChannels });
            *left *= 2.0;
            *right *= 3.0;
        }

        std::vector<Call> calls;
    };

    juce::AudioBuffer<float> ramp (int numChannels, int numSamples)
    {
        juce::AudioBuffer<float> buffer (numChannels, numSamples);

        for (int c = 0; c < numChannels; ++c)
            for (int i = 0; i < numSamples; ++i)
                buffer.setSample (c, i, 0.001f * (float) (i + 1) * (c == 0 ? 1.0f : -0.5f));

        return buffer;
    }

    float mixOf (const juce::AudioBuffer<float>& buffer, int sample)
    {
        float sum = 0.0f;

        for (int c = 0; c < buffer.getNumChannels(); ++c)
            sum += buffer.getSample (c, sample);

        return sum * 0.5f;
    }

    TEST (EffectRouting, StereoBlocksGoThroughTogetherSampleBySample)
    {
        RecordingEffect effect;
        auto buffer = ramp (2, 3);
        const auto input = buffer;

        processThroughEffect (effect, buffer);

        ASSERT_EQ (effect.calls.size(), 3u);

        for (int i = 0; i < 3; ++i)
        {
            const auto& call = effect.calls[(size_t) i];
            EXPECT_EQ (call.numChannels, 2);
            EXPECT_EQ (call.left, (double) input.getSample (0, i));
            EXPECT_EQ (call.right, (double) input.getSample (1, i));
            EXPECT_EQ (buffer.getSample (0, i), (float) (2.0 * input.getSample (0, i)));
            EXPECT_EQ (buffer.getSample (1, i), (float) (3.0 * input.getSample (1, i)));
        }
    }

    TEST (EffectRouting, MonoBlocksGetASilentRightInputEverySample)
    {
        RecordingEffect effect;
        auto buffer = ramp (1, 4);
        const auto input = buffer;

        processThroughEffect (effect, buffer);

        ASSERT_EQ (effect.calls.size(), 4u);

        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ (effect.calls[(size_t) i].numChannels, 1);
            EXPECT_EQ (effect.calls[(size_t) i].right, 0.0);
            EXPECT_EQ (buffer.getSample (0, i), (float) (2.0 * input.getSample (0, i)));
        }

        juce::AudioBuffer<float> empty (2, 0);
        processThroughEffect (effect, empty);
        EXPECT_EQ (effect.calls.size(), 4u);
    }

    TEST_F (Processor, DeclaresItselfAsTheHostExpects)
    {
        TemplateEffectAudioProcessor processor;

        EXPECT_EQ (processor.getName(), "VANTO Groundwork Kick");
        ASSERT_EQ (processor.getBusCount (true), 1);
        ASSERT_EQ (processor.getBusCount (false), 1);
        EXPECT_EQ (processor.getBus (true, 0)->getName(), "Input");
        EXPECT_EQ (processor.getBus (false, 0)->getName(), "Output");
        EXPECT_EQ (processor.getBus (true, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
        EXPECT_FALSE (processor.getBus (true, 0)->isEnabledByDefault());
        EXPECT_FALSE (processor.getBus (false, 0)->isEnabledByDefault());
        EXPECT_EQ (processor.waveformBuffer.getNumChannels(), 0);
    }

    TEST_F (Processor, WaveformViewTakesAPointEveryTwoMilliseconds)
    {
        TemplateEffectAudioProcessor processor;

        for (const auto& [rate, expected] : { std::pair { 44100.0, 88 }, { 48000.0, 96 }, { 96000.0, 192 } })
        {
            processor.prepareToPlay (rate, 512);
            EXPECT_EQ (processor.waveformView.getSamplesPerBlock(), expected);
        }

        // Rates and sizes no host sends leave the view as it was and the
        // processor able to run.
        for (const auto rate : { std::numeric_limits<double>::quiet_NaN(), -44100.0, 1.0e300 })
        {
            processor.prepareToPlay (rate, -4);
            EXPECT_EQ (processor.waveformView.getSamplesPerBlock(), 192);
            EXPECT_EQ (processor.waveformBuffer.getNumSamples(), 0);
        }

        juce::MidiBuffer midi;
        auto buffer = ramp (2, 32);
        processor.processBlock (buffer, midi);

        EXPECT_FALSE (processor.waveformView.isOpaque());
    }

    TEST_F (Processor, PrepareSizesTheMixBufferAndLeavesAMatchingOneUntouched)
    {
        TemplateEffectAudioProcessor processor;
        processor.prepareToPlay (44100.0, 256);
        EXPECT_EQ (processor.waveformBuffer.getNumChannels(), 1);
        EXPECT_EQ (processor.waveformBuffer.getNumSamples(), 256);

        processor.waveformBuffer.setSample (0, 10, 0.25f);
        const auto* storage = processor.waveformBuffer.getReadPointer (0);
        processor.prepareToPlay (48000.0, 256);
        EXPECT_EQ (processor.waveformBuffer.getReadPointer (0), storage);
        EXPECT_EQ (processor.waveformBuffer.getSample (0, 10), 0.25f);

        processor.prepareToPlay (48000.0, 512);
        EXPECT_EQ (processor.waveformBuffer.getNumSamples(), 512);
        EXPECT_EQ (processor.waveformBuffer.getSample (0, 10), 0.0f);

        // Longer blocks than hosts hand over make the wrapper prepare again on
        // the audio thread, where nothing may be allocated.
        for (const int longBlock : { 1024, 4096 })
        {
            testsupport::ScopedAllocationCounter allocations;
            processor.prepareToPlay (48000.0, longBlock);
            EXPECT_EQ (allocations.getCount(), 0) << longBlock;
        }
    }

    TEST_F (Processor, FirstPrepareDeliversEveryInitialValue)
    {
        RecordingProcessor processor;
        processor.prepareToPlay (44100.0, 1024);
        EXPECT_EQ (processor.deliveredIds(), hostOrderIds());
    }

    TEST_F (Processor, ViewMixIsHalfTheSumOfTheProcessedChannels)
    {
        for (const int numChannels : { 1, 2 })
        {
            SCOPED_TRACE (numChannels);
            WrapperDriver host (numChannels);
            auto buffer = ramp (numChannels, 300);
            juce::MidiBuffer midi;
            midi.addEvent (juce::MidiMessage::noteOn (1, 36, 0.8f), 17);
            host.process (buffer, midi);

            for (int i = 0; i < buffer.getNumSamples(); ++i)
                ASSERT_EQ (host.processor().waveformBuffer.getSample (0, i), mixOf (buffer, i)) << i;

            EXPECT_EQ (midi.getNumEvents(), 1); // MIDI passes untouched
        }
    }

    TEST_F (Processor, BlocksLargerThanPreparedOrBeforeAnyPrepareDoNotOverrun)
    {
        TemplateEffectAudioProcessor processor;
        juce::MidiBuffer midi;

        auto early = ramp (2, 64);
        processor.processBlock (early, midi); // nothing prepared: nothing for the view

        processor.prepareToPlay (44100.0, 100);
        auto large = ramp (2, 250);
        processor.processBlock (large, midi);

        // The last chunk (samples 200..249) is what the scratch buffer holds.
        for (int i = 0; i < 50; ++i)
            ASSERT_EQ (processor.waveformBuffer.getSample (0, i), mixOf (large, 200 + i)) << i;

        juce::AudioBuffer<float> noChannels (0, 32);
        processor.processBlock (noChannels, midi);
    }

    TEST_F (Processor, EmptyAndChannelLessBlocksStillDrainTheQueue)
    {
        RecordingProcessor processor;
        processor.prepareToPlay (44100.0, 64);
        processor.takeDeliveries();
        juce::MidiBuffer midi;

        processor.parameterManager.setParameterValue ("Kick_AirId", 5.0f);
        juce::AudioBuffer<float> empty (2, 0);
        processor.processBlock (empty, midi);
        EXPECT_EQ (processor.takeDeliveries().size(), 1u);

        processor.parameterManager.setParameterValue ("Kick_AirId", 6.0f);
        juce::AudioBuffer<float> noChannels (0, 64);
        processor.processBlock (noChannels, midi);
        EXPECT_EQ (processor.takeDeliveries().size(), 1u);
    }

    juce::Image paintView (juce::AudioVisualiserComponent& view)
    {
        view.setBounds (0, 0, 200, 100);
        juce::Image image (juce::Image::ARGB, 200, 100, true);
        juce::Graphics g (image);
        view.paint (g);
        return image;
    }

    // Pixels the view paints into a 200 x 100 image: a view without history
    // paints fewer than 250, one full of a loud signal more than 1000.
    int paintedPixels (juce::AudioVisualiserComponent& view)
    {
        const auto image = paintView (view);
        int count = 0;

        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                count += image.getPixelAt (x, y).getAlpha() > 0 ? 1 : 0;

        return count;
    }

    juce::AudioBuffer<float> loudSquare (int numSamples)
    {
        juce::AudioBuffer<float> loud (2, numSamples);

        for (int i = 0; i < loud.getNumSamples(); ++i)
            for (int c = 0; c < 2; ++c)
                loud.setSample (c, i, i % 2 == 0 ? 0.9f : -0.9f);

        return loud;
    }

    // The view's history restarts at every prepare: a painted view shows the
    // signal pushed since, and nothing after the next prepare.
    TEST_F (Processor, PrepareEmptiesTheWaveformHistory)
    {
        WrapperDriver host;
        auto& view = host.processor().waveformView;

        for (int block = 0; block < 40; ++block)
        {
            auto loud = loudSquare (1024);
            host.process (loud);
        }

        EXPECT_GT (paintedPixels (view), 1000);

        // The newest points are on the right; the ground stays transparent.
        const auto image = paintView (view);
        const auto wave = image.getPixelAt (190, 50);
        EXPECT_EQ (wave.getAlpha(), 0xb3);
        EXPECT_NEAR (wave.getRed(), 0xac, 3); // premultiplied storage rounds
        EXPECT_NEAR (wave.getGreen(), 0x64, 3);
        EXPECT_NEAR (wave.getBlue(), 0x4c, 3);
        EXPECT_EQ (image.getPixelAt (190, 1).getAlpha(), 0);

        host.processor().prepareToPlay (44100.0, 1024);
        EXPECT_LT (paintedPixels (view), 250);
    }

    // Only a block's own samples reach the view, never what the mix buffer
    // still holds beyond them from an earlier, longer block.
    TEST_F (Processor, ShortAndEmptyBlocksPushOnlyTheirOwnSamples)
    {
        WrapperDriver host;
        auto& view = host.processor().waveformView;

        auto loud = loudSquare (1024);
        host.process (loud);
        host.processor().prepareToPlay (44100.0, 1024);
        view.setSamplesPerBlock (2); // every two pushed samples make a point

        juce::AudioBuffer<float> empty (2, 0), silent (2, 16);
        silent.clear();
        host.process (empty);
        host.process (silent);

        EXPECT_LT (paintedPixels (view), 250);
    }

    unsigned withoutFlushBits() noexcept
    {
        return controlWord() & ~flushToZeroAndDenormalsAreZero;
    }

    TEST_F (Processor, DenormalsAreOffDuringTheBlockAndTheControlWordIsRestoredAfter)
    {
        RecordingProcessor processor;
        processor.prepareToPlay (44100.0, 64);
        juce::MidiBuffer midi;

        const auto saved = controlWord();
        setControlWord (withoutFlushBits());
        const auto before = controlWord();

        unsigned duringBlock = 0;
        processor.duringDelivery = [&] { duringBlock = controlWord(); };
        processor.parameterManager.setParameterValue ("Kick_SubId", 9.0f);
        auto buffer = ramp (2, 64);
        processor.processBlock (buffer, midi);
        const auto after = controlWord();

        setControlWord (saved);
        EXPECT_EQ (duringBlock & flushToZeroAndDenormalsAreZero, flushToZeroAndDenormalsAreZero);
        EXPECT_EQ (after, before);
    }

    TEST_F (Processor, ControlWordIsRestoredWhenTheBlockExitsByAnException)
    {
        ThrowingProcessor processor;
        juce::MidiBuffer midi;
        auto buffer = ramp (2, 16);

        const auto saved = controlWord();
        setControlWord (withoutFlushBits());
        const auto before = controlWord();

        EXPECT_THROW (processor.processBlock (buffer, midi), std::runtime_error);
        const auto after = controlWord();

        setControlWord (saved);
        EXPECT_EQ (after, before);
    }

    TEST_F (Processor, ProcessBlockAllocatesNothing)
    {
        for (const int numChannels : { 1, 2 })
        {
            SCOPED_TRACE (numChannels);
            WrapperDriver host (numChannels);
            auto& processor = host.processor();
            juce::MidiBuffer midi;
            auto buffer = ramp (numChannels, WrapperDriver::initialBlockSize);
            host.process (buffer);

            // Changes waiting in the queue are drained inside the counted block.
            for (const auto& id : hostOrderIds())
                processor.parameterManager.setParameterValue (id, 1.0f);

            const juce::ScopedLock lock (processor.getCallbackLock());
            testsupport::ScopedAllocationCounter allocations;
            processor.processBlock (buffer, midi);
            EXPECT_EQ (allocations.getCount(), 0);
        }
    }

    TEST (AllocationCounter, SeesAllocationsOnThisThread)
    {
        testsupport::ScopedAllocationCounter allocations;
        auto vector = std::make_unique<std::vector<int>> (100);
        juce::Array<int> array;
        array.add (1);
        EXPECT_GE (allocations.getCount(), 2);
    }
}
