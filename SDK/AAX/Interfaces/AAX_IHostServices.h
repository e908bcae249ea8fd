// AAX_IHostServices.h: the plug-in side's view of the host's trace and assertion services.
#pragma once

#include "AAX.h"

class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    virtual AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags) const = 0;
    virtual AAX_Result Trace (int32_t priority, const char* message) const = 0;
    virtual AAX_Result StackTrace (int32_t tracePriority, int32_t stackTracePriority, const char* message) const = 0;
};
