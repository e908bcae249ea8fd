// ACFBaseTypes.h: the component layer's integer types, 16-byte identifiers and result codes.
#pragma once

#include <cstdint>
#include <cstring>

using acfSInt32 = int32_t;
using acfUInt32 = uint32_t;
using acfUInt64 = uint64_t;
using acfResult = int32_t;

// A 16-byte identifier in GUID layout: the three leading fields are stored in
// the machine's (little-endian) byte order, the last eight bytes as written.
struct acfUID
{
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

static_assert (sizeof (acfUID) == 16, "identifiers are exactly 16 bytes");

using acfIID = acfUID;   // names an interface
using acfCLSID = acfUID; // names a component class

// Two identifiers are the same when all 16 bytes are equal.
inline bool operator== (const acfUID& a, const acfUID& b) noexcept { return std::memcmp (&a, &b, sizeof (acfUID)) == 0; }
inline bool operator!= (const acfUID& a, const acfUID& b) noexcept { return ! (a == b); }

// Component-layer results, written in the layer's unsigned notation.
constexpr acfResult ACF_OK = 0;
constexpr acfResult ACF_E_INVALIDARG = static_cast<acfResult> (0x80000003u);
constexpr acfResult ACF_E_NOINTERFACE = static_cast<acfResult> (0x80000004u);
constexpr acfResult ACF_E_POINTER = static_cast<acfResult> (0x80000005u);
constexpr acfResult ACF_E_UNEXPECTED = static_cast<acfResult> (0x8000FFFFu);
