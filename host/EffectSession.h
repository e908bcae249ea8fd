// EffectSession.h: a module loaded, started and registered, and effect instances driven on it as a host drives them.
#pragma once

#include "AlgorithmContext.h"
#include "EffectDescription.h"
#include "HostRegistration.h"
#include "HostViewContainer.h"
#include "PluginModule.h"
#include "TestHost.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace host
{
    // Loads the module, starts it and registers its effect; shuts it down on
    // destruction. Throws std::runtime_error with a message for the user when
    // the module cannot be loaded or does not register an effect.
    class LoadedEffect
    {
    public:
        explicit LoadedEffect (const std::string& modulePath);
        LoadedEffect (const LoadedEffect&) = delete;
        LoadedEffect& operator= (const LoadedEffect&) = delete;
        ~LoadedEffect();

        TestHost& host() noexcept { return testHost; }
        const EntryPoints& entryPoints() const noexcept { return module.entryPoints(); }
        const EffectDescription& description() const noexcept { return effect; }
        // The module's live objects: 0 once every instance is gone.
        int32_t liveObjects() const;
        // Stops the module (ACFShutdown) before it is unloaded; once only.
        void shutdown();

    private:
        TestHost testHost;
        PluginModule module;
        bool started = false;
        HostRegistration registration { testHost };
        EffectDescription effect;
    };

    // A parameter as the host lists it.
    struct HostParameter
    {
        std::string id;
        std::string name;
        int32_t steps = 0;
    };

    // One instance of the effect in a mono or stereo configuration: created
    // through the registered procedures, initialised, its private data reset;
    // released on destruction. Like a host, it makes the window object only
    // when the window is wanted.
    class EffectInstance
    {
    public:
        enum class Window
        {
            none,
            wanted
        };

        EffectInstance (LoadedEffect& effect, int channels, float sampleRate, Window window = Window::none);
        EffectInstance (const EffectInstance&) = delete;
        EffectInstance& operator= (const EffectInstance&) = delete;
        ~EffectInstance();

        HostInstance& objects() noexcept { return *instance; }
        IEffectParametersV4Slots& parameters() { return *instance->parameters(); }
        int channels() const noexcept { return numChannels; }

        // Any number of samples, in blocks of at most 1024: before each block
        // the parameters object posts its changed packets and the host
        // delivers them to the data ports.
        void process (const float* const* inputs, float* const* outputs, int numSamples);
        // The context of the native process procedure alone, for checks of
        // what the procedure itself does (no packets are delivered through it).
        AlgorithmContext& algorithm() noexcept { return *context; }

        // The published parameters, in index order.
        std::vector<HostParameter> listParameters();
        std::optional<HostParameter> findParameterByName (const std::string& name);
        double normalizedValue (const std::string& id);
        std::string valueText (const std::string& id, double normalized);
        std::optional<double> normalizedFromText (const std::string& id, const std::string& text);
        // Sets a value as the host's automation does: the request goes to the
        // module, which asks the host; the host confirms it to the module.
        int32_t automate (const std::string& id, double normalized);

        // Hands the window object a real view (an X11 window when a display
        // is there) and sizes the view to what the window asks for, as a host
        // does once the window is attached. Answers the container, or null.
        HostViewContainer* openWindow();
        void closeWindow();

        // A whole chunk record (header and data) for that chunk ID; empty on failure.
        std::vector<uint8_t> fetchChunk (uint32_t chunkID);
        // Sets a chunk, then confirms the value requests it caused.
        int32_t restoreChunk (uint32_t chunkID, const std::vector<uint8_t>& record);
        std::vector<uint32_t> chunkIDs();

        void release (Teardown teardown = {});

    private:
        int numChannels;
        std::unique_ptr<HostInstance> instance;
        std::unique_ptr<AlgorithmContext> context;
    };

    // Chunk record layout: a 56-byte header, then the data; the size field comes first.
    constexpr size_t chunkHeaderSize = 56;
}
