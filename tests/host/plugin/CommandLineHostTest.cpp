// kick_host, the command-line host: what it renders, what it writes, and how it refuses bad input without losing a file.
#include "AudioFile.h"
#include "FormattedNumber.h"
#include "KickPattern.h"
#include "support/KickHostRun.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace
{
    using namespace kick_host_run;

    float peak (const host::AudioData& audio)
    {
        float result = 0.0f;
        for (const auto& channel : audio.channels)
            for (const float sample : channel)
                result = std::max (result, std::abs (sample));
        return result;
    }

    host::AudioData kicks (double sampleRate, int bars, int channels = 1)
    {
        return { sampleRate, std::vector<std::vector<float>> (static_cast<size_t> (channels), host::renderKickPattern (sampleRate, bars)) };
    }

    const host::OutputFormat pcm16 = host::outputFormatFor ("x.wav", host::SampleDepth::int16);
    const host::OutputFormat float32 = host::outputFormatFor ("x.wav", host::SampleDepth::float32);
    // The format tag of a RIFF WAVE file's fmt chunk: 1 for PCM, 3 for float, 0xFFFE for the extensible form.
    int waveFormatTag (const std::string& wave)
    {
        const auto at = wave.find ("fmt ", 12);
        if (wave.compare (0, 4, "RIFF") != 0 || at == std::string::npos || at + 10 > wave.size())
            return -1;
        return static_cast<unsigned char> (wave[at + 8]) | static_cast<unsigned char> (wave[at + 9]) << 8;
    }

    // The peak in dBFS that the "Wrote ..." line reports.
    double reportedPeak (const std::string& output)
    {
        const auto at = output.find (", peak ", output.find ("Wrote "));
        return at == std::string::npos ? -1000.0 : std::strtod (output.c_str() + at + 7, nullptr);
    }

    // The header of an RF64 file of 32-bit float samples whose ds64 chunk declares `frames`.
    std::string rf64FloatHeader (uint16_t channels, uint32_t sampleRate, uint64_t frames)
    {
        std::string header;
        auto put = [&header] (uint64_t value, size_t bytes) {
            for (size_t i = 0; i < bytes; ++i)
                header += static_cast<char> (value >> (8 * i));
        };
        const uint32_t bytesPerFrame = 4u * channels;
        header += "RF64";
        put (0xFFFFFFFFu, 4);
        header += "WAVEds64";
        put (28, 4);
        put (frames * bytesPerFrame + 72, 8); // the RIFF size
        put (frames * bytesPerFrame, 8);      // the data size
        put (frames, 8);
        put (0, 4); // no table
        header += "fmt ";
        put (16, 4);
        put (3, 2); // IEEE float
        put (channels, 2);
        put (sampleRate, 4);
        put (sampleRate * bytesPerFrame, 4);
        put (bytesPerFrame, 2);
        put (32, 2);
        header += "data";
        put (0xFFFFFFFFu, 4);
        return header;
    }

    // A 16-bit stereo PCM WAV file's bytes, its header stating `sampleRate` whatever that is.
    std::string stereoWave16 (uint32_t sampleRate, const std::string& samples)
    {
        std::string wave;
        auto put = [&wave] (uint32_t value, size_t bytes) {
            for (size_t i = 0; i < bytes; ++i)
                wave += static_cast<char> (value >> (8 * i));
        };
        wave += "RIFF";
        put (static_cast<uint32_t> (36 + samples.size()), 4);
        wave += "WAVEfmt ";
        put (16, 4);
        put (1, 2);
        put (2, 2);
        put (sampleRate, 4);
        put (176400, 4); // the byte rate, which no reader needs
        put (4, 2);
        put (16, 2);
        wave += "data";
        put (static_cast<uint32_t> (samples.size()), 4);
        return wave + samples;
    }

    // CPU seconds of the children reaped so far, user and system.
    double childrensWork()
    {
        rusage usage {};
        ::getrusage (RUSAGE_CHILDREN, &usage);
        return double (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + 1e-6 * double (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
    }

    // CPU seconds a running process has had so far, all its threads, user and system.
    double workOf (pid_t pid)
    {
        // /proc/PID/stat: "PID (COMM) STATE ..." with utime and stime the 12th and 13th fields after the name.
        const auto stat = contents ("/proc/" + std::to_string (pid) + "/stat");
        std::istringstream fields (stat.substr (stat.rfind (')') + 2));
        std::string field;
        double ticks = 0.0;
        for (int i = 0; i < 13 && fields >> field; ++i)
            ticks += i >= 11 ? std::strtod (field.c_str(), nullptr) : 0.0;
        return ticks / double (::sysconf (_SC_CLK_TCK));
    }

    // The signals that stop a render, as its messages name them.
    const std::pair<int, const char*> stopSignals[] { { SIGINT, "SIGINT" }, { SIGTERM, "SIGTERM" }, { SIGHUP, "SIGHUP" } };
}

TEST (CommandLineHost, RendersTheBuiltInKickPatternThroughTheModule)
{
    const Folder folder;
    const auto run = kickHost ("--out " + folder / "kick.wav");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (contains (run.output, "Loaded VANTO Groundwork Kick (com.VANTO.VANTOGroundworkKick) by VANTO")) << run.output;
    EXPECT_TRUE (contains (run.output, "Kick Sub = 60.00")) << run.output;
    EXPECT_TRUE (contains (run.output, "32-bit float WAV")) << run.output;

    const auto rendered = host::readAudioFile (folder / "kick.wav");
    EXPECT_EQ (rendered.numChannels(), 2);
    EXPECT_EQ (rendered.sampleRate, 48000.0);
    EXPECT_EQ (rendered.numFrames(), 4 * 4 * 24000);
    EXPECT_GT (peak (rendered), 0.1f);
    EXPECT_LT (peak (rendered), 1.0f) << "the built-in settings must not clip";
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "kick.wav" }) << "a temporary file was left";
}

