// AAX_CHostServices.h: the module-wide host services: install/remove, trace lines and assertion reports.
#pragma once

#include "AAX.h"

class IACFUnknown;

// Everything here is dropped silently while no host services are installed.
class AAX_CHostServices
{
public:
    AAX_CHostServices() = delete;

    // Installs services on the host object when none are installed; with
    // null, removes installed ones. A second install keeps the first.
    static void Set (IACFUnknown* hostUnknown);

    // printf-style; the text reaches the host cut to 511 characters.
    static void Trace (int32_t priority, const char* format, ...) __attribute__ ((format (printf, 2, 3)));

    // Forwards a failed assertion; answers the host's result, or 0 without services.
    static AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags);
};
