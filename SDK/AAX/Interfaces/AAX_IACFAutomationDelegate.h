// AAX_IACFAutomationDelegate.h: the host's automation-delegate interface as its table of operations.
#pragma once

#include "AAX.h"
#include "IACFUnknown.h"

class AAX_IACFAutomationDelegate : public IACFUnknown
{
public:
    virtual AAX_Result RegisterParameter (AAX_CParamID parameterID) = 0;                         // 3
    virtual AAX_Result UnregisterParameter (AAX_CParamID parameterID) = 0;                       // 4
    virtual AAX_Result PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) = 0; // 5
    virtual AAX_Result PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) = 0;  // 6
    virtual AAX_Result PostTouchRequest (AAX_CParamID parameterID) = 0;                          // 7
    virtual AAX_Result PostReleaseRequest (AAX_CParamID parameterID) = 0;                        // 8
    virtual AAX_Result GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* touchedOut) = 0;   // 9

protected:
    ~AAX_IACFAutomationDelegate() = default;
};