TEST (CommandLineHost, ProcessesAUsersFileWithNamesAndChoicesInAnyCaseAndFlats)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (44100.0, 1), pcm16);

    const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav"
                               + " --set \"kick sub=60\" --set \"KICK SUB FREQ=bb\" --set \"graph mode=spec\"");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (contains (run.output, "Kick Sub = 60.00, Kick Sub Freq = A#, Graph mode = Spec")) << run.output;

    const auto original = host::readAudioFile (folder / "in.wav");
    const auto rendered = host::readAudioFile (folder / "out.wav");
    EXPECT_EQ (rendered.numChannels(), 1);
    EXPECT_EQ (rendered.sampleRate, 44100.0);
    EXPECT_EQ (rendered.numFrames(), original.numFrames());
    EXPECT_NE (rendered.channels, original.channels);
}

TEST (CommandLineHost, WithoutSettingsTheOutputEqualsTheInputAndSaysSo)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (48000.0, 1, 2), float32);

    const auto run = kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (contains (run.output, "every parameter is at its neutral default\n")) << run.output;
    EXPECT_TRUE (contains (run.output, "The output equals the input, sample for sample\n")) << run.output;
    EXPECT_EQ (host::readAudioFile (folder / "out.wav").channels, host::readAudioFile (folder / "in.wav").channels);
}

TEST (CommandLineHost, ListsEveryChoiceAndWhichGraphModesShowADisplay)
{
    const auto run = kickHost ("--list");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (contains (run.output, "Graph mode = Freq   (Wave, Freq, Spec or Osc; Wave shows the waveform and Freq the spectrum")) << run.output;
    EXPECT_TRUE (contains (run.output, "Kick Sub Freq = C   (C, C#, D, D#, E, F, F#, G, G#, A, A# or B")) << run.output;
    EXPECT_TRUE (contains (run.output, "Kick Sub = 0.00   (0.00 to 100.00 in steps of 1)")) << run.output;
    EXPECT_TRUE (contains (run.output, "Master Bypass = Off   (Off or On)")) << run.output;
}

