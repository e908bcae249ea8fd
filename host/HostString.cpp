// HostString.cpp: reading a string object through its table.
#include "HostString.h"

#include "HostRuntimeInterfaces.h"

namespace
{
    constexpr int getPosition = 4;
}

std::string host::textOf (const void* stringObject)
{
    if (stringObject == nullptr)
        return {};
    const char* text = callAtPosition<const char*> (const_cast<void*> (stringObject), getPosition);
    return text != nullptr ? text : "";
}

host::HostString& host::HostString::AssignString (const void* otherString)
{
    value = textOf (otherString);
    return *this;
}
