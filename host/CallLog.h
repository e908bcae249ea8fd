// CallLog.h: the host's record of every call the module makes on a host object: (interface, position, arguments).
#pragma once

#include "HostUid.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace host
{
    struct Call
    {
        std::string object;                 // the host object's name, e.g. "HostServices"
        int position = 0;                   // the operation's position in the table
        std::vector<std::string> arguments; // each argument as text (see CallLog::text)

        bool operator== (const Call& other) const
        {
            return object == other.object && position == other.position && arguments == other.arguments;
        }
    };

    // Shared by all objects of one host, so the order across objects shows.
    // Thread-safe: the module may call from any thread.
    class CallLog
    {
    public:
        void record (Call call);
        std::vector<Call> calls() const;
        // Only the calls made on one object, in order.
        std::vector<Call> callsTo (const std::string& object) const;
        void clear();

        // How arguments are written: integers in decimal, strings as they
        // are ("<null>" for a null one), identifiers by name, pointers in hex.
        static std::string text (int64_t value) { return std::to_string (value); }
        static std::string text (const char* value) { return value != nullptr ? value : "<null>"; }
        static std::string text (const Uid& uid);
        static std::string text (const void* pointer);

    private:
        mutable std::mutex lock;
        std::vector<Call> log;
    };

    std::ostream& operator<< (std::ostream& stream, const Call& call);
}
