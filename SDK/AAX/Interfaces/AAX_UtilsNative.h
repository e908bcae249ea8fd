// AAX_UtilsNative.h: helpers for native (host-processor) algorithms: the basic types and the field-index macro.
#pragma once

#include "AAX.h"
