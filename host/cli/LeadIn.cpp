// LeadIn.cpp: how long the effect's glides take to land on their settings, and the silence that lets them.
#include "LeadIn.h"
#include "AudioStream.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
    // The effect's glides are one-pole steps whose coefficient for a time T
    // is 1 - exp (-4.605 / (T * rate)): each span of T leaves 1 % of the
    // distance still to go. The slowest chain of them that silence moves: a
    // parameter's 20 ms glide (gains, thresholds, ratios, mixes, the
    // saturators' amounts, the power crossfade) feeding the glue saturation's
    // follower, which releases over 50 ms towards the gain that amount sets
    // (every other follower rests at silence from the start). Chained glides
    // land within the sum of their own times. The host sees only the module,
    // so these are the effect's figures as it states them (its decay exponent
    // in engine/dsp/DspCore.h, the glue saturation in engine/dsp/Clippers.h);
    // CommandLineRender.EverySettingIsInForceFromTheFirstSample fails should
    // they ever outgrow this lead-in.
    constexpr double slowestChainSeconds = 0.020 + 0.050;
    constexpr double decayPerSpan = 4.605;

    // Spans until what is left is below the last bit of a double (2^-53 of the
    // distance), where the glides stop moving: ln (2^53) / 4.605, about 7.98.
    double spansToLand()
    {
        return std::ceil (53.0 * std::log (2.0) / decayPerSpan);
    }
}

int64_t host::leadInFrames (double sampleRate)
{
    return static_cast<int64_t> (std::ceil (spansToLand() * slowestChainSeconds * sampleRate));
}

void host::runLeadIn (EffectInstance& instance, double sampleRate, const std::function<void()>& afterBlock)
{
    const auto channels = static_cast<size_t> (instance.channels());
    const auto blockFrames = static_cast<size_t> (std::min<int64_t> (leadInFrames (sampleRate), streamBlockFrames));
    std::vector<std::vector<float>> silence (channels, std::vector<float> (blockFrames, 0.0f));
    std::vector<std::vector<float>> discarded (channels, std::vector<float> (blockFrames));
    std::vector<const float*> in (channels);
    std::vector<float*> out (channels);
    for (size_t c = 0; c < channels; ++c)
    {
        in[c] = silence[c].data();
        out[c] = discarded[c].data();
    }
    for (int64_t left = leadInFrames (sampleRate); left > 0; left -= static_cast<int64_t> (blockFrames))
    {
        instance.process (in.data(), out.data(), static_cast<int> (std::min<int64_t> (left, static_cast<int64_t> (blockFrames))));
        afterBlock();
    }
}
