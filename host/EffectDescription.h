// EffectDescription.h: what a module registered, as the host keeps it: names, procedures, components with their fields and properties.
#pragma once

#include "CallLog.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace host
{
    using CreationProcedure = void* (*)();
    using ProcessProcedure = void (*) (void* const instancesBegin[], const void* const instancesEnd);

    // One field of a component's algorithm context, by kind.
    struct FieldDescription
    {
        enum class Kind
        {
            audioIn,
            audioOut,
            audioBufferLength,
            dataInPort,  // a packet the host delivers from PostPacket
            privateData, // a block the module fills through ResetFieldData
            other        // declared, but this host leaves it null
        };

        uint32_t index = 0;
        Kind kind = Kind::other;
        uint32_t size = 0; // bytes, for ports and private data
    };

    struct ComponentDescription
    {
        std::vector<FieldDescription> fields; // in the order declared
        std::map<int32_t, int32_t> properties;
        ProcessProcedure process = nullptr;

        std::optional<int32_t> property (int32_t id) const;
        // The stem formats' channel counts (the low 16 bits).
        int inputChannels() const;
        int outputChannels() const;
    };

    struct EffectDescription
    {
        std::string effectID;
        std::vector<std::string> names;
        uint32_t category = 0;
        CreationProcedure createParameters = nullptr;
        CreationProcedure createGUI = nullptr;
        std::vector<ComponentDescription> components;
        std::string manufacturer;
        std::vector<std::string> packageNames;
        uint32_t packageVersion = 0;

        // The component for that channel configuration, or null.
        const ComponentDescription* component (int inputChannels, int outputChannels) const;
    };

    // Reads the registration calls of the host's call log (collection,
    // effect descriptor, component descriptors, property maps), as a host
    // keeps what a module declared. Only the first effect added is read.
    std::optional<EffectDescription> describeRegisteredEffect (const std::vector<Call>& calls);

    // Property identifiers and procedure kinds the host reads.
    namespace properties
    {
        constexpr int32_t manufacturerID = 11;
        constexpr int32_t productID = 12;
        constexpr int32_t pluginIDNative = 13;
        constexpr int32_t pluginIDAudioSuite = 14;
        constexpr int32_t inputStemFormat = 51;
        constexpr int32_t outputStemFormat = 52;
        constexpr int32_t canBypass = 60;
        constexpr int32_t multiMonoSupport = 304;
    }

    namespace procedureKinds
    {
        constexpr uint32_t createEffectParameters = 0;
        constexpr uint32_t createEffectGUI = 1;
    }
}
