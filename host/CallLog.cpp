// CallLog.cpp: recording and reading back the module's calls.
#include "CallLog.h"

#include "HostUids.h"

#include <cstdio>
#include <ostream>

void host::CallLog::record (Call call)
{
    const std::lock_guard<std::mutex> guard (lock);
    log.push_back (std::move (call));
}

std::vector<host::Call> host::CallLog::calls() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return log;
}

std::vector<host::Call> host::CallLog::callsTo (const std::string& object) const
{
    std::vector<Call> matching;
    for (auto& call : calls())
        if (call.object == object)
            matching.push_back (std::move (call));
    return matching;
}

void host::CallLog::clear()
{
    const std::lock_guard<std::mutex> guard (lock);
    log.clear();
}

std::string host::CallLog::text (const Uid& uid)
{
    return uidName (uid);
}

std::string host::CallLog::text (const void* pointer)
{
    char buffer[32];
    std::snprintf (buffer, sizeof (buffer), "%p", pointer);
    return buffer;
}

std::ostream& host::operator<< (std::ostream& stream, const Call& call)
{
    stream << call.object << '[' << call.position << "](";
    for (size_t i = 0; i < call.arguments.size(); ++i)
        stream << (i == 0 ? "" : ", ") << '"' << call.arguments[i] << '"';
    return stream << ')';
}
