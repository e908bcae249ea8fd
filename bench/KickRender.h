#pragma once

#include "PluginProcessor.h"

#include <cmath>
#include <utility>
#include <vector>

// Shared set-up of the benchmark and the fixed render: a stereo kick pattern
// as input and the two parameter configurations that are measured.
namespace KickRender
{
    constexpr double sampleRate = 48000.0;

    // Parameter values that switch every stage of the chain on.
    inline const std::vector<std::pair<const char*, float>> everyStageEngaged {
        { "Kick_HarmonicsId", 50.0f }, { "Kick_PressureId", 50.0f }, { "Kick_SubId", 50.0f },
        { "Kick_SubFreqId", 5.0f },    { "Kick_AirId", 50.0f },      { "Kick_MidsId", 150.0f },
        { "Kick_TransId", 50.0f },     { "Kick_CompressionId", 50.0f }, { "Kick_WidthId", 150.0f }
    };

    // One second of kicks at 120 bpm: a pitch-swept, decaying sine per beat with
    // a click at its start, slightly different on the two channels.
    inline juce::AudioBuffer<float> makeKickLoop()
    {
        const auto length = (int) sampleRate;
        const auto beat = length / 2;
        juce::AudioBuffer<float> loop (2, length);

        for (int channel = 0; channel < 2; ++channel)
        {
            auto* samples = loop.getWritePointer (channel);
            double phase = 0.0;

            for (int i = 0; i < length; ++i)
            {
                const auto t = (i % beat) / sampleRate;
                if (i % beat == 0)
                    phase = 0.0;

                const auto frequency = 50.0 + 150.0 * std::exp (-t * 40.0);
                phase += 2.0 * juce::MathConstants<double>::pi * frequency / sampleRate;
                const auto body = std::sin (phase) * std::exp (-t * 6.0);
                const auto click = std::exp (-t * 900.0) * (channel == 0 ? 0.3 : 0.25);
                samples[i] = (float) (0.8 * body + click);
            }
        }

        return loop;
    }

    inline void engageEveryStage (TemplateEffectAudioProcessor& processor)
    {
        for (const auto& [id, value] : everyStageEngaged)
            processor.parameterManager.setParameterValue (id, value);
    }

    // Copies the next block of the loop into buffer, wrapping around its end.
    inline void fillFromLoop (juce::AudioBuffer<float>& buffer, const juce::AudioBuffer<float>& loop, int& position)
    {
        for (int done = 0; done < buffer.getNumSamples();)
        {
            const auto count = std::min (buffer.getNumSamples() - done, loop.getNumSamples() - position);
            for (int channel = 0; channel < buffer.getNumChannels(); ++channel)
                buffer.copyFrom (channel, done, loop, channel, position, count);

            done += count;
            position = (position + count) % loop.getNumSamples();
        }
    }
}
