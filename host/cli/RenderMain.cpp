// RenderMain.cpp: kick_host, a command-line host that renders audio through the plug-in module as an AAX host would.
#include "AudioFile.h"
#include "AudioStream.h"
#include "BackgroundStream.h"
#include "EffectSession.h"
#include "FilePaths.h"
#include "FormattedNumber.h"
#include "HostViewContainer.h"
#include "Interruption.h"
#include "KickPattern.h"
#include "LeadIn.h"
#include "ParameterSettings.h"
#include "PendingFile.h"
#include "Progress.h"
#include "RenderOptions.h"
#include "StandardStreams.h"
#include "VirtualDisplay.h"
#include "WindowCapture.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
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
    // What --list adds to a parameter whose values need more than their names.
    const std::vector<std::pair<std::string, std::string>> parameterNotes {
        { "Graph mode", "Wave shows the waveform and Freq the spectrum; Spec and Osc show no display" }
    };

    // How long the window may take to be painted for the screenshot: the
    // wait ends as soon as it is, so only a window that never paints waits
    // this long, and a heavily loaded machine under a sanitizer still makes it.
    constexpr auto windowPaintBound = std::chrono::seconds (15);

    // The built-in kick pattern in stereo, as a source like a file.
    class PatternSource final : public host::AudioSource
    {
    public:
        int numChannels() const override { return 2; }
        double sampleRate() const override { return patternSampleRate; }
        std::optional<int64_t> lengthInFrames() const override { return static_cast<int64_t> (kicks.size()); }

        int read (float* const* channels, int maxFrames) override
        {
            const auto frames = static_cast<int> (std::min<size_t> (static_cast<size_t> (maxFrames), kicks.size() - position));
            for (int channel = 0; channel < numChannels(); ++channel)
                std::copy_n (kicks.begin() + static_cast<long> (position), frames, channels[channel]);
            position += static_cast<size_t> (frames);
            return frames;
        }

    private:
        std::vector<float> kicks = host::renderKickPattern (patternSampleRate, patternBars, patternTempo);
        size_t position = 0;
    };

    // Whether the render gave back exactly what it read. Each block read is
    // kept until what the effect made of it is written, which the render does
    // before it reads the next; the two are compared sample for sample.
    class ChangedSamples
    {
    public:
        ChangedSamples (host::AudioSource& source, host::AudioSink& sink)
            : kept (static_cast<size_t> (source.numChannels())), reading (source, *this), writing (sink, *this)
        {
        }

        host::AudioSource& source() noexcept { return reading; }
        host::AudioSink& sink() noexcept { return writing; }
        int64_t count() const noexcept { return changed; }

    private:
        class Reading final : public host::AudioSource
        {
        public:
            Reading (host::AudioSource& source, ChangedSamples& owner) : source (source), owner (owner) {}
            int numChannels() const override { return source.numChannels(); }
            double sampleRate() const override { return source.sampleRate(); }
            std::optional<int64_t> lengthInFrames() const override { return source.lengthInFrames(); }
            void cancelRead() noexcept override { source.cancelRead(); }

            int read (float* const* channels, int maxFrames) override
            {
                const int frames = source.read (channels, maxFrames);
                for (size_t c = 0; c < owner.kept.size(); ++c)
                    owner.kept[c].assign (channels[c], channels[c] + std::max (frames, 0));
                return frames;
            }

        private:
            host::AudioSource& source;
            ChangedSamples& owner;
        };

        class Writing final : public host::AudioSink
        {
        public:
            Writing (host::AudioSink& sink, ChangedSamples& owner) : sink (sink), owner (owner) {}

            void write (const float* const* channels, int frames) override
            {
                for (size_t c = 0; c < owner.kept.size(); ++c)
                    for (size_t i = 0; i < static_cast<size_t> (frames); ++i)
                        owner.changed += channels[c][i] == owner.kept[c][i] ? 0 : 1; // NaN never equals
                sink.write (channels, frames);
            }

        private:
            host::AudioSink& sink;
            ChangedSamples& owner;
        };

        std::vector<std::vector<float>> kept;
        int64_t changed = 0;
        Reading reading;
        Writing writing;
    };

    std::string decibels (float magnitude)
    {
        return magnitude > 0.0f ? host::formattedNumber ("%+.1f dBFS", 20.0 * std::log10 (magnitude)) : "silence";
    }

    void listParameters (host::EffectInstance& instance)
    {
        std::cout << "Parameters (names and choices in any case):\n";
        for (const auto& parameter : instance.listParameters())
        {
            const auto range = host::rangeOf (instance, parameter);
            std::cout << "  " << parameter.name << " = " << instance.valueText (parameter.id, instance.normalizedValue (parameter.id)) << "   (";
            if (range.choices.empty())
            {
                std::cout << range.lowest << " to " << range.highest;
                if (range.steps >= 2)
                    std::cout << " in steps of " << host::formattedNumber ("%g", range.step());
            }
            else
            {
                for (size_t i = 0; i < range.choices.size(); ++i)
                    std::cout << (i == 0 ? "" : i + 1 == range.choices.size() ? " or " : ", ") << range.choices[i];
                if (std::any_of (range.choices.begin(), range.choices.end(), [] (const auto& c) { return c.find ('#') != std::string::npos; }))
                    std::cout << "; flats such as Bb for A# too";
            }
            for (const auto& [name, note] : parameterNotes)
                if (name == parameter.name)
                    std::cout << "; " << note;
            std::cout << ")\n";
        }
    }

    // Answers the picture's size, as "400 x 477".
    std::string writeWindowPicture (host::EffectInstance& instance, host::PendingFile& file)
    {
        std::optional<host::Picture> picture;
        {
            // Round trips to an X server, which may have frozen.
            const host::UnboundedWait onTheDisplay;
            auto* container = instance.openWindow();
            if (container == nullptr)
                throw std::runtime_error ("the effect could not open its window");
            if (! container->hasWindow())
                throw std::runtime_error ("no X display to show the window on");
            picture = host::captureSettledWindow (reinterpret_cast<unsigned long> (container->GetPtr()), windowPaintBound);
            instance.closeWindow();
        }
        if (! picture)
            throw std::runtime_error ("the window was not painted within " + std::to_string (windowPaintBound.count())
                                      + " s; no picture was written");
        try
        {
            host::writePng (file.descriptor(), *picture);
        }
        catch (const std::runtime_error&)
        {
            throw std::runtime_error ("cannot write " + file.destination());
        }
        return std::to_string (picture->width) + " x " + std::to_string (picture->height);
    }

    // A screenshot needs an X display: the one DISPLAY names must open;
    // without one, this process starts a virtual display of its own.
    bool needsVirtualDisplay (const host::RenderOptions& options)
    {
        if (options.screenshot.empty())
            return false;
        const char* display = std::getenv ("DISPLAY");
        if (display == nullptr || *display == 0)
            return true;
        const host::UnboundedWait onTheDisplay; // a round trip to a server that may have frozen
        if (! host::displayOpens (display))
            throw std::runtime_error (std::string ("cannot open the X display \"") + display
                                      + "\" that DISPLAY names for the screenshot; unset DISPLAY to use a virtual display");
        return false;
    }

    void reportInput (const host::RenderOptions& options, const host::AudioSource& source, bool lengthIsEstimate)
    {
        std::cout << "Input: "
                  << (options.input.empty() ? "built-in kick pattern (" + std::to_string (patternBars) + " bars at "
                                                  + std::to_string (int (patternTempo)) + " BPM)"
                                            : host::printable (options.input))
                  << ", " << source.numChannels() << (source.numChannels() == 1 ? " channel" : " channels") << " at "
                  << source.sampleRate() << " Hz, "
                  << (source.lengthInFrames() ? host::formattedNumber (lengthIsEstimate ? "about %.1f s" : "%.1f s",
                                                                       double (*source.lengthInFrames()) / source.sampleRate())
                                              : std::string ("length not known until it is read"))
                  << "\n";
    }

    // With nothing set, what the output's format loses of the input, if anything.
    void reportSettings (const host::RenderOptions& options, const std::vector<host::ResolvedSetting>& resolved,
                         const std::optional<std::string>& loss)
    {
        if (resolved.empty())
        {
            std::cout << "Settings: none given, so every parameter is at its neutral default" << (loss ? "; " + *loss : std::string()) << "\n";
            return;
        }
        std::cout << "Settings:";
        for (size_t i = 0; i < resolved.size(); ++i)
            std::cout << (i == 0 ? " " : ", ") << resolved[i].name << " = " << resolved[i].valueText;
        std::cout << (options.input.empty() && options.settings.empty() ? " (the built-in pattern's)" : "") << "\n";
    }

    // With nothing set and a format that holds the input, whether the output
    // is the input: known only once every sample was read and written.
    void reportPassthrough (int64_t changedSamples)
    {
        if (changedSamples == 0)
            std::cout << "The output equals the input, sample for sample\n";
        else
            std::cout << "The output differs from the input in " << host::counted (changedSamples, "sample", "samples")
                      << " (the effect takes subnormal samples as zero, and ones that are not finite as silence)\n";
    }

    std::string hexadecimal (uint64_t value)
    {
        char text[24];
        std::snprintf (text, sizeof (text), value == 0 ? "%llu" : "0x%llX", static_cast<unsigned long long> (value));
        return text;
    }

    void reportInputProblems (const host::AudioFileReader& reader, const std::string& path)
    {
        const auto declared = reader.lengthInFrames();
        if (declared && ! reader.lengthIsEstimate() && reader.framesRead() < *declared)
            std::cerr << "kick_host: warning: " << host::printable (path) << " is truncated: its header declares "
                      << host::counted (*declared, "frame", "frames") << " but it holds " << reader.framesRead()
                      << "; what it holds was rendered\n";
        if (const auto size = reader.unfinishedHeader())
            std::cerr << "kick_host: warning: the header of " << host::printable (path) << " was never finished (its data size reads "
                      << hexadecimal (*size) << "); the " << host::counted (reader.framesRead(), "frame", "frames")
                      << (reader.framesRead() == 1 ? " to its end was rendered\n" : " to its end were rendered\n");
        if (const auto count = reader.nonFiniteSamples(); count > 0)
            std::cerr << "kick_host: warning: " << host::printable (path) << " holds " << host::counted (count, "sample", "samples")
                      << (count == 1 ? " that is not finite (NaN or infinity); the effect turned it into silence\n"
                                     : " that are not finite (NaN or infinity); the effect turned them into silence\n");
    }

    void reportOutput (const host::RenderOptions& options, const host::AudioFileWriter& writer, int64_t frames, double sampleRate)
    {
        // A lossy encoder changes the peak; the one before encoding is the one known here.
        std::cout << "Wrote " << host::printable (options.output) << " (" << options.format.description << ", "
                  << host::formattedNumber ("%.1f s", double (frames) / sampleRate) << (options.format.lossy ? ", peak before encoding " : ", peak ")
                  << decibels (writer.peak()) << ")\n";
        if (const auto clipped = writer.clippedSamples(); clipped > 0)
            std::cerr << "kick_host: warning: " << host::counted (clipped, "sample", "samples") << " above full scale (peak "
                      << decibels (writer.peakBeforeClipping()) << (clipped == 1 ? ") was" : ") were") << " clipped in this " << options.format.description
                      << " file; to keep them, write 32-bit float (.wav or .aiff without --bits), or lower the input's level\n";
    }

    // The picture is renamed into place after the output; should that fail, the output was written all the same.
    void commitPicture (host::PendingFile& picture, const std::string& output)
    {
        try
        {
            picture.commit();
        }
        catch (const std::runtime_error& error)
        {
            throw std::runtime_error (std::string (error.what()) + "; " + output + " was written");
        }
    }

    int run (const host::RenderOptions& options)
    {
        host::LoadedEffect effect (options.modulePath);
        const auto& description = effect.description();
        std::cout << "Loaded " << description.names.front() << " (" << description.effectID << ") by " << description.manufacturer
                  << ", version " << (description.packageVersion >> 16) << "." << ((description.packageVersion >> 8) & 0xFF) << "."
                  << (description.packageVersion & 0xFF) << ", from " << host::printable (options.modulePath) << "\n";

        if (options.list)
        {
            host::EffectInstance instance (effect, 2, static_cast<float> (patternSampleRate));
            listParameters (instance);
            // A closed standard output shows now (SIGPIPE), not at the exit.
            std::cout.flush();
            host::throwIfInterrupted();
            return EXIT_SUCCESS;
        }

        // Every setting is checked before any input is opened, which may wait
        // for a writer or fail for its own reasons: a bad setting is a usage
        // error whatever the input. The parameters are the same in every
        // configuration, so one instance answers for all.
        std::vector<host::ResolvedSetting> resolved;
        std::optional<host::EffectInstance> checking;
        if (const auto& settings = options.input.empty() && options.settings.empty() ? audibleSettings : options.settings; ! settings.empty())
        {
            checking.emplace (effect, 2, static_cast<float> (patternSampleRate));
            try
            {
                resolved = host::resolveSettings (*checking, settings);
            }
            catch (const std::invalid_argument& error)
            {
                throw host::UsageError (error.what());
            }
        }

        std::unique_ptr<host::AudioSource> source;
        const host::AudioFileReader* file = nullptr; // the source, when it is a file
        if (options.input.empty())
        {
            source = std::make_unique<PatternSource>();
        }
        else
        {
            auto reader = std::make_unique<host::AudioFileReader> (options.input);
            file = reader.get();
            source = std::move (reader);
        }
        auto& input = *source;
        if (input.numChannels() != 1 && input.numChannels() != 2)
            throw std::runtime_error (options.input + " has " + std::to_string (input.numChannels())
                                      + " channels; the effect takes mono or stereo");

        const auto window = options.screenshot.empty() ? host::EffectInstance::Window::none : host::EffectInstance::Window::wanted;
        host::EffectInstance instance (effect, input.numChannels(), static_cast<float> (input.sampleRate()), window);
        // Released only now: with its last instance the module's framework
        // shuts down, and starting it again is not quick.
        checking.reset();

        // Nothing set: the output should be the input, unless its format cannot hold it.
        const bool passthrough = resolved.empty();
        const auto loss = passthrough && file != nullptr ? host::passthroughLoss (file->sndfileFormat(), options.format) : std::nullopt;
        reportInput (options, input, file != nullptr && file->lengthIsEstimate());
        reportSettings (options, resolved, loss);
        // Said before the lead-in and the render, so that a closed standard output stops them at once.
        std::cout.flush();

        for (const auto& setting : resolved)
            instance.automate (setting.id, setting.normalized);
        host::runLeadIn (instance, input.sampleRate(), host::throwIfInterrupted);

        // Created first: a destination that cannot be written is reported
        // before a long render, and stays untouched until all is done.
        host::PendingFile output (options.output);
        std::optional<host::PendingFile> picture;
        if (! options.screenshot.empty())
            picture.emplace (options.screenshot);

        host::AudioFileWriter writer (output.descriptor(), options.format, input.sampleRate(), input.numChannels(), input.lengthInFrames(),
                                  options.output);
        int64_t frames = 0;
        int64_t changedSamples = 0;
        {
            // The file work overlaps the processing; both threads are done with the files when this scope ends.
            host::ReadAhead reading (input);
            // A write that fails ends the render even while the input stalls.
            host::WriteBehind writing (writer, input.numChannels(), [&reading] { reading.cancelRead(); });
            ChangedSamples comparison (reading, writing);
            host::Progress progress (input.lengthInFrames(), input.sampleRate(), ::isatty (STDERR_FILENO) == 1);
            frames = host::renderStream (instance, comparison.source(), comparison.sink(), [&progress] (int64_t done) {
                host::throwIfInterrupted();
                progress.update (done);
            });
            writing.finish();
            changedSamples = comparison.count();
        }
        writer.close();
        if (file != nullptr)
            reportInputProblems (*file, options.input);

        const auto pictureSize = picture ? writeWindowPicture (instance, *picture) : std::string {};

        // On disk first, while a signal still leaves every destination as it
        // was; then renamed into place, which a signal no longer stops.
        output.sync();
        if (picture)
            picture->sync();
        host::Commit commit;
        output.commit();
        if (picture)
            commitPicture (*picture, options.output);
        commit.done();
        reportOutput (options, writer, frames, input.sampleRate());
        if (passthrough && ! loss)
            reportPassthrough (changedSamples);
        if (picture)
            std::cout << "Wrote a picture of the window to " << host::printable (options.screenshot) << " (" << pictureSize << ")\n";
        // Said before the module is unloaded, which is not quick.
        std::cout.flush();
        return EXIT_SUCCESS;
    }
}

