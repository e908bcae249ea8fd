#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <type_traits>

#include "Effect.h"

// Runs every sample of a block through an effect, in place and in double
// precision, a chunk at a time through the effect's processBlock. Two
// channels go through together; otherwise channel 0 goes through alone, with
// a silent right input whose result is discarded.
//
// A template, so that the kick chain's own block processing is reached
// directly rather than sample by sample through virtual calls.
template <typename EffectType>
void processThroughEffect (EffectType& effect, juce::AudioBuffer<float>& buffer)
{
    static_assert (std::is_base_of_v<Effect, EffectType>, "processThroughEffect drives an Effect");

    constexpr int chunkSize = 64;
    const auto numSamples = buffer.getNumSamples();
    const auto numChannels = buffer.getNumChannels();

    if (numChannels == 0)
        return;

    auto* left = buffer.getWritePointer (0);
    auto* right = numChannels == 2 ? buffer.getWritePointer (1) : nullptr;
    const auto chainChannels = right != nullptr ? 2 : 1;

    for (int start = 0; start < numSamples; start += chunkSize)
    {
        const auto count = std::min (chunkSize, numSamples - start);
        double l[chunkSize], r[chunkSize];

        for (int i = 0; i < count; ++i)
        {
            l[i] = left[start + i];
            r[i] = right != nullptr ? right[start + i] : 0.0;
        }

        effect.processBlock (l, r, count, chainChannels);

        for (int i = 0; i < count; ++i)
            left[start + i] = (float) l[i];

        if (right != nullptr)
            for (int i = 0; i < count; ++i)
                right[start + i] = (float) r[i];
    }
}
