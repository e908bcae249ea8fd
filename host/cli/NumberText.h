// NumberText.h: one number as text in a printf format, for messages.
#pragma once

#include <cstdio>
#include <string>

namespace host
{
    // Such as numberText ("%.1f s", 8.0) for "8.0 s"; the format takes exactly one double.
    inline std::string numberText (const char* format, double value)
    {
        char text[64];
        std::snprintf (text, sizeof (text), format, value);
        return text;
    }
}
