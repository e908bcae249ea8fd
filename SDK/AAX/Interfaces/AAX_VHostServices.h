// AAX_VHostServices.h: forwards trace and assertion calls to whichever versions of the host's services exist.
#pragma once

#include "AAX_IHostServices.h"
#include "AAX_IACFHostServices.h"
#include "ACFPtr.h"

class AAX_VHostServices : public AAX_IHostServices
{
public:
    // Creates each version separately through the host object's component factory.
    explicit AAX_VHostServices (IACFUnknown* hostUnknown);

    // -20004 without version 3.
    AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags) const override;
    // -20004 without version 1.
    AAX_Result Trace (int32_t priority, const char* message) const override;
    // -20009 without version 2.
    AAX_Result StackTrace (int32_t tracePriority, int32_t stackTracePriority, const char* message) const override;

private:
    ACFPtr<AAX_IACFHostServices> servicesV1;
    ACFPtr<AAX_IACFHostServices_V2> servicesV2;
    ACFPtr<AAX_IACFHostServices_V3> servicesV3;
};
