// kick_host renders what its input holds, with every setting in force from the first sample, and says only what is true of the result.
#include "AudioFile.h"
#include "KickPattern.h"
#include "support/KickHostRun.h"

#include <gtest/gtest.h>

#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace
{
    using namespace kick_host_run;

    const host::OutputFormat pcm16 = host::outputFormatFor ("x.wav", host::SampleDepth::int16);
    const host::OutputFormat pcm24 = host::outputFormatFor ("x.wav", host::SampleDepth::int24);
    const host::OutputFormat float32 = host::outputFormatFor ("x.wav", host::SampleDepth::float32);

    // One kick that starts on the first sample, as a sample library's one-shot
    // does. In stereo the right channel is quieter and a little late, so
    // that the stereo stages have a side signal to work on.
    host::AudioData oneShot (double sampleRate, int channels)
    {
        const auto pattern = host::renderKickPattern (sampleRate, 1);
        std::vector<float> kick (pattern.begin(), pattern.begin() + static_cast<long> (pattern.size() / 4));
        host::AudioData audio { sampleRate, { kick } };
        if (channels == 2)
        {
            constexpr size_t delay = 7;
            std::vector<float> right (kick.size(), 0.0f);
            for (size_t i = delay; i < kick.size(); ++i)
                right[i] = 0.7f * kick[i - delay];
            audio.channels.push_back (right);
        }
        return audio;
    }

    host::AudioData afterSilence (host::AudioData audio, int64_t frames)
    {
        for (auto& channel : audio.channels)
            channel.insert (channel.begin(), static_cast<size_t> (frames), 0.0f);
        return audio;
    }

    // The largest difference between `a` and `b` from frame `offset` of `b` on.
    double largestDifference (const host::AudioData& a, const host::AudioData& b, int64_t offset = 0)
    {
        if (a.numChannels() != b.numChannels() || b.numFrames() - offset != a.numFrames())
            return std::numeric_limits<double>::infinity();
        double largest = 0.0;
        for (size_t c = 0; c < a.channels.size(); ++c)
            for (size_t i = 0; i < a.channels[c].size(); ++i)
                largest = std::max (largest, std::abs (double (a.channels[c][i]) - double (b.channels[c][i + static_cast<size_t> (offset)])));
        return largest;
    }

    // A 32-bit unsigned little-endian field of a file, overwritten in place.
    void overwrite32 (const std::string& path, size_t at, uint32_t value)
    {
        std::fstream file (path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp (static_cast<std::streamoff> (at));
        for (int i = 0; i < 4; ++i)
            file.put (static_cast<char> (value >> (8 * i)));
    }

    size_t dataSizeField (const std::string& wave)
    {
        return wave.find ("data", 12) + 4;
    }

    // What a recorder that never finished its header leaves: the RIFF and data
    // sizes it wrote first, 0 (or 0xFFFFFFFF, "unknown", from a writer to a pipe).
    void unfinish (const std::string& path, uint32_t size)
    {
        overwrite32 (path, 4, size);
        overwrite32 (path, dataSizeField (contents (path)), size);
    }
}

//==============================================================================
// A fresh instance glides from its construction values to its settings; the
// render must not hear that glide, or the attack of every one-shot is wrong.
TEST (CommandLineRender, EverySettingIsInForceFromTheFirstSample)
{
    const Folder folder;
    const std::string settingsCases[] {
        "--set \"Kick Harmonics=50\" --set \"Kick Pressure=40\" --set \"Kick Comp=50\"",
        "--set \"Kick Trans=50\"",
        "--set \"Kick Sub=60\" --set \"Kick Sub Freq=F\" --set \"Kick Air=50\" --set \"Kick Mid=150\"",
        "--set \"Kick Width=150\" --set \"Kick Mid=50\"",
        strongSettings,
    };

    for (const double sampleRate : { 44100.0, 48000.0 })
    {
        for (const int channels : { 1, 2 })
        {
            const auto kick = oneShot (sampleRate, channels);
            const auto silence = static_cast<int64_t> (sampleRate); // one second
            host::writeAudioFile (folder / "kick.wav", kick, float32);
            host::writeAudioFile (folder / "late.wav", afterSilence (kick, silence), float32);
            const auto where = std::to_string (int (sampleRate)) + " Hz, " + std::to_string (channels) + " channels, ";

            for (const auto& settings : settingsCases)
            {
                const auto direct = kickHost ("--in " + folder / "kick.wav" + " --out " + folder / "direct.wav " + settings);
                ASSERT_EQ (direct.exitCode, 0) << direct.output;
                const auto late = kickHost ("--in " + folder / "late.wav" + " --out " + folder / "late_out.wav " + settings);
                ASSERT_EQ (late.exitCode, 0) << late.output;

                const auto rendered = host::readAudioFile (folder / "direct.wav");
                EXPECT_GT (largestDifference (kick, rendered), 1e-3) << where << settings << ": the settings did nothing to the kick";
                EXPECT_LE (largestDifference (rendered, host::readAudioFile (folder / "late_out.wav"), silence), 1e-6)
                    << where << settings << ": the kick sounds different after a second of silence";
            }
        }
    }
}

// The silence that settles the settings is no reason to touch the samples of
// a render that changes nothing.
TEST (CommandLineRender, WithNothingSetOrWithTheHostsBypassTheOutputIsTheInputSampleForSample)
{
    const Folder folder;
    const host::OutputFormat formats[] { pcm16, pcm24, float32 };
    for (const auto& format : formats)
    {
        for (const int channels : { 1, 2 })
        {
            host::writeAudioFile (folder / "in.wav", oneShot (44100.0, channels), format);
            const auto original = host::readAudioFile (folder / "in.wav");
            for (const std::string& settings : { std::string(), "--set \"Master Bypass=On\" " + strongSettings })
            {
                const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav " + settings);
                ASSERT_EQ (run.exitCode, 0) << run.output;
                EXPECT_EQ (host::readAudioFile (folder / "out.wav").channels, original.channels)
                    << format.description << " in, " << channels << " channels, " << (settings.empty() ? "nothing set" : settings);
            }
        }
    }
}

//==============================================================================
TEST (CommandLineRender, AWavWhoseHeaderWasNeverFinishedIsRenderedToItsEndWithAWarning)
{
    const Folder folder;
    const auto kick = oneShot (48000.0, 2);
    host::writeAudioFile (folder / "whole.wav", kick, pcm16);
    const std::string settings = " --set \"Kick Sub=60\"";
    const auto reference = kickHost ("--in " + folder / "whole.wav" + " --out " + folder / "reference.wav" + settings);
    ASSERT_EQ (reference.exitCode, 0) << reference.output;
    const auto expected = host::readAudioFile (folder / "reference.wav");
    const auto frames = std::to_string (kick.numFrames());

    for (const uint32_t size : { 0u, 0xFFFFFFFFu })
    {
        const auto which = size == 0 ? "sizes of 0" : "sizes of 0xFFFFFFFF";
        std::system (("cp '" + folder / "whole.wav" + "' '" + folder / "z.wav" + "'").c_str());
        unfinish (folder / "z.wav", size);

        // Through a pipe first, while the file is still the unfinished one.
        const auto piped = kickHost ("--in - --out " + folder / "piped.wav" + settings, "cat '" + folder / "z.wav" + "' |");
        ASSERT_EQ (piped.exitCode, 0) << which << "\n" << piped.output;
        EXPECT_TRUE (contains (piped.output, "Input: -, 2 channels at 48000 Hz, length not known until it is read")) << which << "\n" << piped.output;
        EXPECT_TRUE (contains (piped.output, "kick_host: warning: -'s header was never finished")) << which << "\n" << piped.output;
        EXPECT_FALSE (contains (piped.output, "truncated")) << which << "\n" << piped.output;
        EXPECT_EQ (host::readAudioFile (folder / "piped.wav").channels, expected.channels) << which;

        // In place, as a user mends a recording.
        const auto run = kickHost ("--in " + folder / "z.wav" + " --out " + folder / "z.wav" + settings);
        ASSERT_EQ (run.exitCode, 0) << which << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "2 channels at 48000 Hz, 0.5 s")) << which << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "kick_host: warning: " + folder / "z.wav" + "'s header was never finished (its data size reads "
                                               + (size == 0 ? "0" : "0xFFFFFFFF") + "); the " + frames
                                               + " frames to its end were rendered"))
            << which << "\n" << run.output;
        EXPECT_FALSE (contains (run.output, "truncated")) << which << "\n" << run.output;
        EXPECT_EQ (host::readAudioFile (folder / "z.wav").channels, expected.channels) << which;
    }
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "piped.wav", "reference.wav", "whole.wav", "z.wav" }));
}
