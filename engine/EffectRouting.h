#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include "Effect.h"

// Runs every sample of a block through an effect, in place and in double
// precision. Two channels go through together; otherwise channel 0 goes
// through alone, with a silent right input whose result is discarded.
void processThroughEffect (Effect& effect, juce::AudioBuffer<float>& buffer);
