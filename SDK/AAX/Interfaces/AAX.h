// AAX.h: the interface library's basic value types and field-index helper.
#pragma once

#include <cstddef>
#include <cstdint>

// A signed result code: 0 for success, negative for failures (see AAX_Errors.h).
using AAX_Result = int32_t;
// A four-character code whose most significant byte is the first character.
using AAX_CTypeID = uint32_t;
// A parameter identifier: a NUL-terminated byte string.
using AAX_CParamID = const char*;
using AAX_CPropertyValue = int32_t;
using AAX_CBoolean = uint8_t;
using AAX_CIndex = uint32_t;
using AAX_CCount = uint32_t;
using AAX_CFieldIndex = int32_t;
using AAX_CSelector = uint32_t;
using AAX_CSampleRate = float;
using AAX_CTimestamp = uint64_t;
using AAX_CTimeOfDay = uint64_t;
using AAX_CTransportCounter = int64_t;

// Calling-convention marker for procedures the host calls directly. The
// platform default applies on every target this library builds for.
#define AAX_CALLBACK

// The field index of a member of an algorithm context: contexts are arrays of
// pointer-sized fields, so a member's index is its offset in pointers.
#define AAX_FIELD_INDEX(contextType, member) \
    (static_cast<AAX_CFieldIndex> (offsetof (contextType, member) / sizeof (void*)))
