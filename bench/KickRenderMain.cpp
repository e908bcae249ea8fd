#include "KickRender.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// A fixed, deterministic render for instruction counting under callgrind:
//   kick_render <defaults|engaged> <seconds>
// Prints the number of samples rendered and a checksum of the output.
int main (int argc, char** argv)
{
    const bool engaged = argc > 1 && std::strcmp (argv[1], "engaged") == 0;
    const double seconds = argc > 2 ? std::atof (argv[2]) : 10.0;
    constexpr int blockSize = 512;

    TemplateEffectAudioProcessor processor;
    processor.prepareToPlay (KickRender::sampleRate, blockSize);
    if (engaged)
        KickRender::engageEveryStage (processor);

    const auto loop = KickRender::makeKickLoop();
    juce::AudioBuffer<float> buffer (2, blockSize);
    juce::MidiBuffer midi;
    int position = 0;
    double checksum = 0.0;
    const auto blocks = (long) (seconds * KickRender::sampleRate / blockSize);

    for (long block = 0; block < blocks; ++block)
    {
        KickRender::fillFromLoop (buffer, loop, position);
        processor.processBlock (buffer, midi);
        for (int channel = 0; channel < 2; ++channel)
            for (int i = 0; i < blockSize; ++i)
                checksum += std::abs (buffer.getSample (channel, i));
    }

    std::printf ("%s: %ld samples, checksum %.17g\n", engaged ? "engaged" : "defaults", blocks * blockSize, checksum);
    return 0;
}
