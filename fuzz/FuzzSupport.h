#pragma once

// What the fuzz targets share: a finding is a crash, a sanitizer report, or a
// broken promise checked with FUZZ_EXPECT, which aborts so that libFuzzer
// keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

#define FUZZ_EXPECT(condition)                                                             \
    do                                                                                     \
    {                                                                                      \
        if (! (condition))                                                                 \
        {                                                                                  \
            std::fprintf (stderr, "%s:%d: expected %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)
