// MessageLockedEffectGUI.h: the base the wrapper's window object gets in this module: host calls that build or attach the window hold the message thread between two messages.
#pragma once

#include "MessageThreadLock.h"

#include <AAX_CEffectGUI.h>
#include <AAX_Errors.h>

namespace kick
{
    // The host calls the window object from its own thread, while the
    // module's message thread paints and runs timers. Building the editor
    // (Initialize) and putting it into or out of the host's view
    // (SetViewContainer) therefore wait until the message thread is between
    // two messages and keep it there, as JUCE's Linux wrappers do around the
    // same work.
    class MessageLockedEffectGUI : public AAX_CEffectGUI
    {
    public:
        // JUCE's wrapper builds its contents only for a window that holds the
        // instance's parameters object, and attaches them without checking
        // they exist. A window left without one (the controller offers none)
        // has nothing to show, and says so as it does to a view.
        AAX_Result Initialize (IACFUnknown* controller) override
        {
            const MessageThreadLock lock;
            const auto result = AAX_CEffectGUI::Initialize (controller);

            if (result == AAX_SUCCESS && GetEffectParameters() == nullptr)
                return AAX_ERROR_NOT_INITIALIZED;

            return result;
        }

        // A view offered to a window that holds no parameters object (never
        // initialised, uninitialised, or initialised without one) is refused.
        AAX_Result SetViewContainer (IACFUnknown* viewContainer) override
        {
            const MessageThreadLock lock;

            if (viewContainer != nullptr && GetEffectParameters() == nullptr)
                return AAX_ERROR_NOT_INITIALIZED;

            return AAX_CEffectGUI::SetViewContainer (viewContainer);
        }

        AAX_Result SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted, AAX_EHighlightColor colour) override
        {
            const MessageThreadLock lock;
            return AAX_CEffectGUI::SetControlHighlightInfo (parameterID, isHighlighted, colour);
        }
    };
}
