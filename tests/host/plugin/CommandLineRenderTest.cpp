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
#include <memory>
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

    // Mono audio through libsndfile's double samples, each moved by a few
    // billionths: below the step of 24-bit and float samples, which round it
    // away, but held by 32-bit integer and 64-bit float ones.
    void writeAtFullPrecision (const std::string& path, const host::AudioData& audio, const host::OutputFormat& format)
    {
        SF_INFO info { 0, static_cast<int> (audio.sampleRate), 1, format.sndfileFormat, 0, 0 };
        std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> file (sf_open (path.c_str(), SFM_WRITE, &info), sf_close);
        ASSERT_TRUE (file) << sf_strerror (nullptr);
        std::vector<double> samples;
        for (size_t i = 0; i < audio.channels[0].size(); ++i)
            samples.push_back (audio.channels[0][i] + 1e-9 * double (i % 5));
        sf_writef_double (file.get(), samples.data(), static_cast<sf_count_t> (samples.size()));
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
        EXPECT_TRUE (contains (piped.output, "kick_host: warning: the header of - was never finished")) << which << "\n" << piped.output;
        EXPECT_FALSE (contains (piped.output, "truncated")) << which << "\n" << piped.output;
        EXPECT_EQ (host::readAudioFile (folder / "piped.wav").channels, expected.channels) << which;

        // In place, as a user mends a recording.
        const auto run = kickHost ("--in " + folder / "z.wav" + " --out " + folder / "z.wav" + settings);
        ASSERT_EQ (run.exitCode, 0) << which << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "2 channels at 48000 Hz, 0.5 s")) << which << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "kick_host: warning: the header of " + folder / "z.wav" + " was never finished (its data size reads "
                                               + (size == 0 ? "0" : "0xFFFFFFFF") + "); the " + frames
                                               + " frames to its end were rendered"))
            << which << "\n" << run.output;
        EXPECT_FALSE (contains (run.output, "truncated")) << which << "\n" << run.output;
        EXPECT_EQ (host::readAudioFile (folder / "z.wav").channels, expected.channels) << which;
    }
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "piped.wav", "reference.wav", "whole.wav", "z.wav" }));
}

// An empty data chunk that another chunk follows was finished so: the
// chunk's bytes are not audio.
TEST (CommandLineRender, AFinishedEmptyWavWithAChunkAfterItsDataHoldsNoAudio)
{
    const Folder folder;
    const auto le = [] (uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char> (value >> (8 * i));
        return text;
    };
    const std::string format = le (1, 2) + le (2, 2) + le (48000, 4) + le (48000 * 4, 4) + le (4, 2) + le (16, 2);
    const std::string list = "INFOICMT" + le (64, 4) + std::string (64, 'x');
    const std::string body = "WAVEfmt " + le (16, 4) + format + "data" + le (0, 4) + "LIST" + le (static_cast<uint32_t> (list.size()), 4) + list;
    std::ofstream (folder / "empty.wav", std::ios::binary) << "RIFF" << le (static_cast<uint32_t> (body.size()), 4) << body;

    const auto run = kickHost ("--in " + folder / "empty.wav" + " --out " + folder / "out.wav --set \"Kick Sub=60\"");
    EXPECT_EQ (run.exitCode, 0) << run.output;
    EXPECT_FALSE (contains (run.output, "never finished")) << run.output;
    EXPECT_EQ (host::readAudioFile (folder / "out.wav").numFrames(), 0) << run.output;
}

