// AudioFile.h: audio files read and written with libsndfile, as planar float channels.
#pragma once

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

    // Writes 24-bit PCM WAV; throws std::runtime_error when it cannot.
    void writeWavFile (const std::string& path, const AudioData& audio);
}
