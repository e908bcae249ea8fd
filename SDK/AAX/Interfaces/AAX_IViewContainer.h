// AAX_IViewContainer.h: the plug-in side's view of the host view that holds the effect's window, and of parameter mouse events.
#pragma once

#include "AAX.h"
#include "AAX_GUITypes.h"

class AAX_IViewContainer
{
public:
    virtual ~AAX_IViewContainer() = default;

    // An AAX_EViewContainer_Type value.
    virtual int32_t GetType() const = 0;
    // The native view to embed into, or null.
    virtual void* GetPtr() const = 0;
    virtual AAX_Result GetModifiers (uint32_t* modifiersOut) = 0;
    virtual AAX_Result SetViewSize (const AAX_Point& size) = 0;
    virtual AAX_Result HandleParameterMouseDown (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseDrag (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleParameterMouseUp (AAX_CParamID parameterID, uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDown (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseDrag (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;
    virtual AAX_Result HandleMultipleParametersMouseUp (const AAX_CParamID* parameterIDs, uint32_t count, uint32_t modifiers) = 0;
};
