// AAX_CHostServices.cpp: the module-wide host-services object and the free tracing functions.
#include "AAX_CHostServices.h"

#include "AAX_VHostServices.h"

#include <cstdarg>
#include <cstdio>
#include <memory>

namespace
{
    // Written only by the module's start and shutdown, which the host never
    // runs alongside other calls into the module; read without a lock.
    std::unique_ptr<AAX_VHostServices> hostServices;

    // Trace lines are formatted on the caller's stack: any thread may trace.
    constexpr size_t traceBufferSize = 512;
}

void AAX_CHostServices::Set (IACFUnknown* hostUnknown)
{
    if (hostUnknown != nullptr && hostServices == nullptr)
        hostServices = std::make_unique<AAX_VHostServices> (hostUnknown);
    else if (hostUnknown == nullptr)
        hostServices.reset();
}

void AAX_CHostServices::Trace (int32_t priority, const char* format, ...)
{
    if (hostServices == nullptr)
        return;

    char text[traceBufferSize];
    va_list arguments;
    va_start (arguments, format);
    std::vsnprintf (text, sizeof (text), format, arguments);
    va_end (arguments);

    hostServices->Trace (priority, text);
}

AAX_Result AAX_CHostServices::HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags)
{
    if (hostServices == nullptr)
        return 0;
    return hostServices->HandleAssertFailure (file, line, expression, flags);
}
