// HostServices.h: the host's trace and assertion services, recording every line and report the module sends.
#pragma once

#include "HostObject.h"

#include <mutex>
#include <vector>

namespace host
{
    struct TraceLine
    {
        int32_t priority;
        std::string text;
        bool operator== (const TraceLine& other) const { return priority == other.priority && text == other.text; }
    };

    struct AssertionReport
    {
        std::string file;
        int32_t line;
        std::string expression;
        int32_t flags;
    };

    // Where all host-services components of one host write: the module makes
    // a separate component for each version it uses.
    class ServicesRecord
    {
    public:
        void addTrace (TraceLine line);
        void addAssertion (AssertionReport report);
        std::vector<TraceLine> traces() const;
        std::vector<AssertionReport> assertions() const;
        void clear();

    private:
        mutable std::mutex lock;
        std::vector<TraceLine> traceLines;
        std::vector<AssertionReport> assertionReports;
    };

    // One host-services component. It answers the versions the host offers;
    // every operation answers 0 unless a test sets another answer.
    class HostServices final : public HostObject<IHostServicesV3Slots>
    {
    public:
        HostServices (CallLog& log, ServicesRecord& record, int highestVersion);

        int32_t Assert (const char* file, int32_t line, const char* expression) override;
        int32_t Trace (int32_t priority, const char* message) override;
        int32_t StackTrace (int32_t priority, int32_t stackTracePriority, const char* message) override;
        int32_t HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags) override;

        void setAnswer (int32_t result) noexcept { answer = result; }

    private:
        ServicesRecord& sink;
        std::atomic<int32_t> answer { resultOk };
    };
}
