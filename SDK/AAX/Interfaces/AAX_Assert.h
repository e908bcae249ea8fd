// AAX_Assert.h: assertion and trace macros that report to the host's services.
#pragma once

#include "AAX_CHostServices.h"
#include "AAX_Enums.h"

// Flags word sent with every assertion report.
#define AAX_ASSERT_FLAGS 1

// Reports a false condition to the host and carries on: a plug-in must not
// stop the host's process for a broken invariant.
#define AAX_ASSERT(condition)                                                                          \
    do                                                                                                 \
    {                                                                                                  \
        if (! (condition))                                                                             \
            AAX_CHostServices::HandleAssertFailure (__FILE__, __LINE__, #condition, AAX_ASSERT_FLAGS); \
    } while (false)

#define AAX_TRACE(priority, ...) AAX_CHostServices::Trace ((priority), __VA_ARGS__)
