// GuardedEffectGUIInterface.h: the face a window object shows the host: every call goes on to the object, no exception comes back.
#pragma once

#include "AnswerErrorOnException.h"

#include <AAX_IACFEffectGUI.h>

namespace kick
{
    // JUCE's window object answers some of the host's calls itself (its size,
    // parameter updates, control highlights), out of reach of any base class.
    // The host is therefore handed this face rather than the object: each call
    // goes on to the object, and an exception it throws ends here, answered as
    // AAX_ERROR_UNKNOWN_EXCEPTION, instead of unwinding through the host.
    // References and lookups are the object's own.
    class GuardedEffectGUIInterface final : public AAX_IACFEffectGUI
    {
    public:
        explicit GuardedEffectGUIInterface (AAX_IACFEffectGUI& windowToUse) noexcept : window (windowToUse) {}
        GuardedEffectGUIInterface (const GuardedEffectGUIInterface&) = delete;
        GuardedEffectGUIInterface& operator= (const GuardedEffectGUIInterface&) = delete;

        acfResult QueryInterface (const acfIID& iid, void** interfaceOut) override { return window.QueryInterface (iid, interfaceOut); }
        acfUInt32 AddRef() override { return window.AddRef(); }
        acfUInt32 Release() override { return window.Release(); }

        AAX_Result Initialize (IACFUnknown* controller) override
        {
            return answerErrorOnException ([&] { return window.Initialize (controller); });
        }

        AAX_Result Uninitialize() override
        {
            return answerErrorOnException ([&] { return window.Uninitialize(); });
        }

        AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override
        {
            return answerErrorOnException ([&] { return window.NotificationReceived (type, data, size); });
        }

        AAX_Result SetViewContainer (IACFUnknown* viewContainer) override
        {
            return answerErrorOnException ([&] { return window.SetViewContainer (viewContainer); });
        }

        AAX_Result GetViewSize (AAX_Point* viewSize) const override
        {
            return answerErrorOnException ([&] { return window.GetViewSize (viewSize); });
        }

        AAX_Result Draw (AAX_Rect* drawArea) override
        {
            return answerErrorOnException ([&] { return window.Draw (drawArea); });
        }

        AAX_Result TimerWakeup() override
        {
            return answerErrorOnException ([&] { return window.TimerWakeup(); });
        }

        AAX_Result ParameterUpdated (AAX_CParamID parameterID) override
        {
            return answerErrorOnException ([&] { return window.ParameterUpdated (parameterID); });
        }

        AAX_Result GetCustomLabel (int32_t selector, AAX_IString* label) const override
        {
            return answerErrorOnException ([&] { return window.GetCustomLabel (selector, label); });
        }

        AAX_Result SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted, AAX_EHighlightColor colour) override
        {
            return answerErrorOnException ([&] { return window.SetControlHighlightInfo (parameterID, isHighlighted, colour); });
        }

    private:
        AAX_IACFEffectGUI& window;
    };
}
