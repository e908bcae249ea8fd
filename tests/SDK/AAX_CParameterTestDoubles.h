// Test doubles for parameter and dispatcher tests: a recording automation
// delegate and a scoped host whose services record assertion reports.
#pragma once

#include <AAX_CHostServices.h>
#include <AAX_IACFHostServices.h>
#include <AAX_IAutomationDelegate.h>
#include <AAX_UIDs.h>
#include <IACFComponentFactory.h>

#include <string>
#include <vector>

/** Records every call as one line of text, for example "set Gain 0.5". */
class RecordingAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    AAX_Result RegisterParameter (AAX_CParamID id) override             { return record ("register", id); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override           { return record ("unregister", id); }
    AAX_Result PostSetValueRequest (AAX_CParamID id, double v) const override { return record ("set", id, v); }
    AAX_Result PostCurrentValue (AAX_CParamID id, double v) const override    { return record ("current", id, v); }
    AAX_Result PostTouchRequest (AAX_CParamID id) override              { return record ("touch", id); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override            { return record ("release", id); }
    AAX_Result GetTouchState (AAX_CParamID id, AAX_CBoolean*) override  { return record ("touchstate", id); }

    mutable std::vector<std::string> calls;

private:
    AAX_Result record (const char* what, AAX_CParamID id) const
    {
        calls.push_back (std::string (what) + " " + id);
        return 0;
    }

    AAX_Result record (const char* what, AAX_CParamID id, double value) const
    {
        char number[32];
        std::snprintf (number, sizeof (number), " %g", value);
        calls.push_back (std::string (what) + " " + id + number);
        return 0;
    }
};

/** Installs host services for its lifetime; they record the assertion reports. */
class ScopedAssertionRecorder : private IACFComponentFactory, private AAX_IACFHostServices_V3
{
public:
    struct Report { std::string file; int32_t line; std::string expression; };

    ScopedAssertionRecorder()  { AAX_CHostServices::Set (static_cast<IACFComponentFactory*> (this)); }
    ~ScopedAssertionRecorder() { AAX_CHostServices::Set (nullptr); }

    std::vector<Report> reports;

private:
    acfResult QueryInterface (const acfIID& iid, void** out) override
    {
        if (iid != IID_IACFComponentFactory)
            return ACF_E_NOINTERFACE;

        *out = static_cast<IACFComponentFactory*> (this);
        return ACF_OK;
    }

    acfUInt32 AddRef() override  { return 1; }
    acfUInt32 Release() override { return 1; }

    acfResult CreateInstance (const acfCLSID&, IACFUnknown*, const acfIID& iid, void** out) override
    {
        if (iid != IID_IAAXHostServicesV3)
            return ACF_E_NOINTERFACE;

        *out = static_cast<AAX_IACFHostServices_V3*> (this);
        return ACF_OK;
    }

    AAX_Result Assert (const char*, int32_t, const char*) override { return 0; }
    AAX_Result Trace (int32_t, const char*) override { return 0; }
    AAX_Result StackTrace (int32_t, int32_t, const char*) override { return 0; }

    AAX_Result HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t) override
    {
        reports.push_back ({ file, line, expression });
        return 0;
    }
};
