// AAX_Exports.cpp: the seven entry points the host finds the module by. It is
// included into exactly one translation unit of the plug-in module, never
// compiled on its own, and is the only source of symbols the module exports.
#include "AAX_CHostServices.h"
#include "AAX_Errors.h"
#include "AAX_Registration.h"
#include "AAX_Version.h"
#include "CACFUnknown.h"

#define AAX_EXPORT_ENTRY_POINT extern "C" __attribute__ ((visibility ("default")))

namespace AAXExports
{
    // No exception may cross into the host: anything that reaches an entry
    // point is swallowed and answered as the component layer's unexpected error.
    template <typename Body>
    acfResult runGuarded (Body&& body) noexcept
    {
        try
        {
            return body();
        }
        catch (...)
        {
            return ACF_E_UNEXPECTED;
        }
    }
}

// Out pointers are checked before anything runs: writing through a null one
// would crash the host's process, which no catch-all can stop.

AAX_EXPORT_ENTRY_POINT acfResult ACFRegisterPlugin (IACFUnknown* hostUnknown, IACFPluginDefinition** pluginDefinitionOut)
{
    return AAXExports::runGuarded ([&] {
        if (pluginDefinitionOut == nullptr)
            return ACF_E_POINTER;
        return AAXRegisterPlugin (hostUnknown, pluginDefinitionOut);
    });
}

AAX_EXPORT_ENTRY_POINT acfResult ACFRegisterComponent (IACFUnknown*, acfUInt32, IACFComponentDefinition** componentOut)
{
    return AAXExports::runGuarded ([&] {
        if (componentOut == nullptr)
            return ACF_E_POINTER;
        *componentOut = nullptr;
        return ACF_OK;
    });
}

AAX_EXPORT_ENTRY_POINT acfResult ACFGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void** factoryOut)
{
    return AAXExports::runGuarded ([&] {
        if (factoryOut == nullptr)
            return ACF_E_POINTER;
        *factoryOut = nullptr;
        return acfResult { AAX_ERROR_UNIMPLEMENTED };
    });
}

// Answers the number of live objects: 0 means the module may be unloaded.
AAX_EXPORT_ENTRY_POINT acfResult ACFCanUnloadNow (IACFUnknown*)
{
    return AAXExports::runGuarded ([] { return static_cast<acfResult> (CACFUnknown::GetActiveObjectCount()); });
}

AAX_EXPORT_ENTRY_POINT acfResult ACFStartup (IACFUnknown* hostUnknown)
{
    return AAXExports::runGuarded ([&] {
        AAX_CHostServices::Set (hostUnknown);
        return ACF_OK;
    });
}

AAX_EXPORT_ENTRY_POINT acfResult ACFShutdown (IACFUnknown*)
{
    return AAXExports::runGuarded ([] {
        AAX_CHostServices::Set (nullptr);
        return ACF_OK;
    });
}

AAX_EXPORT_ENTRY_POINT acfResult ACFGetSDKVersion (acfUInt64* versionOut)
{
    return AAXExports::runGuarded ([&] {
        if (versionOut == nullptr)
            return ACF_E_POINTER;
        *versionOut = (acfUInt64 { AAX_SDK_VERSION } << 32) | acfUInt64 { AAX_SDK_CURRENT_REVISION };
        return ACF_OK;
    });
}
