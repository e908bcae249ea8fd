// AAX_PlugInChunk.h: the chunk record in which the host saves and restores an effect's state.
#pragma once

#include "AAX.h"

#include <cstddef>

/** A chunk as the host lays it out: a fixed header in the machine's byte order,
    then fSize bytes of data. fData is the first of those bytes; the host
    allocates the record large enough for all of them. */
struct AAX_SPlugInChunk
{
    static constexpr size_t kNameSize = 32;

    int32_t fSize;            // bytes of data after the header
    int32_t fVersion;
    AAX_CTypeID fManufacturerID;
    AAX_CTypeID fProductID;
    AAX_CTypeID fPlugInID;
    AAX_CTypeID fChunkID;
    char fName[kNameSize];    // NUL-padded
    char fData[1];
};

/** The bytes before fData. */
constexpr size_t kAAX_PlugInChunkHeaderSize = 56;

static_assert (offsetof (AAX_SPlugInChunk, fSize) == 0, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fVersion) == 4, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fManufacturerID) == 8, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fProductID) == 12, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fPlugInID) == 16, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fChunkID) == 20, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fName) == 24, "host chunk layout");
static_assert (offsetof (AAX_SPlugInChunk, fData) == kAAX_PlugInChunkHeaderSize, "host chunk layout");
