// HostServices.cpp: recording trace lines and assertion reports.
#include "HostServices.h"

void host::ServicesRecord::addTrace (TraceLine line)
{
    const std::lock_guard<std::mutex> guard (lock);
    traceLines.push_back (std::move (line));
}

void host::ServicesRecord::addAssertion (AssertionReport report)
{
    const std::lock_guard<std::mutex> guard (lock);
    assertionReports.push_back (std::move (report));
}

std::vector<host::TraceLine> host::ServicesRecord::traces() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return traceLines;
}

std::vector<host::AssertionReport> host::ServicesRecord::assertions() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return assertionReports;
}

void host::ServicesRecord::clear()
{
    const std::lock_guard<std::mutex> guard (lock);
    traceLines.clear();
    assertionReports.clear();
}

host::HostServices::HostServices (CallLog& log, ServicesRecord& recordToUse, int highestVersion)
    : HostObject ("HostServices", log), sink (recordToUse)
{
    const Uid versions[] { uids::IID_IAAXHostServicesV1, uids::IID_IAAXHostServicesV2, uids::IID_IAAXHostServicesV3 };
    for (int version = 1; version <= highestVersion && version <= 3; ++version)
        offer ({ versions[version - 1] });
}

int32_t host::HostServices::Assert (const char* file, int32_t line, const char* expression)
{
    record (3, { CallLog::text (file), CallLog::text (line), CallLog::text (expression) });
    return answer;
}

int32_t host::HostServices::Trace (int32_t priority, const char* message)
{
    record (4, { CallLog::text (priority), CallLog::text (message) });
    sink.addTrace ({ priority, CallLog::text (message) });
    return answer;
}

int32_t host::HostServices::StackTrace (int32_t priority, int32_t stackTracePriority, const char* message)
{
    record (5, { CallLog::text (priority), CallLog::text (stackTracePriority), CallLog::text (message) });
    return answer;
}

int32_t host::HostServices::HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags)
{
    record (6, { CallLog::text (file), CallLog::text (line), CallLog::text (expression), CallLog::text (flags) });
    sink.addAssertion ({ CallLog::text (file), line, CallLog::text (expression), flags });
    return answer;
}