//==============================================================================
// Every sample passes the effect as 32-bit float: input deeper than that, or
// an output format shallower than the input, cannot come out as it went in.
TEST (CommandLineRender, SaysTheOutputEqualsTheInputOnlyWhenItDoes)
{
    const Folder folder;
    const auto kick = oneShot (44100.0, 1);
    const host::OutputFormat pcm32 { SF_FORMAT_WAV | SF_FORMAT_PCM_32, "32-bit integer WAV", false };
    const host::OutputFormat double64 { SF_FORMAT_WAV | SF_FORMAT_DOUBLE, "64-bit float WAV", true };
    const std::string equals = "The output equals the input, sample for sample\n";
    const struct
    {
        host::OutputFormat input;
        std::string output;
        std::string loss; // what the settings line says the output's format loses, after "; "
    } cases[] {
        { pcm16, "out.wav", "" },
        { pcm24, "out.wav --bits 24", "" },
        { pcm24, "out.flac", "" },
        { float32, "out.aiff", "" },
        { pcm32, "out.wav", "the output is the input rounded to 24 bits, as the effect takes 32-bit float samples" },
        { double64, "out.wav", "the output is the input rounded to 32-bit float, as the effect takes 32-bit float samples" },
        { pcm24, "out.wav --bits 16", "the output is the input rounded to 16-bit integers" },
        { float32, "out.flac", "the output is the input rounded to 24-bit integers" },
        { pcm16, "out.ogg", "the output is the input encoded as Ogg Vorbis, which is lossy" },
    };
    for (const auto& each : cases)
    {
        writeAtFullPrecision (folder / "in.wav", kick, each.input);
        const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / each.output);
        ASSERT_EQ (run.exitCode, 0) << run.output;
        EXPECT_TRUE (contains (run.output, "Settings: none given, so every parameter is at its neutral default"
                                               + (each.loss.empty() ? "" : "; " + each.loss) + "\n"))
            << each.input.description << " to " << each.output << "\n" << run.output;
        EXPECT_EQ (contains (run.output, equals), each.loss.empty()) << each.input.description << " to " << each.output << "\n" << run.output;

        // What is said holds, sample for sample, read at full precision.
        const auto name = folder / each.output.substr (0, each.output.find (' '));
        SF_INFO inInfo {}, outInfo {};
        std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> in (sf_open ((folder / "in.wav").c_str(), SFM_READ, &inInfo), sf_close);
        std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> out (sf_open (name.c_str(), SFM_READ, &outInfo), sf_close);
        ASSERT_TRUE (in && out);
        std::vector<double> original (static_cast<size_t> (inInfo.frames)), written (static_cast<size_t> (outInfo.frames));
        sf_readf_double (in.get(), original.data(), inInfo.frames);
        sf_readf_double (out.get(), written.data(), outInfo.frames);
        EXPECT_EQ (original == written, each.loss.empty()) << each.input.description << " to " << each.output;
    }

    // Float input can hold what the effect does not keep: subnormal samples,
    // which it takes as zero, and samples that are not finite. Equality is
    // decided from the samples read and written, so it is not claimed then.
    const struct
    {
        const char* what;
        std::vector<float> odd;
    } oddities[] {
        { "subnormal", { std::numeric_limits<float>::denorm_min(), -1e-40f, 1e-39f } },
        { "not a number", { std::numeric_limits<float>::quiet_NaN() } },
        { "infinite", { std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity() } },
    };
    for (const auto& [what, odd] : oddities)
    {
        auto audio = oneShot (44100.0, 2);
        for (size_t i = 0; i < odd.size(); ++i)
            audio.channels[i % 2][1000 + 37 * i] = odd[i];
        host::writeAudioFile (folder / "odd.wav", audio, float32);
        const auto run = kickHost ("--in " + folder / "odd.wav" + " --out " + folder / "odd_out.wav");
        ASSERT_EQ (run.exitCode, 0) << what << "\n" << run.output;
        EXPECT_FALSE (contains (run.output, "equals the input")) << what << "\n" << run.output;

        const auto written = host::readAudioFile (folder / "odd_out.wav");
        int64_t differing = 0;
        for (size_t c = 0; c < audio.channels.size(); ++c)
            for (size_t i = 0; i < audio.channels[c].size(); ++i)
                differing += written.channels[c][i] == audio.channels[c][i] ? 0 : 1;
        EXPECT_EQ (differing, static_cast<int64_t> (odd.size())) << what;
        EXPECT_TRUE (contains (run.output, "The output differs from the input in " + std::to_string (differing) + " sample"))
            << what << "\n" << run.output;
    }
}

