// AAX_VViewContainer.cpp: view operations forwarded to the version of the host's container that has them.
#include "AAX_VViewContainer.h"

#include "AAX_Errors.h"
#include "AAX_UIDs.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* hostObject)
{
    containerV1.query (hostObject, IID_IAAXViewContainerV1);
    containerV2.query (hostObject, IID_IAAXViewContainerV2);
}

int32_t AAX_VViewContainer::GetType() const
{
    return containerV1 ? containerV1->GetType() : AAX_eViewContainer_Type_NULL;
}

void* AAX_VViewContainer::GetPtr() const
{
    return containerV1 ? containerV1->GetPtr() : nullptr;
}

AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* modifiersOut)
{
    return containerV1 ? containerV1->GetModifiers (modifiersOut) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::SetViewSize (const AAX_Point& size)
{
    return containerV1 ? containerV1->SetViewSize (size) : AAX_SUCCESS;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers)
{
    return containerV1 ? containerV1->HandleParameterMouseDown (parameterID, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers)
{
    return containerV1 ? containerV1->HandleParameterMouseDrag (parameterID, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers)
{
    return containerV1 ? containerV1->HandleParameterMouseUp (parameterID, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers)
{
    return containerV2 ? containerV2->HandleMultipleParametersMouseDown (parameterIDs, count, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers)
{
    return containerV2 ? containerV2->HandleMultipleParametersMouseDrag (parameterIDs, count, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}

AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers)
{
    return containerV2 ? containerV2->HandleMultipleParametersMouseUp (parameterIDs, count, modifiers) : AAX_ERROR_UNIMPLEMENTED;
}
