// PluginModule.cpp: loading a module and looking its entry points up by name.
#include "PluginModule.h"

#include <dlfcn.h>
#include <stdexcept>

namespace
{
    template <typename Function>
    void resolve (void* handle, const char* name, Function& function)
    {
        void* symbol = dlsym (handle, name);
        if (symbol == nullptr)
            throw std::runtime_error (std::string ("the module does not export ") + name);
        function = reinterpret_cast<Function> (symbol);
    }
}

host::PluginModule::PluginModule (const std::string& path)
    : modulePath (path),
      // Local binding keeps two modules' private symbols apart, as a host does.
      handle (dlopen (path.c_str(), RTLD_NOW | RTLD_LOCAL))
{
    if (handle == nullptr)
    {
        const char* error = dlerror();
        throw std::runtime_error ("cannot load " + path + ": " + (error != nullptr ? error : "unknown error"));
    }

    try
    {
        resolve (handle, "ACFRegisterPlugin", entries.registerPlugin);
        resolve (handle, "ACFRegisterComponent", entries.registerComponent);
        resolve (handle, "ACFGetClassFactory", entries.getClassFactory);
        resolve (handle, "ACFCanUnloadNow", entries.canUnloadNow);
        resolve (handle, "ACFStartup", entries.startup);
        resolve (handle, "ACFShutdown", entries.shutdown);
        resolve (handle, "ACFGetSDKVersion", entries.getSDKVersion);
    }
    catch (...)
    {
        dlclose (handle);
        throw;
    }
}

host::PluginModule::~PluginModule()
{
    dlclose (handle);
}
