// AAX_IACFHostServices.h: the host's host-services interface, versions 1 to 3, as tables of operations.
#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

class AAX_IACFHostServices : public IACFUnknown
{
public:
    // Position 3: the first version's assertion hook, superseded by
    // HandleAssertFailure and never called by this module.
    virtual AAX_Result Assert (const char* file, int32_t line, const char* expression) = 0;
    virtual AAX_Result Trace (int32_t priority, const char* message) = 0; // position 4

protected:
    ~AAX_IACFHostServices() = default;
};

class AAX_IACFHostServices_V2 : public AAX_IACFHostServices
{
public:
    virtual AAX_Result StackTrace (int32_t tracePriority, int32_t stackTracePriority, const char* message) = 0; // position 5

protected:
    ~AAX_IACFHostServices_V2() = default;
};

class AAX_IACFHostServices_V3 : public AAX_IACFHostServices_V2
{
public:
    virtual AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags) = 0; // position 6

protected:
    ~AAX_IACFHostServices_V3() = default;
};
