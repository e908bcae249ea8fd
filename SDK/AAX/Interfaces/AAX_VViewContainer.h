// AAX_VViewContainer.h: forwards view and parameter mouse operations to the host's view container.
#pragma once

#include "AAX_IACFViewContainer.h"
#include "AAX_IViewContainer.h"
#include "ACFPtr.h"

// Without a host container the effect's window has nowhere to go: the type is
// 0, the view null, and operations answer -20009, except SetViewSize, which
// accepts any size (there is no host window to refuse it).
class AAX_VViewContainer : public AAX_IViewContainer
{
public:
    // Queries the host's view-container object (may be null).
    explicit AAX_VViewContainer (IACFUnknown* hostObject);

    int32_t GetType() const override;
    void* GetPtr() const override;
    AAX_Result GetModifiers (uint32_t* modifiersOut) override;
    AAX_Result SetViewSize (const AAX_Point& size) override;
    AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) override;
    AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) override;

private:
    ACFPtr<AAX_IACFViewContainer> containerV1;
    ACFPtr<AAX_IACFViewContainer_V2> containerV2;
};