TEST (CommandLineHost, RefusesWhatItCannotUseWithAClearMessageAndWritesNothing)
{
    const Folder folder;
    std::ofstream (folder / "not_audio.txt") << "this is not audio\n";
    const auto out = folder / "never_written.wav";

    const struct
    {
        std::string arguments;
        int exitCode;
        std::string message;
    } cases[] {
        { "--module /nonexistent/VANTOGroundworkKick.so", 1, "cannot load /nonexistent/VANTOGroundworkKick.so" },
        { "--in /nonexistent/input.wav", 1, "cannot read /nonexistent/input.wav" },
        { "--in " + folder / "not_audio.txt", 1, "cannot read " + folder / "not_audio.txt" },
        { "--set \"Kick Bass=3\"", 2, "unknown parameter \"Kick Bass\"" },
        { "--set \"Kick Sub=150\"", 2, "Kick Sub = 150 is out of range: 0.00 to 100.00" },
        { "--set \"Kick Sub=-1\"", 2, "out of range" },
        { "--set \"Kick Sub=loud\"", 2, "Kick Sub takes a number, not \"loud\": a plain decimal number from 0.00 to 100.00" },
        { "--set \"Kick Sub=0x20\"", 2, "Kick Sub takes a number, not \"0x20\"" },
        { "--set \"Kick Sub=" + std::string (100000, '1') + "\"", 2, "Kick Sub = " + std::string (40, '1') + "... is out of range" },
        { "--set \"Kick Sub=33.333\"", 2, "Kick Sub moves in steps of 1: 33.333 is between 33 and 34" },
        // Closer to a value than a double can tell, or too small for one.
        { "--set \"Kick Sub=99.99999999999999999999\"", 2, "Kick Sub moves in steps of 1: 99.99999999999999999999 is between 99 and 100" },
        { "--set \"Kick Mid=199.9999999999999999\"", 2, "Kick Mid moves in steps of 1: 199.9999999999999999 is between 199 and 200" },
        { "--set \"Kick Sub=0." + std::string (400, '0') + "1\"", 2, "Kick Sub moves in steps of 1: 0." + std::string (38, '0') + "... is between 0 and 1" },
        { "--set \"Kick Sub Freq=H\"", 2, "has no choice \"H\"; choose one of C, C#, D" },
        { "--set KickSub", 2, "is not a setting" },
        { "--set \"Kick Sub=10\" --set \"kick sub=20\"", 2, "Kick Sub is set twice" },
        { "--in a.wav --in b.wav", 2, "--in is given twice" },
        { "--out a.wav", 2, "--out is given twice" },
        { "--module a.so --module b.so", 2, "--module is given twice" },
        { "--screenshot a.png --screenshot b.png", 2, "--screenshot is given twice" },
        { "--list --set \"Kick Sub=10\"", 2, "--list lists the parameters and renders nothing; it takes no --out" },
        { "--bits 32", 2, "--bits takes 16, 24 or float" },
        { "--volume 11", 2, "unknown option --volume" },
    };

    for (const auto& each : cases)
    {
        const auto run = kickHost (each.arguments + " --out " + out);
        EXPECT_EQ (run.exitCode, each.exitCode) << each.arguments << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, each.message)) << each.arguments << "\n" << run.output;
    }

    const struct
    {
        std::string out;
        std::string message;
    } formats[] {
        { "kick.mp4", "cannot tell the format of " },
        { "kick", "cannot tell the format of " },
        { "kick.flac --bits float", "FLAC holds 16- or 24-bit samples, not float" },
        { "kick.ogg --bits 16", "Ogg Vorbis file is lossy" },
    };
    for (const auto& each : formats)
    {
        const auto run = kickHost ("--out " + folder / each.out);
        EXPECT_EQ (run.exitCode, 2) << each.out << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, each.message)) << each.out << "\n" << run.output;
    }
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "not_audio.txt" }) << "nothing may be written after an error";
}

TEST (CommandLineHost, TheOutputFormatFollowsTheExtension)
{
    const Folder folder;
    const struct
    {
        std::string name;
        std::string magic;
        size_t at;
    } formats[] { { "kick.WAV", "WAVE", 8 }, { "kick.aiff", "AIFC", 8 }, { "kick.flac", "fLaC", 0 }, { "kick.ogg", "OggS", 0 } };

    for (const auto& each : formats)
    {
        const auto run = kickHost ("--out " + folder / each.name);
        ASSERT_EQ (run.exitCode, 0) << each.name << "\n" << run.output;
        EXPECT_EQ (contents (folder / each.name).substr (each.at, 4), each.magic) << each.name;
        EXPECT_EQ (host::readAudioFile (folder / each.name).numFrames(), 4 * 4 * 24000) << each.name;
    }

    // A WAV of known length is plain WAV, in the format tag readers of the
    // simple form expect (some refuse the extensible one for 16-bit PCM).
    const struct
    {
        std::string bits;
        int formatTag;
    } depths[] { { "16", 1 }, { "24", 1 }, { "float", 3 } };
    for (const auto& each : depths)
    {
        const auto run = kickHost ("--bits " + each.bits + " --out " + folder / "plain.wav");
        ASSERT_EQ (run.exitCode, 0) << each.bits << "\n" << run.output;
        EXPECT_EQ (waveFormatTag (contents (folder / "plain.wav")), each.formatTag) << each.bits;
    }
}

TEST (CommandLineHost, FloatOutputKeepsSamplesAboveFullScaleAndIntegerOutputSaysWhatItClipped)
{
    const Folder folder;
    const auto floatRun = kickHost (strongSettings + " --out " + folder / "float.wav");
    ASSERT_EQ (floatRun.exitCode, 0) << floatRun.output;
    const auto rendered = host::readAudioFile (folder / "float.wav");
    EXPECT_GT (peak (rendered), 1.5f);
    EXPECT_FALSE (contains (floatRun.output, "clipped")) << floatRun.output;

    // What the integer files clip, counted from the float file that kept it all.
    int64_t aboveFullScale = 0;
    for (const auto& channel : rendered.channels)
        aboveFullScale += std::count_if (channel.begin(), channel.end(), [] (float sample) { return std::abs (sample) > 1.0f; });
    const auto clipReport = std::to_string (aboveFullScale) + " samples above full scale (peak "
                            + host::formattedNumber ("%+.1f dBFS", 20.0 * std::log10 (peak (rendered))) + ") were clipped";

    for (const std::string bits : { "24", "16" })
    {
        const auto integerRun = kickHost (strongSettings + " --bits " + bits + " --out " + folder / "int.wav");
        ASSERT_EQ (integerRun.exitCode, 0) << integerRun.output;
        EXPECT_TRUE (contains (integerRun.output, clipReport + " in this " + bits + "-bit WAV file; to keep them, write 32-bit float"))
            << clipReport << "\n" << integerRun.output;
        const auto written = peak (host::readAudioFile (folder / "int.wav"));
        EXPECT_LE (written, 1.0f);
        // The summary tells the peak the file holds, not the render's.
        EXPECT_NEAR (reportedPeak (integerRun.output), 20.0 * std::log10 (written), 0.05) << integerRun.output;
    }
    EXPECT_NEAR (reportedPeak (floatRun.output), 20.0 * std::log10 (peak (rendered)), 0.05) << floatRun.output;
}

