// RenderMain.cpp: kick_host, a command-line host that renders audio through the plug-in module as an AAX host would.
#include "AudioFile.h"
#include "EffectSession.h"
#include "HostViewContainer.h"
#include "KickPattern.h"
#include "ParameterSettings.h"
#include "WindowCapture.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace
{
    constexpr int exitFailure = 1;
    constexpr int exitUsage = 2;

    constexpr double patternSampleRate = 48000.0;
    constexpr int patternBars = 4;
    constexpr double patternTempo = 120.0;
    // What the built-in render sets when the user sets nothing: enough of
    // each stage to hear what the effect does.
    const std::vector<host::ParameterSetting> audibleSettings { { "Kick Harmonics", "40" }, { "Kick Pressure", "30" },
                                                                { "Kick Sub", "60" }, { "Kick Trans", "35" },
                                                                { "Kick Comp", "50" }, { "Kick Air", "25" } };

    // Longer inputs show their progress.
    constexpr double secondsBeforeProgress = 10.0;
    // Time for the window's 20 ms refresh and its repaint to show the render.
    constexpr auto windowSettleTime = std::chrono::milliseconds (500);
    const char* const underVirtualDisplay = "KICK_HOST_UNDER_XVFB";

    const char* const usage =
        "Usage: kick_host [options]\n"
        "Renders audio through the VANTO Groundwork Kick plug-in module.\n"
        "\n"
        "  --in FILE            audio file to process (mono or stereo); without it a built-in\n"
        "                       kick pattern is rendered at audible settings\n"
        "  --out FILE           where to write the result as 24-bit WAV (default: kick_render.wav)\n"
        "  --set \"Name=value\"   set a parameter by its host name, e.g. --set \"Kick Sub=60\" or\n"
        "                       --set \"Kick Sub Freq=A#\"; may be repeated\n"
        "  --screenshot FILE    also write a PNG picture of the effect's window (uses a virtual\n"
        "                       display when none is set)\n"
        "  --list               list the parameters with their values and ranges, then stop\n"
        "  --module PATH        the plug-in module to load (default: the one built with this program)\n"
        "  --help               show this text\n";

    struct UsageError : std::invalid_argument
    {
        using std::invalid_argument::invalid_argument;
    };

    struct Options
    {
        std::string modulePath = KICK_DEFAULT_MODULE_PATH;
        std::string input;
        std::string output = "kick_render.wav";
        std::string screenshot;
        std::vector<host::ParameterSetting> settings;
        bool list = false;
        bool help = false;
    };

    Options parseOptions (int argc, char** argv)
    {
        Options options;
        for (int i = 1; i < argc; ++i)
        {
            const std::string option = argv[i];
            auto value = [&] () -> std::string {
                if (i + 1 >= argc)
                    throw UsageError (option + " needs a value");
                return argv[++i];
            };

            if (option == "--in") options.input = value();
            else if (option == "--out") options.output = value();
            else if (option == "--set") options.settings.push_back (host::parseSetting (value()));
            else if (option == "--screenshot") options.screenshot = value();
            else if (option == "--module") options.modulePath = value();
            else if (option == "--list") options.list = true;
            else if (option == "--help" || option == "-h") options.help = true;
            else throw UsageError ("unknown option " + option + " (see --help)");
        }
        return options;
    }

    std::string seconds (double value)
    {
        char text[32];
        std::snprintf (text, sizeof (text), "%.1f s", value);
        return text;
    }

    double peakDecibels (const host::AudioData& audio)
    {
        float peak = 0.0f;
        for (const auto& channel : audio.channels)
            for (const float sample : channel)
                peak = std::max (peak, std::abs (sample));
        return peak > 0.0f ? 20.0 * std::log10 (peak) : -INFINITY;
    }

    host::AudioData builtInPattern()
    {
        const auto kicks = host::renderKickPattern (patternSampleRate, patternBars, patternTempo);
        return { patternSampleRate, { kicks, kicks } };
    }

    void listParameters (host::EffectInstance& instance)
    {
        for (const auto& parameter : instance.listParameters())
            std::cout << "  " << parameter.name << " = " << instance.valueText (parameter.id, instance.normalizedValue (parameter.id))
                      << "   (" << instance.valueText (parameter.id, 0.0) << " to " << instance.valueText (parameter.id, 1.0) << ")\n";
    }

    host::AudioData render (host::EffectInstance& instance, const host::AudioData& input)
    {
        host::AudioData output { input.sampleRate, std::vector<std::vector<float>> (input.channels.size(),
                                                                                  std::vector<float> (static_cast<size_t> (input.numSamples()))) };
        const int chunk = static_cast<int> (input.sampleRate); // one second per call
        const bool showProgress = input.numSamples() > secondsBeforeProgress * input.sampleRate;

        std::vector<const float*> in (input.channels.size());
        std::vector<float*> out (input.channels.size());
        for (int start = 0; start < input.numSamples(); start += chunk)
        {
            for (size_t c = 0; c < in.size(); ++c)
            {
                in[c] = input.channels[c].data() + start;
                out[c] = output.channels[c].data() + start;
            }
            instance.process (in.data(), out.data(), std::min (chunk, input.numSamples() - start));

            if (showProgress)
            {
                const auto done = std::min (start + chunk, input.numSamples());
                std::cerr << "\rRendering: " << (100 * int64_t { done }) / input.numSamples() << "%" << std::flush;
            }
        }
        if (showProgress)
            std::cerr << "\n";
        return output;
    }

    void writeWindowPicture (host::EffectInstance& instance, const std::string& path)
    {
        host::installLenientXErrorHandler();
        auto* container = instance.openWindow();
        if (container == nullptr)
            throw std::runtime_error ("the effect could not open its window");
        if (! container->hasWindow())
            throw std::runtime_error ("no X display to show the window on");

        std::this_thread::sleep_for (windowSettleTime);
        const auto picture = host::captureWindow (reinterpret_cast<unsigned long> (container->GetPtr()));
        if (! picture)
            throw std::runtime_error ("the window could not be captured");
        host::writePng (path, *picture);
        instance.closeWindow();
        std::cout << "Wrote a picture of the window to " << path << " (" << picture->width << " x " << picture->height << ")\n";
    }

    // A screenshot needs an X display: without one, run again under a virtual one.
    void ensureDisplay (int argc, char** argv)
    {
        const char* display = std::getenv ("DISPLAY");
        if ((display != nullptr && *display != 0) || std::getenv (underVirtualDisplay) != nullptr)
            return;

        ::setenv (underVirtualDisplay, "1", 1);
        std::vector<char*> command { const_cast<char*> ("xvfb-run"), const_cast<char*> ("-a"),
                                     const_cast<char*> ("-s"), const_cast<char*> ("-screen 0 1024x768x24") };
        command.insert (command.end(), argv, argv + argc);
        command.push_back (nullptr);
        ::execvp (command[0], command.data());
        throw std::runtime_error ("no X display is set and xvfb-run could not be started for the screenshot");
    }

    int run (const Options& options)
    {
        host::LoadedEffect effect (options.modulePath);
        const auto& description = effect.description();
        std::cout << "Loaded " << description.names.front() << " (" << description.effectID << ") by " << description.manufacturer
                  << ", version " << (description.packageVersion >> 16) << "." << ((description.packageVersion >> 8) & 0xFF) << "."
                  << (description.packageVersion & 0xFF) << ", from " << options.modulePath << "\n";

        const bool builtIn = options.input.empty();
        const auto input = builtIn ? builtInPattern() : host::readAudioFile (options.input);
        if (input.numChannels() != 1 && input.numChannels() != 2)
            throw std::runtime_error (options.input + " has " + std::to_string (input.numChannels())
                                      + " channels; the effect takes mono or stereo");

        const auto window = options.screenshot.empty() ? host::EffectInstance::Window::none : host::EffectInstance::Window::wanted;
        host::EffectInstance instance (effect, input.numChannels(), static_cast<float> (input.sampleRate), window);

        if (options.list)
        {
            std::cout << "Parameters:\n";
            listParameters (instance);
            return EXIT_SUCCESS;
        }

        const auto& settings = builtIn && options.settings.empty() ? audibleSettings : options.settings;
        std::vector<host::ResolvedSetting> resolved;
        for (const auto& setting : settings)
        {
            try
            {
                resolved.push_back (host::resolveSetting (instance, setting));
            }
            catch (const std::invalid_argument& error)
            {
                throw UsageError (error.what());
            }
        }
        for (const auto& setting : resolved)
            instance.automate (setting.id, setting.normalized);

        std::cout << "Input: " << (builtIn ? "built-in kick pattern (" + std::to_string (patternBars) + " bars at " + std::to_string (int (patternTempo)) + " BPM)" : options.input)
                  << ", " << input.numChannels() << (input.numChannels() == 1 ? " channel" : " channels") << " at "
                  << input.sampleRate << " Hz, " << seconds (input.numSamples() / input.sampleRate) << "\n";
        if (! resolved.empty())
        {
            std::cout << "Settings:";
            for (size_t i = 0; i < resolved.size(); ++i)
                std::cout << (i == 0 ? " " : ", ") << settings[i].name << " = " << resolved[i].valueText;
            std::cout << "\n";
        }

        // Created first: an output that cannot be written is reported before a long render.
        host::WavWriter writer (options.output, input.sampleRate, input.numChannels());
        const auto output = render (instance, input);
        writer.write (output);
        const double peakLevel = peakDecibels (output);
        char peak[32];
        std::snprintf (peak, sizeof (peak), "%.1f dBFS", peakLevel);
        std::cout << "Wrote " << options.output << " (" << seconds (output.numSamples() / output.sampleRate) << ", peak " << peak
                  << (peakLevel > 0.0 ? ", clipped to full scale in the file" : "") << ")\n";

        if (! options.screenshot.empty())
            writeWindowPicture (instance, options.screenshot);
        return EXIT_SUCCESS;
    }
}

int main (int argc, char** argv)
{
    try
    {
        const auto options = parseOptions (argc, argv);
        if (options.help)
        {
            std::cout << usage;
            return EXIT_SUCCESS;
        }
        if (! options.screenshot.empty())
            ensureDisplay (argc, argv);
        return run (options);
    }
    catch (const UsageError& error)
    {
        std::cerr << "kick_host: " << error.what() << "\n";
        return exitUsage;
    }
    catch (const std::invalid_argument& error)
    {
        std::cerr << "kick_host: " << error.what() << "\n";
        return exitUsage;
    }
    catch (const std::exception& error)
    {
        std::cerr << "kick_host: " << error.what() << "\n";
        return exitFailure;
    }
}
