// KickPattern.h: a synthesised kick-drum pattern, so rendering needs no audio file.
#pragma once

#include <vector>

namespace host
{
    // Four kicks to the bar at `tempo` beats per minute: each a sine whose
    // pitch falls from 150 Hz to 50 Hz with a short click on top, decaying
    // over about 400 ms. Peaks stay below 0.6. Always the same samples.
    std::vector<float> renderKickPattern (double sampleRate, int bars, double tempo = 120.0);
}
