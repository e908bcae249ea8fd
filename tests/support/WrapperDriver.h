#pragma once

// Drives the processor the way the framework's AAX wrapper does: creation
// through createPluginFilter, a mono or stereo layout, prepareToPlay with the
// last block size (1024 before any block) when the host initialises the
// effect and again before any block larger than prepared so far, the callback
// lock around every processBlock, and the state chunk's get and set.

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include "PluginProcessor.h"

#include <memory>
#include <stdexcept>

namespace testsupport
{
    class WrapperDriver
    {
    public:
        static constexpr int initialBlockSize = 1024;

        explicit WrapperDriver (int numChannels = 2, double sampleRate = 44100.0)
            : owned (createPluginFilter()),
              plugin (dynamic_cast<TemplateEffectAudioProcessor&> (*owned)),
              rate (sampleRate)
        {
            const auto channelSet = numChannels == 1 ? juce::AudioChannelSet::mono()
                                                     : juce::AudioChannelSet::stereo();
            juce::AudioProcessor::BusesLayout layout;
            layout.inputBuses.add (channelSet);
            layout.outputBuses.add (channelSet);
            if (! plugin.setBusesLayout (layout))
                throw std::logic_error ("the processor refused the host's layout");

            prepare (lastBlockSize);
        }

        TemplateEffectAudioProcessor& processor() noexcept { return plugin; }
        double getSampleRate() const noexcept { return rate; }
        int getPreparedBlockSize() const noexcept { return maxBlockSize; }

        // One host block: the buffer's length is the block's length.
        void process (juce::AudioBuffer<float>& buffer)
        {
            juce::MidiBuffer midi;
            process (buffer, midi);
        }

        void process (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
        {
            const auto blockSize = buffer.getNumSamples();

            if (blockSize != lastBlockSize)
            {
                lastBlockSize = blockSize;
                plugin.setRateAndBufferSizeDetails (rate, lastBlockSize);

                if (blockSize > maxBlockSize)
                    prepare (blockSize);
            }

            const juce::ScopedLock lock (plugin.getCallbackLock());
            plugin.processBlock (buffer, midi);
        }

        juce::MemoryBlock getState()
        {
            juce::MemoryBlock chunk;
            plugin.getStateInformation (chunk);
            return chunk;
        }

        void setState (const void* data, int sizeInBytes) { plugin.setStateInformation (data, sizeInBytes); }
        void setState (const juce::MemoryBlock& chunk) { setState (chunk.getData(), (int) chunk.getSize()); }

    private:
        void prepare (int blockSize)
        {
            maxBlockSize = juce::jmax (maxBlockSize, blockSize);
            plugin.setRateAndBufferSizeDetails (rate, maxBlockSize);
            plugin.prepareToPlay (rate, maxBlockSize);
        }

        juce::ScopedJuceInitialiser_GUI juceInitialiser;
        std::unique_ptr<juce::AudioProcessor> owned;
        TemplateEffectAudioProcessor& plugin;
        double rate;
        int lastBlockSize = initialBlockSize, maxBlockSize = 0;
    };
}
