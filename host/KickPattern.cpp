// KickPattern.cpp: one synthesised kick, repeated on every beat.
#include "KickPattern.h"

#include <cmath>

namespace
{
    constexpr double twoPi = 6.283185307179586;
    constexpr double startPitch = 150.0, endPitch = 50.0;
    constexpr double pitchFallSeconds = 0.035; // time constant of the pitch drop
    constexpr double decaySeconds = 0.12;      // time constant of the body
    constexpr double clickSeconds = 0.002;
    constexpr double bodyLevel = 0.5, clickLevel = 0.07;
    constexpr int beatsPerBar = 4;

    std::vector<float> renderKick (double sampleRate, int length)
    {
        std::vector<float> kick (static_cast<size_t> (length));
        double phase = 0.0;
        for (int i = 0; i < length; ++i)
        {
            const double t = i / sampleRate;
            const double pitch = endPitch + (startPitch - endPitch) * std::exp (-t / pitchFallSeconds);
            phase += twoPi * pitch / sampleRate;
            const double body = bodyLevel * std::exp (-t / decaySeconds) * std::sin (phase);
            const double click = clickLevel * std::exp (-t / clickSeconds);
            kick[static_cast<size_t> (i)] = static_cast<float> (body + click);
        }
        return kick;
    }
}

std::vector<float> host::renderKickPattern (double sampleRate, int bars, double tempo)
{
    const int beatLength = static_cast<int> (std::lround (sampleRate * 60.0 / tempo));
    const auto kick = renderKick (sampleRate, beatLength);

    std::vector<float> pattern;
    pattern.reserve (static_cast<size_t> (beatLength * beatsPerBar * bars));
    for (int beat = 0; beat < beatsPerBar * bars; ++beat)
        pattern.insert (pattern.end(), kick.begin(), kick.end());
    return pattern;
}
