// MessageLockedEffectGUI.h: the base the wrapper's window object gets in this module: host calls hold the message thread while they build or take down the window, and the window objects of one instance take turns with its one editor.
#pragma once

#include "GuardedEffectGUIInterface.h"

#include <AAX_CEffectGUI.h>

namespace kick
{
    // The host calls the window object from its own thread, while the
    // module's message thread paints and runs timers. Building the editor
    // (Initialize) and putting it into or out of the host's view
    // (SetViewContainer, Uninitialize) therefore wait until the message
    // thread is between two messages and keep it there, as JUCE's Linux
    // wrappers do around the same work.
    //
    // A host may make the next window object of an instance, and initialise
    // it, before it lets the last one go. The instance's processor has one
    // editor, and JUCE's window takes the one that exists as its own, so two
    // windows showing at once would both own it and delete it twice. The
    // window the host initialised or gave a view last shows the editor: any
    // other window on the same parameters object takes its contents down
    // first, and its view stays empty. When the window showing the editor lets
    // it go (detached, uninitialised, released), the window on that
    // parameters object that holds a view and had a host call last shows it
    // again.
    //
    // The host is handed a guarded face of the object (GuardedEffectGUIInterface),
    // so no exception reaches the host through any of its calls.
    class MessageLockedEffectGUI : public AAX_CEffectGUI
    {
    public:
        // JUCE's wrapper builds its contents only for a window that holds the
        // instance's parameters object, and attaches them without checking
        // they exist. A window left without one (the controller offers none)
        // has nothing to show, and says so as it does to a view.
        AAX_Result Initialize (IACFUnknown* controller) override;
        AAX_Result Uninitialize() override;
        // A view offered to a window that holds no parameters object (never
        // initialised, uninitialised, or initialised without one) is refused.
        AAX_Result SetViewContainer (IACFUnknown* viewContainer) override;

        AAX_Result SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted, AAX_EHighlightColor colour) override;

        // The effect-GUI interface is answered with the guarded face.
        acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut) override;

        // The host's last reference is gone, the object still whole: its
        // editor, if it shows it, goes to another window of the instance.
        void FinalRelease() override;

    private:
        template <typename Call>
        AAX_Result recordingContents (const AAX_IEffectParameters* previous, bool buildsContents, Call&& call);
        void record (bool showsEditorNow);
        void takeEditorFromOtherWindows (const AAX_IEffectParameters* parameters);
        static void offerEditor (const AAX_IEffectParameters* parameters);

        bool showsEditor = false;
        GuardedEffectGUIInterface hostFace { *this };
    };
}
