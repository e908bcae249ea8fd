#include "DecibelFollower.h"

#include <cmath>

DecibelFollower::DecibelFollower (double riseTimeMs, double fallTimeMs, double floorDecibels) noexcept
    : value (floorDecibels),
      riseMs (riseTimeMs),
      fallMs (fallTimeMs),
      riseCoefficient (coefficientFor (riseTimeMs)),
      fallCoefficient (coefficientFor (fallTimeMs)),
      state (floorDecibels)
{
}

void DecibelFollower::prepare (double newSampleRate) noexcept
{
    sampleRate = newSampleRate;
    riseCoefficient = coefficientFor (riseMs);
    fallCoefficient = coefficientFor (fallMs);
}

double DecibelFollower::coefficientFor (double timeMs) const noexcept
{
    if (timeMs == 0.0)
        return 1.0;

    return 1.0 - std::exp (constant / (timeMs * 0.001 * sampleRate));
}
