#pragma once

// The interface through which the audio processor drives the signal chain:
// one sample of each channel at a time, in double precision, in place.
class Effect
{
public:
    virtual void prepare (double sampleRate) = 0;

    // Processes one sample of each channel in place. For a mono bus the caller
    // passes numChannels == 1 and a right sample of 0.0, and discards the right result.
    virtual void process (double* left, double* right, int numChannels) = 0;

    // Processes numSamples samples of each channel in place, one at a time
    // through process. Not virtual: a chain that can do better for a whole
    // block hides it with its own, which callers holding that type reach.
    void processBlock (double* left, double* right, int numSamples, int numChannels)
    {
        for (int i = 0; i < numSamples; ++i)
            process (left + i, right + i, numChannels);
    }

    // Declared last, so that the two operations take the first virtual slots.
    virtual ~Effect() = default;
};
