#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <type_traits>

#include "Effect.h"

// Runs every sample of a block through an effect, in place and in double
// precision. Two channels go through together; otherwise channel 0 goes
// through alone, with a silent right input whose result is discarded.
//
// A template, so that for a final effect type (the kick chain) the per-sample
// call is direct and inlined rather than virtual.
template <typename EffectType>
void processThroughEffect (EffectType& effect, juce::AudioBuffer<float>& buffer)
{
    static_assert (std::is_base_of_v<Effect, EffectType>, "processThroughEffect drives an Effect");

    const auto numSamples = buffer.getNumSamples();
    const auto numChannels = buffer.getNumChannels();

    if (numChannels == 0)
        return;

    auto* left = buffer.getWritePointer (0);

    if (numChannels == 2)
    {
        auto* right = buffer.getWritePointer (1);

        for (int i = 0; i < numSamples; ++i)
        {
            double l = left[i], r = right[i];
            effect.process (&l, &r, numChannels);
            left[i] = (float) l;
            right[i] = (float) r;
        }
        return;
    }

    for (int i = 0; i < numSamples; ++i)
    {
        double l = left[i], r = 0.0;
        effect.process (&l, &r, numChannels);
        left[i] = (float) l;
    }
}
