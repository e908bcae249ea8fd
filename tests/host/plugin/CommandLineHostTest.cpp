// kick_host, the command-line host: what it renders and how it refuses bad input.
#include "AudioFile.h"
#include "KickPattern.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

namespace
{
    struct Run
    {
        int exitCode = -1;
        std::string output; // stdout and stderr together
    };

    Run kickHost (const std::string& arguments)
    {
        const std::string command = std::string (KICK_HOST_PATH) + " " + arguments + " 2>&1";
        std::unique_ptr<FILE, int (*) (FILE*)> pipe (::popen (command.c_str(), "r"), [] (FILE*) { return 0; });
        Run run;
        char buffer[512];
        while (std::fgets (buffer, sizeof (buffer), pipe.get()) != nullptr)
            run.output += buffer;
        const int status = ::pclose (pipe.release());
        run.exitCode = WIFEXITED (status) ? WEXITSTATUS (status) : -1;
        return run;
    }

    // Unique per process: other build trees may run the same tests at once.
    std::string temporary (const std::string& name)
    {
        return ::testing::TempDir() + std::to_string (::getpid()) + "_" + name;
    }

    float peak (const host::AudioData& audio)
    {
        float result = 0.0f;
        for (const auto& channel : audio.channels)
            for (const float sample : channel)
                result = std::max (result, std::abs (sample));
        return result;
    }
}

TEST (CommandLineHost, RendersTheBuiltInKickPatternThroughTheModule)
{
    const auto out = temporary ("kick_builtin.wav");
    const auto run = kickHost ("--out " + out);
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_NE (run.output.find ("Loaded VANTO Groundwork Kick (com.VANTO.VANTOGroundworkKick) by VANTO"), std::string::npos) << run.output;
    EXPECT_NE (run.output.find ("Kick Sub = 60.00"), std::string::npos) << run.output;

    const auto rendered = host::readAudioFile (out);
    EXPECT_EQ (rendered.numChannels(), 2);
    EXPECT_EQ (rendered.sampleRate, 48000.0);
    EXPECT_EQ (rendered.numSamples(), 4 * 4 * 24000);
    EXPECT_GT (peak (rendered), 0.1f);
    EXPECT_LT (peak (rendered), 1.0f) << "the built-in settings must not clip";
}

TEST (CommandLineHost, ProcessesAUsersFileWithItsSettings)
{
    const auto in = temporary ("kick_mono_in.wav");
    const auto out = temporary ("kick_mono_out.wav");
    host::writeWavFile (in, { 44100.0, { host::renderKickPattern (44100.0, 1) } });

    const auto run = kickHost ("--in " + in + " --out " + out + " --set \"Kick Sub=60\" --set \"Kick Sub Freq=A#\"");
    ASSERT_EQ (run.exitCode, 0) << run.output;
    EXPECT_NE (run.output.find ("Kick Sub Freq = A#"), std::string::npos) << run.output;

    const auto original = host::readAudioFile (in);
    const auto rendered = host::readAudioFile (out);
    EXPECT_EQ (rendered.numChannels(), 1);
    EXPECT_EQ (rendered.sampleRate, 44100.0);
    EXPECT_EQ (rendered.numSamples(), original.numSamples());
    EXPECT_NE (rendered.channels, original.channels);
}

TEST (CommandLineHost, RefusesWhatItCannotUseWithAClearMessage)
{
    const auto text = temporary ("not_audio.txt");
    std::ofstream (text) << "this is not audio\n";
    const auto out = temporary ("never_written.wav");

    const struct
    {
        std::string arguments;
        int exitCode;
        std::string message;
    } cases[] {
        { "--module /nonexistent/VANTOGroundworkKick.so", 1, "cannot load /nonexistent/VANTOGroundworkKick.so" },
        { "--in /nonexistent/input.wav", 1, "cannot read /nonexistent/input.wav" },
        { "--in " + text, 1, "cannot read " + text },
        { "--set \"Kick Bass=3\"", 2, "unknown parameter \"Kick Bass\"" },
        { "--set \"Kick Sub=150\"", 2, "Kick Sub = 150 is out of range: 0.00 to 100.00" },
        { "--set \"Kick Sub=-1\"", 2, "out of range" },
        { "--set \"Kick Sub=loud\"", 2, "Kick Sub takes a number" },
        { "--set \"Kick Sub Freq=H\"", 2, "has no choice \"H\"; choose one of C, C#, D" },
        { "--set KickSub", 2, "is not a setting" },
        { "--volume 11", 2, "unknown option --volume" },
    };

    for (const auto& each : cases)
    {
        const auto run = kickHost (each.arguments + " --out " + out);
        EXPECT_EQ (run.exitCode, each.exitCode) << each.arguments << "\n" << run.output;
        EXPECT_NE (run.output.find (each.message), std::string::npos) << each.arguments << "\n" << run.output;
    }
    EXPECT_FALSE (std::ifstream (out).good()) << "nothing may be written after an error";
}

TEST (CommandLineHost, AnOutputItCannotWriteIsRefusedBeforeALongRender)
{
    // Long enough to show progress, so a render shows in the output.
    const auto in = temporary ("kick_long_in.wav");
    host::writeWavFile (in, { 8000.0, { host::renderKickPattern (8000.0, 6) } });

    const auto run = kickHost ("--in " + in + " --out /nonexistent/directory/out.wav");
    EXPECT_EQ (run.exitCode, 1) << run.output;
    EXPECT_NE (run.output.find ("cannot write /nonexistent/directory/out.wav"), std::string::npos) << run.output;
    EXPECT_EQ (run.output.find ("Rendering"), std::string::npos) << "the render ran before the output was checked\n" << run.output;
}
