// AAX_VAutomationDelegate.h: forwards automation requests to the host's automation delegate.
#pragma once

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IAutomationDelegate.h"
#include "ACFPtr.h"

// Every operation answers -20004 when the host offers no automation delegate.
class AAX_VAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    // Queries the host object (the instance's controller; may be null).
    explicit AAX_VAutomationDelegate (IACFUnknown* hostObject);

    AAX_Result RegisterParameter (AAX_CParamID parameterID) override;
    AAX_Result UnregisterParameter (AAX_CParamID parameterID) override;
    AAX_Result PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const override;
    AAX_Result PostTouchRequest (AAX_CParamID parameterID) override;
    AAX_Result PostReleaseRequest (AAX_CParamID parameterID) override;
    AAX_Result GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* touchedOut) override;

private:
    ACFPtr<AAX_IACFAutomationDelegate> delegateV1;
};