TEST (CommandLineHost, TruncatedAndNonFiniteInputIsRenderedWithAWarningThatCounts)
{
    const Folder folder;
    auto audio = kicks (8000.0, 1, 2);
    audio.channels[0][100] = std::numeric_limits<float>::quiet_NaN();
    audio.channels[1][200] = std::numeric_limits<float>::infinity();
    audio.channels[1][300] = -std::numeric_limits<float>::infinity();
    host::writeAudioFile (folder / "odd.wav", audio, float32);

    const auto run = kickHost ("--in " + folder / "odd.wav" + " --out " + folder / "odd_out.wav");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (contains (run.output, "holds 3 samples that are not finite")) << run.output;

    // 16000 frames of 8 bytes after a 44-byte header (80 for float); cut it to 10000 frames.
    const auto whole = contents (folder / "odd.wav");
    const auto header = whole.size() - 16000 * 8;
    std::ofstream (folder / "cut.wav", std::ios::binary) << whole.substr (0, header + 10000 * 8);
    const auto cut = kickHost ("--in " + folder / "cut.wav" + " --out " + folder / "cut_out.wav");
    ASSERT_EQ (cut.exitCode, 0) << cut.output;
    EXPECT_TRUE (contains (cut.output, "is truncated: its header declares 16000 frames but it holds 10000")) << cut.output;
    EXPECT_EQ (host::readAudioFile (folder / "cut_out.wav").numFrames(), 10000);

    // Through a pipe the header is libsndfile's to read, and it declares the same.
    const auto piped = kickHost ("--in - --out " + folder / "piped_out.wav", "cat '" + folder / "cut.wav" + "' |");
    ASSERT_EQ (piped.exitCode, 0) << piped.output;
    EXPECT_TRUE (contains (piped.output, "- is truncated: its header declares 16000 frames but it holds 10000")) << piped.output;

    // RF64 declares its length in its ds64 chunk, past a data size of all ones.
    const auto samples = contents (folder / "odd.wav").substr (header, 10000 * 8);
    std::ofstream (folder / "cut.rf64", std::ios::binary) << rf64FloatHeader (2, 8000, 16000) << samples;
    const auto rf64 = kickHost ("--in " + folder / "cut.rf64" + " --out " + folder / "rf64_out.wav");
    ASSERT_EQ (rf64.exitCode, 0) << rf64.output;
    EXPECT_TRUE (contains (rf64.output, "is truncated: its header declares 16000 frames but it holds 10000")) << rf64.output;
}

TEST (CommandLineHost, AStreamedInputRendersExactlyAsTheFileDoesAndWarnsOfNothing)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (44100.0, 2, 2), pcm16);
    host::writeAudioFile (folder / "in.ogg", kicks (44100.0, 2, 2), host::outputFormatFor ("x.ogg", std::nullopt));
    ASSERT_EQ (::mkfifo ((folder / "fifo").c_str(), 0666), 0);
    const std::string settings = " --set \"Kick Sub=60\" --set \"Kick Harmonics=40\"";

    for (const std::string name : { "in.wav", "in.ogg" })
    {
        const auto file = folder / name;
        const auto direct = kickHost ("--in " + file + " --out " + folder / "direct.wav" + settings);
        ASSERT_EQ (direct.exitCode, 0) << direct.output;
        const auto expected = host::readAudioFile (folder / "direct.wav");

        const struct
        {
            std::string input, prefix;
        } streams[] {
            { "-", "cat '" + file + "' |" },
            { "/dev/stdin", "cat '" + file + "' |" },
            { folder / "fifo", "cat '" + file + "' > '" + folder / "fifo" + "' &" },
        };
        for (const auto& stream : streams)
        {
            const auto run = kickHost ("--in " + stream.input + " --out " + folder / "streamed.wav" + settings, stream.prefix);
            ASSERT_EQ (run.exitCode, 0) << name << " through " << stream.input << "\n" << run.output;
            EXPECT_FALSE (contains (run.output, "warning")) << name << " through " << stream.input << "\n" << run.output;
            EXPECT_EQ (host::readAudioFile (folder / "streamed.wav").channels, expected.channels) << name << " through " << stream.input;
        }
    }

    // Ogg through a pipe has no length before it is read: none is made up,
    // and a long one shows seconds done instead of a percentage.
    host::writeAudioFile (folder / "long.ogg", kicks (8000.0, 6), host::outputFormatFor ("x.ogg", std::nullopt));
    const auto run = kickHost ("--in - --out " + folder / "long_out.wav", "cat '" + folder / "long.ogg" + "' |");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_TRUE (contains (run.output, "Input: -, 1 channel at 8000 Hz, length not known until it is read")) << run.output;
    EXPECT_TRUE (contains (run.output, "Rendering: 12 s of audio")) << run.output;
    EXPECT_FALSE (contains (run.output, "%")) << run.output;
    EXPECT_FALSE (contains (run.output, "warning")) << run.output;
    EXPECT_EQ (host::readAudioFile (folder / "long_out.wav").numFrames(), 6 * 2 * 8000);
}

