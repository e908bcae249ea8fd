// AudioFile.h: audio files read and written with libsndfile, as planar float channels.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace host
{
    struct AudioData
    {
        double sampleRate = 0.0;
        std::vector<std::vector<float>> channels; // all of the same length

        int numChannels() const noexcept { return static_cast<int> (channels.size()); }
        int numSamples() const noexcept { return channels.empty() ? 0 : static_cast<int> (channels.front().size()); }
    };

    // Throws std::runtime_error with libsndfile's reason when the file is
    // missing, unreadable or not audio.
    AudioData readAudioFile (const std::string& path);

    // A 24-bit PCM WAV file, created when constructed so that a path that
    // cannot be written is reported before any work is done. Throws
    // std::runtime_error naming the file when it cannot be created or written.
    class WavWriter
    {
    public:
        WavWriter (const std::string& path, double sampleRate, int numChannels);
        WavWriter (const WavWriter&) = delete;
        WavWriter& operator= (const WavWriter&) = delete;
        ~WavWriter();

        // Appends the audio, which has the channel count given at creation.
        void write (const AudioData& audio);

    private:
        std::string path;
        struct File;
        std::unique_ptr<File> file;
    };

    // The whole file at once, as WavWriter writes it.
    void writeWavFile (const std::string& path, const AudioData& audio);
}
