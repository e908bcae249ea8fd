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