TEST (CommandLineHost, AnOutputItCannotWriteIsRefusedBeforeALongRender)
{
    // Long enough to show progress, so a render shows in the output.
    const Folder folder;
    host::writeAudioFile (folder / "long.wav", kicks (8000.0, 6), pcm16);

    const auto run = kickHost ("--in " + folder / "long.wav" + " --out /nonexistent/directory/out.wav");
    EXPECT_EQ (run.exitCode, 1) << run.output;
    EXPECT_TRUE (contains (run.output, "cannot write /nonexistent/directory/out.wav")) << run.output;
    EXPECT_FALSE (contains (run.output, "Rendering")) << "the render ran before the output was checked\n" << run.output;
}

TEST (CommandLineHost, AScreenshotNamingTheInputOrOutputIsRefusedAndTouchesNoFile)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (8000.0, 1), pcm16);
    std::ofstream (folder / "out.wav") << "an earlier render";
    ASSERT_EQ (::symlink ((folder / "in.wav").c_str(), (folder / "link.wav").c_str()), 0);
    ASSERT_EQ (::link ((folder / "in.wav").c_str(), (folder / "hard.wav").c_str()), 0);
    const auto before = folder.entries();
    const auto input = contents (folder / "in.wav");

    const std::string cases[] {
        "--in " + folder / "in.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "./out.wav",
        "--in " + folder / "link.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "in.wav",
        "--in " + folder / "hard.wav" + " --out " + folder / "out.wav" + " --screenshot " + folder / "in.wav",
        "--in " + folder / "in.wav" + " --screenshot kick_render.wav", // the default output
    };
    for (const auto& arguments : cases)
    {
        const auto run = kickHost (arguments, "cd '" + folder.path + "' &&");
        EXPECT_EQ (run.exitCode, 2) << arguments << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "names the same file as")) << arguments << "\n" << run.output;
        EXPECT_FALSE (contains (run.output, "Loaded")) << "refused only after some work\n" << run.output;
    }
    EXPECT_EQ (folder.entries(), before);
    EXPECT_EQ (contents (folder / "in.wav"), input);
    EXPECT_EQ (contents (folder / "out.wav"), "an earlier render");
}

TEST (CommandLineHost, EmptyValuesStandardOutputAndSpecialFilesAreRefusedBeforeAnyWork)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (8000.0, 1), pcm16);
    ASSERT_EQ (::mkfifo ((folder / "fifo.wav").c_str(), 0666), 0);
    ASSERT_EQ (::mkfifo ((folder / "fifo.png").c_str(), 0666), 0);
    ASSERT_EQ (::symlink ("fifo.wav", (folder / "to_fifo.wav").c_str()), 0);
    ASSERT_EQ (::mkdir ((folder / "folder.wav").c_str(), 0777), 0);
    // A socket stands for the devices too, which no test may risk replacing.
    const int listening = ::socket (AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const auto socketPath = folder / "socket.png";
    ASSERT_LT (socketPath.size(), sizeof (address.sun_path));
    std::copy (socketPath.begin(), socketPath.end(), address.sun_path);
    ASSERT_EQ (::bind (listening, reinterpret_cast<sockaddr*> (&address), sizeof (address)), 0);
    const auto before = folder.entries();
    const auto in = " --in " + folder / "in.wav";

    const struct
    {
        std::string arguments;
        std::string message;
    } cases[] {
        { "--in \"\"", "--in needs a value, not an empty one" },
        { "--out \"\"", "--out needs a value, not an empty one" },
        { "--screenshot \"\"", "--screenshot needs a value, not an empty one" },
        { "--module \"\"", "--module needs a value, not an empty one" },
        { "--set \"\"", "--set needs a value, not an empty one" },
        { "--out -", "--out - would write to standard output, which kick_host does not do" },
        { "--screenshot -", "--screenshot - would write to standard output" },
        { "--out " + folder / "fifo.wav", "--out " + folder / "fifo.wav" + " is a FIFO, not a regular file" },
        { "--out " + folder / "to_fifo.wav", "is a FIFO, not a regular file" },
        { "--out " + folder / "folder.wav", "is a folder, not a regular file" },
        { "--screenshot " + folder / "fifo.png", "--screenshot " + folder / "fifo.png" + " is a FIFO" },
        { "--screenshot " + socketPath, "--screenshot " + socketPath + " is a socket, not a regular file" },
    };
    for (const auto& each : cases)
    {
        // In the test's folder, where the default output would go.
        const auto run = kickHost (each.arguments + in, "cd '" + folder.path + "' &&");
        EXPECT_EQ (run.exitCode, 2) << each.arguments << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, each.message)) << each.arguments << "\n" << run.output;
        EXPECT_FALSE (contains (run.output, "Loaded")) << "refused only after some work\n" << run.output;
    }
    EXPECT_EQ (folder.entries(), before);
    struct stat fifo {};
    EXPECT_TRUE (::lstat ((folder / "fifo.wav").c_str(), &fifo) == 0 && S_ISFIFO (fifo.st_mode)) << "the FIFO was replaced";
    ::close (listening);
}

