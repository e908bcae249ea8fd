#include "EffectRouting.h"

void processThroughEffect (Effect& effect, juce::AudioBuffer<float>& buffer)
{
    const auto numSamples = buffer.getNumSamples();
    const auto numChannels = buffer.getNumChannels();

    if (numChannels == 0)
        return;

    auto* left = buffer.getWritePointer (0);

    if (numChannels == 2)
    {
        auto* right = buffer.getWritePointer (1);

        for (int i = 0; i < numSamples; ++i)
        {
            double l = left[i], r = right[i];
            effect.process (&l, &r, numChannels);
            left[i] = (float) l;
            right[i] = (float) r;
        }
        return;
    }

    for (int i = 0; i < numSamples; ++i)
    {
        double l = left[i], r = 0.0;
        effect.process (&l, &r, numChannels);
        left[i] = (float) l;
    }
}