TEST (CommandLineRender, AnInputIsMeasuredAndNamedForWhatItIs)
{
    const Folder folder;

    // An MP3 declares no length: libsndfile estimates one from its bit rate,
    // which a complete file need not reach. Without its first frame (the
    // encoder's note of the length) the estimate is all there is.
    SF_INFO info { 0, 44100, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 0, 0 };
    if (sf_format_check (&info) == SF_TRUE)
    {
        {
            std::unique_ptr<SNDFILE, int (*) (SNDFILE*)> mp3 (sf_open ((folder / "encoded.mp3").c_str(), SFM_WRITE, &info), sf_close);
            ASSERT_TRUE (mp3);
            int constant = SF_BITRATE_MODE_CONSTANT;
            sf_command (mp3.get(), SFC_SET_BITRATE_MODE, &constant, sizeof (constant));
            const auto kicks = host::renderKickPattern (44100.0, 1);
            std::vector<float> interleaved;
            for (const float sample : kicks)
                interleaved.insert (interleaved.end(), { sample, sample });
            sf_writef_float (mp3.get(), interleaved.data(), static_cast<sf_count_t> (kicks.size()));
        }
        // A frame of 128 kbit/s at 44.1 kHz, unpadded, takes 144 * 128000 / 44100 bytes.
        const auto encoded = contents (folder / "encoded.mp3");
        ASSERT_EQ (encoded.substr (36, 4), "Info") << "the first frame is not the encoder's note";
        std::ofstream (folder / "kick.mp3", std::ios::binary) << encoded.substr (144 * 128000 / 44100);

        const auto run = kickHost ("--in " + folder / "kick.mp3" + " --out " + folder / "out.wav");
        ASSERT_EQ (run.exitCode, 0) << run.output;
        EXPECT_TRUE (contains (run.output, "2 channels at 44100 Hz, about ")) << run.output;
        EXPECT_FALSE (contains (run.output, "truncated")) << run.output;
        EXPECT_EQ (host::readAudioFile (folder / "out.wav").numFrames(), host::readAudioFile (folder / "kick.mp3").numFrames());
    }

    ASSERT_EQ (::mkdir ((folder / "kicks").c_str(), 0777), 0);
    const auto folderIn = kickHost ("--in " + folder / "kicks" + " --out " + folder / "out.wav");
    EXPECT_EQ (folderIn.exitCode, 1) << folderIn.output;
    EXPECT_TRUE (contains (folderIn.output, "kick_host: cannot read " + folder / "kicks" + ": it is a folder, not an audio file"))
        << folderIn.output;

    // libsndfile loses sync in FLAC from a pipe or FIFO; redirected from the file, standard input is the file.
    host::writeAudioFile (folder / "kick.flac", oneShot (44100.0, 2), host::outputFormatFor ("x.flac", std::nullopt));
    const auto piped = kickHost ("--in - --out " + folder / "piped.wav", "cat '" + folder / "kick.flac" + "' |");
    EXPECT_EQ (piped.exitCode, 1) << piped.output;
    EXPECT_TRUE (contains (piped.output, "kick_host: cannot read -: FLAC cannot be read from a pipe or FIFO, where libsndfile loses sync "
                                         "in it; name the file itself, or redirect it into standard input (--in - < FILE.flac)"))
        << piped.output;
    const auto redirected = kickHost ("--in - --out " + folder / "redirected.wav", "< '" + folder / "kick.flac" + "'");
    EXPECT_EQ (redirected.exitCode, 0) << redirected.output;
}

// A bad setting is a mistake on the command line whatever the input: it is
// refused before any input is opened, which may wait for a writer for ever.
TEST (CommandLineRender, EveryUsageErrorIsRefusedBeforeTheInputIsOpened)
{
    const Folder folder;
    ASSERT_EQ (::mkfifo ((folder / "in.fifo").c_str(), 0666), 0);
    const std::string badSettings[] { "--set \"Kick Bass=10\"", "--set \"Kick Sub=150\"", "--set \"Kick Sub=6e1\"",
                                      "--set \"Kick Sub=1\" --set \"kick sub=2\"" };
    for (const auto& setting : badSettings)
    {
        const auto missing = kickHost ("--in " + folder / "missing.wav" + " --out " + folder / "out.wav " + setting);
        EXPECT_EQ (missing.exitCode, 2) << setting << "\n" << missing.output;
        EXPECT_FALSE (contains (missing.output, "cannot read")) << setting << "\n" << missing.output;

        // No one writes to the FIFO: opening it would wait for ever.
        Background render ("--in '" + folder / "in.fifo" + "' --out '" + folder / "out.wav' " + setting);
        const int status = render.waitForEnd();
        EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 2) << setting << ": status " << status << "\n" << render.errors;
    }
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "in.fifo" });
}

TEST (CommandLineRender, ANumberIsAcceptedOnlyWhenItIsExactlyOneOfTheParametersValues)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", oneShot (8000.0, 1), pcm16);
    for (const std::string name : { "Kick Sub", "Kick Mid", "Kick Width" })
    {
        for (const std::string text : { "60", "60.0", "060", "+60", "60.000000000000000000000" })
        {
            const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav --set \"" + name + "=" + text + "\"");
            EXPECT_EQ (run.exitCode, 0) << name << " = " << text << "\n" << run.output;
            EXPECT_TRUE (contains (run.output, "Settings: " + name + " = 60.00\n")) << name << " = " << text << "\n" << run.output;
        }
        for (const std::string text : { "59.99999999", "60.00000001", "59.9999999", "60.5" })
        {
            const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav --set \"" + name + "=" + text + "\"");
            EXPECT_EQ (run.exitCode, 2) << name << " = " << text << "\n" << run.output;
            EXPECT_TRUE (contains (run.output, name + " moves in steps of 1: " + text + " is between ")) << run.output;
        }
        for (const std::string text : { "6e1", "6E1", "600e-1" })
        {
            const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav --set \"" + name + "=" + text + "\"");
            EXPECT_EQ (run.exitCode, 2) << name << " = " << text << "\n" << run.output;
            EXPECT_TRUE (contains (run.output, name + " takes a number, not \"" + text + "\": a plain decimal number")) << run.output;
        }
    }
}