TEST (CommandLineHost, ADisplayThatCannotBeOpenedIsNamedBeforeAnyWork)
{
    const Folder folder;
    const auto run = kickHost ("--out " + folder / "out.wav --screenshot " + folder / "window.png", "DISPLAY=:4242");
    EXPECT_EQ (run.exitCode, 1) << run.output;
    EXPECT_TRUE (contains (run.output, "cannot open the X display \":4242\" that DISPLAY names for the screenshot; unset DISPLAY")) << run.output;
    EXPECT_TRUE (folder.entries().empty());
}

TEST (CommandLineHost, AnOutputThroughALinkIsWrittenToTheFileItLeadsToAndTheLinkStays)
{
    const Folder folder;
    std::ofstream (folder / "render.wav") << "an earlier render";
    ASSERT_EQ (::symlink ("render.wav", (folder / "latest.wav").c_str()), 0);
    // A link to a file not made yet: the file is created where it leads.
    ASSERT_EQ (::symlink ("first.wav", (folder / "dangling.wav").c_str()), 0);

    for (const auto& [link, target] : { std::pair<std::string, std::string> { "latest.wav", "render.wav" }, { "dangling.wav", "first.wav" } })
    {
        const auto run = kickHost ("--out " + folder / link);
        ASSERT_EQ (run.exitCode, 0) << link << "\n" << run.output;
        struct stat status {};
        EXPECT_TRUE (::lstat ((folder / link).c_str(), &status) == 0 && S_ISLNK (status.st_mode)) << link << " was replaced";
        EXPECT_EQ (host::readAudioFile (folder / target).numFrames(), 4 * 4 * 24000) << target;
    }
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "dangling.wav", "first.wav", "latest.wav", "render.wav" }));
}

TEST (CommandLineHost, AnInPlaceRenderStoppedBySignalMidWayLeavesTheInputByteIdenticalAndEndsByThatSignal)
{
    const Folder folder;
    host::writeAudioFile (folder / "kick.wav", kicks (48000.0, 30, 2), pcm16);
    const auto original = contents (folder / "kick.wav");

    for (const auto& [signal, name] : stopSignals)
    {
        // Held at its first progress line, a block into the render: stopped
        // there, signalled, and let go with room for its last words.
        Background render ("--in '" + folder / "kick.wav" + "' --out '" + folder / "kick.wav" + "' " + strongSettings, {}, true);
        ASSERT_TRUE (eventually ([&render] { return render.writing (STDERR_FILENO); })) << name;
        ASSERT_EQ (folder.entries().size(), 2u) << name << ": no temporary file while it renders";
        ::kill (render.pid(), SIGSTOP);
        ::kill (render.pid(), signal);
        render.releaseErrors();
        ::kill (render.pid(), SIGCONT);
        const int status = render.waitForEnd();

        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == signal) << name << ": status " << status << "\n" << render.errors;
        EXPECT_TRUE (contains (render.errors, std::string ("interrupted by ") + name + "; the output was left as it was")) << render.errors;
        EXPECT_TRUE (contents (folder / "kick.wav") == original) << name << ": the input changed";
        EXPECT_EQ (folder.entries(), std::vector<std::string> { "kick.wav" }) << name << ": a temporary file was left";
    }
}

// The lead-in that puts every setting in force lasts a fixed time of the
// input's own: at a rate of 2 GHz, 1.1e9 frames of silence, far more work
// than the render of the few frames the file holds. Once the input is named,
// the lead-in is under way; a signal then ends it within a block, as it ends
// the render. The work done after the signal is bounded generously in CPU
// time, which a busy machine does not stretch.
TEST (CommandLineHost, ASignalDuringTheLeadInEndsTheRunWithinABlock)
{
    const Folder folder;
    std::string samples;
    for (int i = 0; i < 47; ++i)
        for (int byte = 0; byte < 256; ++byte)
            samples += static_cast<char> (byte);
    std::ofstream (folder / "fast.wav", std::ios::binary) << stereoWave16 (2000000000u, samples);
    // Far above what a block and the way out take, even under a sanitizer;
    // far below what is left of the lead-in (about 30 s of CPU in all, without one).
    constexpr double workBound = 10.0;

    const double workBefore = childrensWork();
    Background render ("--in '" + folder / "fast.wav" + "' --out '" + folder / "out.wav' --set \"Kick Sub=60\"");
    ASSERT_TRUE (render.waitFor ([&render] { return contains (render.output, "Input: "); })) << render.errors;
    const double workUntilTheSignal = workOf (render.pid());
    ::kill (render.pid(), SIGINT);
    const int status = render.waitForEnd();
    const double workAfterTheSignal = childrensWork() - workBefore - workUntilTheSignal;

    EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGINT) << "status " << status << "\n" << render.errors;
    EXPECT_TRUE (contains (render.errors, "interrupted by SIGINT; the output was left as it was")) << render.errors;
    EXPECT_FALSE (contains (render.errors, "Rendering")) << render.errors;
    EXPECT_LT (workAfterTheSignal, workBound) << "the lead-in went on after the signal";
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "fast.wav" });
}

