#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>
#include <emmintrin.h>
#include <type_traits>

#include "Effect.h"

namespace EffectRoutingDetail
{
    // Float to double and back, four samples per step; each conversion rounds
    // exactly as the scalar cast does.
    inline void widen (const float* in, double* out, int count) noexcept
    {
        int i = 0;

        for (; i + 4 <= count; i += 4)
        {
            const auto four = _mm_loadu_ps (in + i);
            _mm_storeu_pd (out + i, _mm_cvtps_pd (four));
            _mm_storeu_pd (out + i + 2, _mm_cvtps_pd (_mm_movehl_ps (four, four)));
        }

        for (; i < count; ++i)
            out[i] = in[i];
    }

    inline void narrow (const double* in, float* out, int count) noexcept
    {
        int i = 0;

        for (; i + 4 <= count; i += 4)
            _mm_storeu_ps (out + i, _mm_movelh_ps (_mm_cvtpd_ps (_mm_loadu_pd (in + i)), _mm_cvtpd_ps (_mm_loadu_pd (in + i + 2))));

        for (; i < count; ++i)
            out[i] = (float) in[i];
    }
}

// Runs every sample of a block through an effect, in place and in double
// precision, a chunk at a time through the effect's processBlock. Two
// channels go through together; otherwise channel 0 goes through alone, with
// a silent right input whose result is discarded, and the effect is told the
// block's own channel count.
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
    const auto chainChannels = right != nullptr ? 2 : numChannels;

    for (int start = 0; start < numSamples; start += chunkSize)
    {
        const auto count = std::min (chunkSize, numSamples - start);
        double l[chunkSize], r[chunkSize];

        EffectRoutingDetail::widen (left + start, l, count);

        if (right != nullptr)
            EffectRoutingDetail::widen (right + start, r, count);
        else
            std::fill (r, r + count, 0.0);

        effect.processBlock (l, r, count, chainChannels);

        EffectRoutingDetail::narrow (l, left + start, count);

        if (right != nullptr)
            EffectRoutingDetail::narrow (r, right + start, count);
    }
}
