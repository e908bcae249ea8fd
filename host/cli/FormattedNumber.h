// FormattedNumber.h: one number as text in a printf format, or as a count of things, for kick_host's messages.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace host
{
    // Such as formattedNumber ("%.1f s", 8.0) for "8.0 s"; the format takes exactly one double.
    inline std::string formattedNumber (const char* format, double value)
    {
        char text[64];
        std::snprintf (text, sizeof (text), format, value);
        return text;
    }

    // Such as counted (1, "sample", "samples") for "1 sample".
    inline std::string counted (int64_t count, const char* one, const char* many)
    {
        return std::to_string (count) + " " + (count == 1 ? one : many);
    }
}