TEST (CommandLineHost, OneSignalEndsARenderWhoseStandardErrorIsNoLongerRead)
{
#ifdef __SANITIZE_THREAD__
    GTEST_SKIP() << "ThreadSanitizer holds a signal back until the thread leaves its system call, and this write never returns";
#endif
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (48000.0, 30, 2), pcm16);
    std::ofstream (folder / "out.wav") << "an earlier render";

    // Its progress line waits for a reader that never reads again.
    Background render ("--in '" + folder / "in.wav" + "' --out '" + folder / "out.wav" + "'", {}, true);
    ASSERT_TRUE (eventually ([&render] { return render.writing (STDERR_FILENO); }));
    ::kill (render.pid(), SIGTERM);
    EXPECT_TRUE (eventually ([&render] { return processEnded (render.pid()); })) << "one signal did not end it";

    const int status = render.waitForEnd();
    EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGTERM) << "status " << status;
    EXPECT_EQ (contents (folder / "out.wav"), "an earlier render");
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "in.wav", "out.wav" })) << "a temporary file was left";
}

TEST (CommandLineHost, AClosedStandardOutputOrErrorEndsTheRenderBySIGPIPEAndLeavesNothing)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (48000.0, 30, 2), pcm16);
    std::ofstream (folder / "out.wav") << "an earlier render";
    const auto before = folder.entries();

    // Standard output closed shows before the render; standard error only
    // closed, at the first progress line, once the render has begun; and
    // --list, which writes nothing, ends by it all the same.
    const std::vector<std::string> render { KICK_HOST_PATH, "--in", folder / "in.wav", "--out", folder / "out.wav", "--set", "Kick Sub=100" };
    const struct
    {
        std::vector<std::string> arguments;
        bool outputToo;
    } cases[] { { render, true }, { render, false }, { { KICK_HOST_PATH, "--list" }, true } };
    for (const auto& [arguments, outputToo] : cases)
    {
        std::vector<char*> argv;
        for (const auto& argument : arguments)
            argv.push_back (const_cast<char*> (argument.c_str()));
        argv.push_back (nullptr);

        int readerGone[2];
        ASSERT_EQ (::pipe (readerGone), 0);
        ::close (readerGone[0]);
        const pid_t child = ::fork();
        ASSERT_GE (child, 0);
        if (child == 0)
        {
            ::dup2 (readerGone[1], STDERR_FILENO);
            if (outputToo)
                ::dup2 (readerGone[1], STDOUT_FILENO);
            else
                ::dup2 (::open ("/dev/null", O_WRONLY), STDOUT_FILENO);
            ::execv (argv[0], argv.data());
            ::_exit (127);
        }
        ::close (readerGone[1]);
        int status = 0;
        const bool ended = eventually ([&] { return ::waitpid (child, &status, WNOHANG) == child; });
        if (! ended)
        {
            ::kill (child, SIGKILL);
            ::waitpid (child, &status, 0);
        }

        EXPECT_TRUE (ended && WIFSIGNALED (status) && WTERMSIG (status) == SIGPIPE)
            << arguments.back() << (outputToo ? ", output and error closed" : ", error closed") << ": status " << status;
        EXPECT_EQ (contents (folder / "out.wav"), "an earlier render");
        EXPECT_EQ (folder.entries(), before) << "a temporary file was left";
    }
}

TEST (CommandLineHost, AStalledStreamIsStoppedByASignalAndLeavesNothing)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (48000.0, 4, 2), pcm16);
    const auto start = contents (folder / "in.wav").substr (0, 200000);
    ASSERT_EQ (::mkfifo ((folder / "in.fifo").c_str(), 0666), 0);
    auto temporaryFileExists = [&folder] {
        const auto names = folder.entries();
        return std::any_of (names.begin(), names.end(), [] (const std::string& name) { return name.rfind (".kick_host-", 0) == 0; });
    };

    for (const auto& [signal, name] : stopSignals)
    {
        // Its writer gives the header and a few blocks, then stalls with the FIFO open.
        Background render ("--in '" + folder / "in.fifo" + "' --out '" + folder / "out.wav" + "'");
        const StalledFifoWriter writer (folder / "in.fifo", start);
        ASSERT_TRUE (writer.handedOver()) << render.errors;
        ASSERT_TRUE (eventually (temporaryFileExists)) << render.errors;

        ::kill (render.pid(), signal);
        const int status = render.waitForEnd();
        EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == signal) << name << ": status " << status << "\n" << render.errors;
        EXPECT_TRUE (contains (render.errors, std::string ("interrupted by ") + name)) << render.errors;
        EXPECT_EQ (folder.entries(), (std::vector<std::string> { "in.fifo", "in.wav" })) << name << ": a file was left";
    }
}

