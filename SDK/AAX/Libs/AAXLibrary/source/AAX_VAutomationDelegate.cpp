// AAX_VAutomationDelegate.cpp: automation requests forwarded to version 1 of the host's delegate.
#include "AAX_VAutomationDelegate.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* hostObject)
{
    delegateV1.query (hostObject, IID_IAAXAutomationDelegateV1);
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter (AAX_CParamID parameterID)
{
    return delegateV1 ? delegateV1->RegisterParameter (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::UnregisterParameter (AAX_CParamID parameterID)
{
    return delegateV1 ? delegateV1->UnregisterParameter (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (AAX_CParamID parameterID, double normalizedValue) const
{
    return delegateV1 ? delegateV1->PostSetValueRequest (parameterID, normalizedValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostCurrentValue (AAX_CParamID parameterID, double normalizedValue) const
{
    return delegateV1 ? delegateV1->PostCurrentValue (parameterID, normalizedValue) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostTouchRequest (AAX_CParamID parameterID)
{
    return delegateV1 ? delegateV1->PostTouchRequest (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (AAX_CParamID parameterID)
{
    return delegateV1 ? delegateV1->PostReleaseRequest (parameterID) : AAX_ERROR_NULL_OBJECT;
}

AAX_Result AAX_VAutomationDelegate::GetTouchState (AAX_CParamID parameterID, AAX_CBoolean* touchedOut)
{
    return delegateV1 ? delegateV1->GetTouchState (parameterID, touchedOut) : AAX_ERROR_NULL_OBJECT;
}
