// AudioStream.cpp: the render loop over fixed block buffers.
#include "AudioStream.h"

#include <vector>

int64_t host::renderStream (EffectInstance& instance, AudioSource& source, AudioSink& sink,
                            const std::function<void (int64_t)>& afterBlock)
{
    const auto channels = static_cast<size_t> (source.numChannels());
    std::vector<std::vector<float>> input (channels, std::vector<float> (streamBlockFrames));
    std::vector<std::vector<float>> output (channels, std::vector<float> (streamBlockFrames));
    std::vector<float*> in (channels), out (channels);
    for (size_t c = 0; c < channels; ++c)
    {
        in[c] = input[c].data();
        out[c] = output[c].data();
    }

    int64_t done = 0;
    for (;;)
    {
        const int frames = source.read (in.data(), streamBlockFrames);
        if (frames <= 0)
            break;
        instance.process (in.data(), out.data(), frames);
        sink.write (out.data(), frames);
        done += frames;
        afterBlock (done);
    }
    return done;
}