TEST (CommandLineHost, OpeningAFifoNoOneWritesToIsStoppedByASignal)
{
#ifdef __SANITIZE_THREAD__
    GTEST_SKIP() << "ThreadSanitizer holds a signal back until the thread leaves its system call, and this open never returns";
#endif
    const Folder folder;
    ASSERT_EQ (::mkfifo ((folder / "in.fifo").c_str(), 0666), 0);
    Background render ("--in '" + folder / "in.fifo" + "' --out '" + folder / "out.wav" + "'");
    // Its main thread asleep in openat (system call 257 on x86-64): waiting for a writer.
    const auto proc = "/proc/" + std::to_string (render.pid());
    ASSERT_TRUE (eventually ([&] {
        const auto stat = contents (proc + "/stat");
        return stat.compare (stat.rfind (')') + 2, 1, "S") == 0 && contents (proc + "/syscall").rfind ("257 ", 0) == 0;
    }));
    ::kill (render.pid(), SIGTERM);
    const int status = render.waitForEnd();
    EXPECT_TRUE (WIFSIGNALED (status) && WTERMSIG (status) == SIGTERM) << "status " << status << "\n" << render.errors;
    EXPECT_EQ (folder.entries(), std::vector<std::string> { "in.fifo" });
}

TEST (CommandLineHost, AWriteThatFailsWhileTheInputStallsEndsTheRenderAtOnce)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (48000.0, 4, 2), pcm16);
    const auto start = contents (folder / "in.wav").substr (0, 300000);
    ASSERT_EQ (::mkfifo ((folder / "in.fifo").c_str(), 0666), 0);

    // Its writer gives two blocks and stalls with the FIFO open; the first
    // block's output (256 KB) is beyond a limit of 100 blocks of 512 bytes.
    // The render may fail before it has read all it was given.
    Background render ("--in '" + folder / "in.fifo" + "' --out '" + folder / "out.wav" + "'", "ulimit -f 100;");
    const StalledFifoWriter writer (folder / "in.fifo", start);
    ASSERT_TRUE (writer.handedOver()) << render.errors;

    const int status = render.waitForEnd();
    EXPECT_TRUE (WIFEXITED (status) && WEXITSTATUS (status) == 1) << "status " << status << "\n" << render.errors;
    EXPECT_TRUE (contains (render.errors, "cannot write " + folder / "out.wav" + ": File too large")) << render.errors;
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "in.fifo", "in.wav" })) << "a file was left";
}

TEST (CommandLineHost, AWriteThatFailsLeavesAnExistingDestinationUntouched)
{
    const Folder folder;
    host::writeAudioFile (folder / "in.wav", kicks (48000.0, 2, 2), pcm16);
    std::ofstream (folder / "out.wav") << "an earlier render";
    const auto expectUntouched = [&folder] (const std::string& name, const kick_host_run::Run& run) {
        EXPECT_EQ (run.exitCode, 1) << name << "\n" << run.output;
        EXPECT_TRUE (contains (run.output, "cannot write " + folder / name)) << run.output;
        EXPECT_EQ (contents (folder / name), "an earlier render") << name;
    };

    // The output (3 MB) is far beyond a limit of 200 blocks of 512 bytes.
    expectUntouched ("out.wav", kickHost ("--in " + folder / "in.wav" + " --out " + folder / "out.wav", "ulimit -f 200 &&"));

    // The last of a FLAC file (its last frame) and of an Ogg file (its last
    // pages) is written as the file is closed: limits that cut only the last
    // few blocks of 512 bytes fail there.
    constexpr size_t block = 512;
    for (const std::string name : { "out.flac", "out.ogg" })
    {
        const auto whole = kickHost ("--out " + folder / name);
        ASSERT_EQ (whole.exitCode, 0) << whole.output;
        const auto size = contents (folder / name).size();
        std::ofstream (folder / name) << "an earlier render";
        for (size_t cut = 0; cut < 4; ++cut)
        {
            const auto limit = (size - 1) / block - cut;
            expectUntouched (name, kickHost ("--out " + folder / name, "ulimit -f " + std::to_string (limit) + " &&"));
        }
    }
    EXPECT_EQ (folder.entries(), (std::vector<std::string> { "in.wav", "out.flac", "out.ogg", "out.wav" })) << "a temporary file was left";
}
