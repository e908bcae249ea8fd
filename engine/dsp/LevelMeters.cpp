#include "LevelMeters.h"

#include <algorithm>
#include <cmath>

LevelMeters::LevelMeters() noexcept
{
    prepare (44100.0);
}

void LevelMeters::prepare (double sampleRate) noexcept
{
    waveMeter.prepare (sampleRate);

    for (auto& meter : peakMeters)
        meter.prepare (sampleRate);

    for (auto& detector : clipDetectors)
        detector.setPeriod (sampleRate);
}

// Each channel's level in dB is computed once, against the wave meter's lower
// floor, and shared: the wave meter follows the louder channel, and each peak
// meter its own channel clamped to its higher floor. That is one logarithm per
// channel instead of three per sample.
void LevelMeters::process (double left, double right) noexcept
{
    const auto leftMagnitude = std::abs (left);
    const auto rightMagnitude = std::abs (right);
    const auto leftDb = waveMeter.toDecibels (leftMagnitude);
    const auto rightDb = waveMeter.toDecibels (rightMagnitude);

    waveMeter.processDecibels (std::max (leftDb, rightDb));
    waveMeterHeld = std::max (waveMeterHeld, waveMeter.getValue());

    peakMeters[0].processDecibels (std::max (leftDb, peakFloorDb));
    peakMeters[1].processDecibels (std::max (rightDb, peakFloorDb));

    clipDetectors[0].process (leftMagnitude);
    clipDetectors[1].process (rightMagnitude);
}

float LevelMeters::getLevel (int channel) const noexcept
{
    if (channel != 1 && channel != 2)
        return 0.0f;

    const auto valueDb = peakMeters[(size_t) channel - 1].getValue();
    return (float) (1.0 - std::min (valueDb, 0.0) / peakFloorDb);
}

bool LevelMeters::isClipping (int channel) const noexcept
{
    if (channel != 1 && channel != 2)
        return false;

    return clipDetectors[(size_t) channel - 1].clipped;
}

double LevelMeters::getPeakAndReset() noexcept
{
    const auto peak = std::pow (10.0, waveMeterHeld / 20.0);
    waveMeterHeld = waveMeter.getValue();
    return peak;
}
