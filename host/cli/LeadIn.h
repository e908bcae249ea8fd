// LeadIn.h: silence run through a fresh instance before its first input sample, so that every setting is in force from that sample on.
#pragma once

#include "EffectSession.h"

#include <cstdint>
#include <functional>

namespace host
{
    // A fresh instance glides from its construction values to its settings,
    // as a plug-in inserted while a song plays must: rendered at once, the
    // attack of a one-shot would be processed by half-set stages. This many
    // frames of silence first, output discarded, let every glide land on its
    // setting, so that the render equals the effect's in a host that has been running.
    int64_t leadInFrames (double sampleRate);

    // Processes leadInFrames of silence through the instance, in blocks of
    // the render's size, and throws the output away. After each block
    // `afterBlock` is called; it may throw to stop, so that a signal ends the
    // lead-in as soon as it ends the render, however high the rate.
    void runLeadIn (EffectInstance& instance, double sampleRate, const std::function<void()>& afterBlock);
}
