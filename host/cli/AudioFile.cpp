// AudioFile.cpp: reading any format libsndfile knows; writing 24-bit WAV.
#include "AudioFile.h"

#include <sndfile.h>

#include <memory>
#include <stdexcept>

namespace
{
    using SoundFile = std::unique_ptr<SNDFILE, int (*) (SNDFILE*)>;
    constexpr sf_count_t framesPerRead = 4096;
}

host::AudioData host::readAudioFile (const std::string& path)
{
    SF_INFO info {};
    SoundFile file (sf_open (path.c_str(), SFM_READ, &info), sf_close);
    if (file == nullptr)
        throw std::runtime_error ("cannot read " + path + ": " + sf_strerror (nullptr));
    if (info.channels < 1 || info.samplerate < 1)
        throw std::runtime_error (path + " holds no audio");

    AudioData audio { static_cast<double> (info.samplerate), std::vector<std::vector<float>> (static_cast<size_t> (info.channels)) };
    std::vector<float> interleaved (static_cast<size_t> (framesPerRead * info.channels));
    for (;;)
    {
        const auto frames = sf_readf_float (file.get(), interleaved.data(), framesPerRead);
        if (frames <= 0)
            break;
        for (sf_count_t frame = 0; frame < frames; ++frame)
            for (int channel = 0; channel < info.channels; ++channel)
                audio.channels[static_cast<size_t> (channel)].push_back (interleaved[static_cast<size_t> (frame * info.channels + channel)]);
    }
    if (sf_error (file.get()) != SF_ERR_NO_ERROR)
        throw std::runtime_error ("cannot read " + path + ": " + sf_strerror (file.get()));
    return audio;
}

struct host::WavWriter::File
{
    SoundFile handle { nullptr, sf_close };
};

host::WavWriter::WavWriter (const std::string& pathToWrite, double sampleRate, int numChannels)
    : path (pathToWrite), file (std::make_unique<File>())
{
    SF_INFO info {};
    info.samplerate = static_cast<int> (sampleRate);
    info.channels = numChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_24;

    file->handle.reset (sf_open (path.c_str(), SFM_WRITE, &info));
    if (file->handle == nullptr)
        throw std::runtime_error ("cannot write " + path + ": " + sf_strerror (nullptr));
    // Clipping keeps an over-full sample at full scale instead of wrapping it.
    sf_command (file->handle.get(), SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

host::WavWriter::~WavWriter() = default;

void host::WavWriter::write (const AudioData& audio)
{
    std::vector<float> interleaved (static_cast<size_t> (audio.numSamples() * audio.numChannels()));
    for (int frame = 0; frame < audio.numSamples(); ++frame)
        for (int channel = 0; channel < audio.numChannels(); ++channel)
            interleaved[static_cast<size_t> (frame * audio.numChannels() + channel)] = audio.channels[static_cast<size_t> (channel)][static_cast<size_t> (frame)];

    if (sf_writef_float (file->handle.get(), interleaved.data(), audio.numSamples()) != audio.numSamples())
        throw std::runtime_error ("cannot write " + path + ": " + sf_strerror (file->handle.get()));
}

void host::writeWavFile (const std::string& path, const AudioData& audio)
{
    WavWriter (path, audio.sampleRate, audio.numChannels()).write (audio);
}
