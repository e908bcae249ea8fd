// kick_host on long files: its peak resident memory at two lengths (flat when
// it streams), and its whole job (read, process, write) against the native
// process procedure's own time on the same audio. A measuring program rather
// than a Google Benchmark: each figure is one run of a child process.
//
//   kick_stream_bench [MINUTES...]     default: 10 30
#include "AudioFile.h"
#include "EffectSession.h"
#include "EveryStageEngaged.h"
#include "KickPattern.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{
    using Clock = std::chrono::steady_clock;

    constexpr double sampleRate = 48000.0;
    constexpr int channels = 2;

    struct Case
    {
        const char* name;
        std::vector<host::ParameterSetting> settings;
    };
    // kick_module_bench's cases.
    const Case cases[] {
        { "defaults", {} },
        { "every stage engaged", bench::everyStageEngaged },
    };

    double secondsSince (Clock::time_point start)
    {
        return std::chrono::duration<double> (Clock::now() - start).count();
    }

    // A stereo 24-bit WAV of the kick pattern, written block by block.
    void writeInput (const std::string& path, int minutes)
    {
        const auto bar = host::renderKickPattern (sampleRate, 1);
        const float* block[channels] = { bar.data(), bar.data() };
        const auto bars = static_cast<int> (minutes * 60 * sampleRate / static_cast<double> (bar.size()));
        host::AudioFileWriter writer (path, host::outputFormatFor (path, host::SampleDepth::int24), sampleRate, channels,
                                      static_cast<int64_t> (bars) * static_cast<int64_t> (bar.size()));
        for (int i = 0; i < bars; ++i)
            writer.write (block, static_cast<int> (bar.size()));
        writer.close();
    }

    struct ChildRun
    {
        double seconds = 0.0;
        long peakKilobytes = 0;
        int status = 0;
    };

    ChildRun runKickHost (const std::vector<std::string>& arguments)
    {
        std::vector<char*> argv { const_cast<char*> (KICK_HOST_PATH) };
        for (const auto& argument : arguments)
            argv.push_back (const_cast<char*> (argument.c_str()));
        argv.push_back (nullptr);

        std::fflush (stdout); // or the child would print what is still buffered
        const auto start = Clock::now();
        const pid_t child = ::fork();
        if (child == 0)
        {
            std::freopen ("/dev/null", "w", stdout);
            ::execv (argv[0], argv.data());
            ::_exit (127);
        }
        ChildRun run;
        rusage usage {};
        ::wait4 (child, &run.status, 0, &usage);
        run.seconds = secondsSince (start);
        run.peakKilobytes = usage.ru_maxrss;
        return run;
    }

    // The native process procedure alone over the file's audio (read outside the timing).
    double processProcedureSeconds (const std::string& path, const Case& benchCase)
    {
        host::LoadedEffect effect (KICK_MODULE_PATH);
        host::EffectInstance instance (effect, channels, static_cast<float> (sampleRate));
        bench::engage (instance, benchCase.settings);

        host::AudioFileReader reader (path);
        std::vector<std::vector<float>> in (channels, std::vector<float> (host::streamBlockFrames)), out = in;
        float* inputs[channels] = { in[0].data(), in[1].data() };
        float* outputs[channels] = { out[0].data(), out[1].data() };
        Clock::duration processing {};
        while (const int frames = reader.read (inputs, host::streamBlockFrames))
        {
            const auto start = Clock::now();
            instance.process (inputs, outputs, frames);
            processing += Clock::now() - start;
        }
        return std::chrono::duration<double> (processing).count();
    }

    double readSeconds (const std::string& path)
    {
        const auto start = Clock::now();
        host::AudioFileReader reader (path);
        std::vector<std::vector<float>> block (channels, std::vector<float> (host::streamBlockFrames));
        float* pointers[channels] = { block[0].data(), block[1].data() };
        while (reader.read (pointers, host::streamBlockFrames) > 0)
        {
        }
        return secondsSince (start);
    }
}

int main (int argc, char** argv)
{
    std::vector<int> lengths;
    for (int i = 1; i < argc; ++i)
        lengths.push_back (std::atoi (argv[i]));
    if (lengths.empty())
        lengths = { 10, 30 };

    std::string pattern = (std::getenv ("TMPDIR") != nullptr ? std::string (std::getenv ("TMPDIR")) : "/tmp") + "/kick_stream_bench_XXXXXX";
    if (::mkdtemp (pattern.data()) == nullptr)
    {
        std::perror ("kick_stream_bench: cannot make a scratch folder");
        return 1;
    }
    const std::string folder = pattern;

    std::printf ("%-8s %-20s %12s %12s %14s %8s %12s\n", "length", "settings", "peak RSS", "whole job", "process only", "ratio", "read only");
    for (const int minutes : lengths)
    {
        const auto input = folder + "/in_" + std::to_string (minutes) + "min.wav";
        const auto output = folder + "/out.wav";
        writeInput (input, minutes);
        const double read = readSeconds (input);

        for (const auto& benchCase : cases)
        {
            std::vector<std::string> arguments { "--in", input, "--out", output };
            for (const auto& [name, value] : benchCase.settings)
                arguments.insert (arguments.end(), { "--set", name + "=" + value });

            const auto run = runKickHost (arguments);
            if (! WIFEXITED (run.status) || WEXITSTATUS (run.status) != 0)
            {
                std::fprintf (stderr, "kick_stream_bench: kick_host failed (status %d)\n", run.status);
                return 1;
            }
            const double process = processProcedureSeconds (input, benchCase);
            std::printf ("%3d min  %-20s %9.1f MB %10.2f s %12.2f s %7.2fx %10.2f s\n", minutes, benchCase.name,
                         static_cast<double> (run.peakKilobytes) / 1024.0, run.seconds, process, run.seconds / process, read);
            std::fflush (stdout);
        }
        std::remove (input.c_str());
        std::remove (output.c_str());
    }
    ::rmdir (folder.c_str());
    return 0;
}
