// AAX_IACFEffectGUI.h: the effect-GUI interface the host calls, as a table of operations.
#pragma once

#include "AAX.h"
#include "AAX_Enums.h"
#include "AAX_GUITypes.h"
#include "IACFUnknown.h"

class AAX_IString;

/** An area of the window, in points. */
struct AAX_Rect
{
    float top = 0.0f;
    float left = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

/** The comment after each operation is its position in the host's table. */
class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* controller) = 0;                                    // 3
    virtual AAX_Result Uninitialize() = 0;                                                          // 4
    virtual AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) = 0; // 5
    virtual AAX_Result SetViewContainer (IACFUnknown* viewContainer) = 0;                           // 6
    virtual AAX_Result GetViewSize (AAX_Point* viewSize) const = 0;                                 // 7
    virtual AAX_Result Draw (AAX_Rect* drawArea) = 0;                                               // 8
    virtual AAX_Result TimerWakeup() = 0;                                                           // 9
    virtual AAX_Result ParameterUpdated (AAX_CParamID parameterID) = 0;                             // 10
    virtual AAX_Result GetCustomLabel (int32_t selector, AAX_IString* label) const = 0;             // 11
    virtual AAX_Result SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted,
                                                AAX_EHighlightColor colour) = 0;                    // 12

protected:
    ~AAX_IACFEffectGUI() = default;
};
