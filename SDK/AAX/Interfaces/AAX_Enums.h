// AAX_Enums.h: enumerations shared by the plug-in side and the host side of the interface.
#pragma once

#include "AAX.h"

// Priority words that accompany trace lines sent to the host.
enum AAX_ETracePriorityHost : int32_t
{
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_High = 0x08000000
};