TEST (CommandLineRender, AScreenshotNotNamedAsAPngIsRefusedBeforeAnyWork)
{
    const Folder folder;
    for (const std::string name : { "window.jpg", "window", "window.png.jpg", ".png" })
    {
        const auto run = kickHost ("--out " + folder / "out.wav" + " --screenshot " + folder / name);
        EXPECT_EQ (run.exitCode, 2) << name << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "--screenshot " + folder / name + " names no .png file; the picture is a PNG")) << run.output;
        EXPECT_FALSE (contains (run.output, "Loaded")) << "refused only after some work\n" << run.output;
    }
    EXPECT_TRUE (folder.entries().empty());
}

//==============================================================================
TEST (CommandLineRender, TheSummarySaysWhichPeakALossyFileHasAndFailuresGoToStandardErrorNamingTheFile)
{
    const Folder folder;
    const auto lossy = kickHost ("--out " + folder / "kick.ogg");
    ASSERT_EQ (lossy.exitCode, 0) << lossy.output;
    EXPECT_TRUE (contains (lossy.output, "(Ogg Vorbis, 8.0 s, peak before encoding ")) << lossy.output;
    const auto exact = kickHost ("--out " + folder / "kick.flac");
    ASSERT_EQ (exact.exitCode, 0) << exact.output;
    EXPECT_TRUE (contains (exact.output, "(24-bit FLAC, 8.0 s, peak -")) << exact.output;

    // Files cut short as they are written and as they are completed: standard
    // output holds only what kick_host says of its own work, and standard
    // error the failure with the file it is about.
    for (const std::string name : { "kick.wav", "kick.flac", "kick.ogg" })
    {
        for (const std::string limit : { "1", "10" })
        {
            Background render ("--out '" + folder / name + "'", "ulimit -f " + limit + ";");
            const int status = render.waitForEnd();
            EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << name << ": status " << status << "\n" << render.errors;
            EXPECT_EQ (render.errors, "kick_host: cannot write " + folder / name + ": File too large\n") << name;
            for (const std::string line : { "Loaded ", "Input: ", "Settings: " })
                EXPECT_TRUE (contains (render.output, line)) << render.output;
            EXPECT_EQ (std::count (render.output.begin(), render.output.end(), '\n'), 3) << render.output;
        }
    }
}

TEST (CommandLineRender, CountsAgreeWithOneAndControlCharactersInNamesAreEscaped)
{
    const Folder folder;
    auto kick = oneShot (8000.0, 1);
    kick.channels[0][10] = std::numeric_limits<float>::quiet_NaN();
    kick.channels[0][20] = 1.5f;
    const auto input = folder / "odd\nkick.wav";
    host::writeAudioFile (input, kick, float32);

    Background run ("--in \"$(printf '" + folder / "odd\\nkick.wav" + "')\" --out \"$(printf '" + folder / "out\\n.wav" + "')\" --bits 16");
    const int status = run.waitForEnd();
    ASSERT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 0) << run.output << run.errors;
    EXPECT_TRUE (contains (run.output, "Input: " + folder / "odd\\nkick.wav" + ", 1 channel at 8000 Hz, 0.5 s\n")) << run.output;
    EXPECT_TRUE (contains (run.output, "Wrote " + folder / "out\\n.wav" + " (16-bit WAV")) << run.output;
    EXPECT_TRUE (contains (run.errors, "kick_host: warning: " + folder / "odd\\nkick.wav"
                                           + " holds 1 sample that is not finite (NaN or infinity); the effect turned it into silence\n"))
        << run.errors;
    EXPECT_TRUE (contains (run.errors, "kick_host: warning: 1 sample above full scale (peak +3.5 dBFS) was clipped in this 16-bit WAV file"))
        << run.errors;
    EXPECT_EQ (host::readAudioFile (folder / "out\n.wav").numFrames(), kick.numFrames());

    // A header that declares 1 frame its file does not hold; a failure naming a file with a control character.
    host::writeAudioFile (folder / "short.wav", { 8000.0, { {} } }, pcm16);
    overwrite32 (folder / "short.wav", 4, 36 + 2);
    overwrite32 (folder / "short.wav", dataSizeField (contents (folder / "short.wav")), 2);
    const auto cut = kickHost ("--in " + folder / "short.wav" + " --out " + folder / "cut.wav");
    EXPECT_TRUE (contains (cut.output, "is truncated: its header declares 1 frame but it holds 0")) << cut.output;
    const auto missing = kickHost ("--in \"$(printf '" + folder / "no\\tsuch.wav" + "')\" --out " + folder / "x.wav");
    EXPECT_EQ (missing.exitCode, 1) << missing.output;
    EXPECT_TRUE (contains (missing.output, "kick_host: cannot read " + folder / "no\\tsuch.wav" + ": No such file or directory\n")) << missing.output;
}