int main (int argc, char** argv)
{
    host::openClosedStandardDescriptors();
    host::installInterruptHandlers();
    const host::StandardStreams streams;
    // The module's framework opens an X display as it starts (DISPLAY's, or
    // :0 without one), screenshot or not, so a lost X server can end any render.
    host::installLenientXErrorHandler();
    host::setXConnectionLossHandler ([] { host::failAbruptly ("lost the connection to the X display"); });
    try
    {
        const auto options = host::parseRenderOptions (argc, argv, KICK_DEFAULT_MODULE_PATH);
        if (options.help)
        {
            std::cout << host::renderUsage;
            return EXIT_SUCCESS;
        }
        // Stopped when this scope ends, after the module that uses it is gone.
        std::optional<host::VirtualDisplay> virtualDisplay;
        if (needsVirtualDisplay (options))
        {
            virtualDisplay.emplace();
            ::setenv ("DISPLAY", virtualDisplay->name().c_str(), 1);
        }
        return run (options);
    }
    catch (const host::Interrupted& interruption)
    {
        std::cerr << "kick_host: " << interruption.what() << "\n";
        host::endBySignal (interruption.signal);
    }
    catch (const host::UsageError& error)
    {
        std::cerr << "kick_host: " << host::printable (error.what()) << "\n";
        return exitUsage;
    }
    catch (const std::exception& error)
    {
        std::cerr << "kick_host: " << host::printable (error.what()) << "\n";
        return exitFailure;
    }
}
