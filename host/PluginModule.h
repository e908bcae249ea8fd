// PluginModule.h: a plug-in module loaded with dlopen, and its seven entry points as the host calls them.
#pragma once

#include "HostInterfaces.h"

#include <string>

namespace host
{
    // The entry points' signatures, declared on the host's side.
    struct EntryPoints
    {
        int32_t (*registerPlugin) (IUnknownSlots* host, IUnknownSlots** definitionOut) = nullptr;
        int32_t (*registerComponent) (IUnknownSlots* host, uint32_t index, IUnknownSlots** componentOut) = nullptr;
        int32_t (*getClassFactory) (IUnknownSlots* host, const Uid& classId, const Uid& iid, void** factoryOut) = nullptr;
        int32_t (*canUnloadNow) (IUnknownSlots* host) = nullptr;
        int32_t (*startup) (IUnknownSlots* host) = nullptr;
        int32_t (*shutdown) (IUnknownSlots* host) = nullptr;
        int32_t (*getSDKVersion) (uint64_t* versionOut) = nullptr;
    };

    // Loads the module and resolves every entry point, or throws
    // std::runtime_error naming what is missing. Unloads on destruction.
    class PluginModule
    {
    public:
        explicit PluginModule (const std::string& path);
        PluginModule (const PluginModule&) = delete;
        PluginModule& operator= (const PluginModule&) = delete;
        ~PluginModule();

        const EntryPoints& entryPoints() const noexcept { return entries; }
        const std::string& path() const noexcept { return modulePath; }

    private:
        std::string modulePath;
        void* handle = nullptr;
        EntryPoints entries;
    };
}
