// AAX_IACFViewContainer.h: the host's view-container interface, versions 1 and 2, as tables of operations.
#pragma once

#include "AAX.h"
#include "AAX_GUITypes.h"
#include "IACFUnknown.h"

class AAX_IACFViewContainer : public IACFUnknown
{
public:
    virtual int32_t GetType() = 0;                                                                        // 3
    virtual void* GetPtr() = 0;                                                                           // 4
    virtual AAX_Result GetModifiers (uint32_t* modifiersOut) = 0;                                         // 5
    virtual AAX_Result SetViewSize (const AAX_Point& size) = 0;                                           // 6
    virtual AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) = 0;       // 7
    virtual AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) = 0;       // 8
    virtual AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) = 0;         // 9

protected:
    ~AAX_IACFViewContainer() = default;
};

class AAX_IACFViewContainer_V2 : public AAX_IACFViewContainer
{
public:
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0; // 10
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0; // 11
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;   // 12

protected:
    ~AAX_IACFViewContainer_V2() = default;
};
