// HostString.h: the host's own string object, handed to the module wherever an interface reads or fills a string.
#pragma once

#include <cstdint>
#include <string>

namespace host
{
    // Declared by position like the other host tables: positions 0 and 1 are
    // the destructor's two forms, then length, largest length, text, set, and
    // the two assignments. The module may hand its own string to position 6,
    // so that one reads the other string through its table only.
    class HostString
    {
    public:
        explicit HostString (std::string initial = {}) : value (std::move (initial)) {}
        HostString (const HostString&) = delete;
        HostString& operator= (const HostString&) = delete;
        virtual ~HostString() = default;                                   // 0, 1

        virtual uint32_t Length() const { return static_cast<uint32_t> (value.size()); } // 2
        virtual uint32_t MaxLength() const { return 0xFFFFFFFEu; }                      // 3
        virtual const char* Get() const { return value.c_str(); }                       // 4
        virtual void Set (const char* text) { value = text != nullptr ? text : ""; }    // 5
        virtual HostString& AssignString (const void* otherString);                      // 6
        virtual HostString& AssignText (const char* text) { Set (text); return *this; } // 7

        const std::string& text() const noexcept { return value; }

    private:
        std::string value;
    };

    // The text of any string object that follows that table, the module's included.
    std::string textOf (const void* stringObject);
}
