// AAX_VHostServices.cpp: host services created version by version through the host's component factory.
#include "AAX_VHostServices.h"

#include "AAX_Errors.h"
#include "AAX_HostComponent.h"

AAX_VHostServices::AAX_VHostServices (IACFUnknown* hostUnknown)
{
    const auto factory = AAX_HostComponentFactory (hostUnknown);
    if (! factory)
        return;

    // Each version is its own component: a host may offer any subset.
    AAX_CreateHostComponent (*factory.get(), AAXCompID_HostServices, IID_IAAXHostServicesV1, servicesV1);
    AAX_CreateHostComponent (*factory.get(), AAXCompID_HostServices, IID_IAAXHostServicesV2, servicesV2);
    AAX_CreateHostComponent (*factory.get(), AAXCompID_HostServices, IID_IAAXHostServicesV3, servicesV3);
}

AAX_Result AAX_VHostServices::HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags) const
{
    if (! servicesV3)
        return AAX_ERROR_NULL_OBJECT;
    return servicesV3->HandleAssertFailure (file, line, expression, flags);
}

AAX_Result AAX_VHostServices::Trace (int32_t priority, const char* message) const
{
    if (! servicesV1)
        return AAX_ERROR_NULL_OBJECT;
    return servicesV1->Trace (priority, message);
}

AAX_Result AAX_VHostServices::StackTrace (int32_t tracePriority, int32_t stackTracePriority, const char* message) const
{
    if (! servicesV2)
        return AAX_ERROR_UNIMPLEMENTED;
    return servicesV2->StackTrace (tracePriority, stackTracePriority, message);
}
