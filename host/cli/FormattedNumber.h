// FormattedNumber.h: one number as text in a printf format, for kick_host's messages.
#pragma once

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
}
