// MessageLockedEffectGUI.cpp: the module's window base: message-thread holds, the editor's turns between windows, the guarded face.
#include "MessageLockedEffectGUI.h"

#include "MessageThreadLock.h"

#include <AAX_IEffectParameters.h>
#include <AAX_UIDs.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace
{
    using kick::MessageLockedEffectGUI;

    // Every window object that holds a parameters object, the one with the
    // latest host call last. Read and written only while the message thread
    // is held.
    std::vector<MessageLockedEffectGUI*>& windowsHoldingParameters()
    {
        static std::vector<MessageLockedEffectGUI*> windows;
        return windows;
    }

    struct Releaser
    {
        void operator() (AAX_IEffectParameters* parameters) const noexcept { parameters->Release(); }
    };

    // The parameters object the controller offers, held for as long as the
    // answer lives (it names the editor a new window is about to take); null
    // when it offers none.
    std::unique_ptr<AAX_IEffectParameters, Releaser> offeredParameters (IACFUnknown* controller)
    {
        void* answer = nullptr;
        if (controller == nullptr || controller->QueryInterface (IID_IAAXEffectParametersV1, &answer) != ACF_OK || answer == nullptr)
            return nullptr;
        return std::unique_ptr<AAX_IEffectParameters, Releaser> (
            static_cast<AAX_IEffectParameters*> (static_cast<AAX_IACFEffectParameters*> (answer)));
    }
}

AAX_Result kick::MessageLockedEffectGUI::Initialize (IACFUnknown* controller)
{
    const MessageThreadLock lock;
    const auto* previous = GetEffectParameters();

    if (const auto offered = offeredParameters (controller))
        takeEditorFromOtherWindows (offered.get());

    const auto result = recordingContents (previous, true, [&] { return AAX_CEffectGUI::Initialize (controller); });

    if (result == AAX_SUCCESS && GetEffectParameters() == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    return result;
}

AAX_Result kick::MessageLockedEffectGUI::Uninitialize()
{
    const MessageThreadLock lock;
    return recordingContents (GetEffectParameters(), false, [this] { return AAX_CEffectGUI::Uninitialize(); });
}

AAX_Result kick::MessageLockedEffectGUI::SetViewContainer (IACFUnknown* viewContainer)
{
    const MessageThreadLock lock;
    const auto* parameters = GetEffectParameters();

    if (viewContainer != nullptr)
    {
        if (parameters == nullptr)
            return AAX_ERROR_NOT_INITIALIZED;

        takeEditorFromOtherWindows (parameters);
    }

    return recordingContents (parameters, viewContainer != nullptr, [&] { return AAX_CEffectGUI::SetViewContainer (viewContainer); });
}

AAX_Result kick::MessageLockedEffectGUI::SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted, AAX_EHighlightColor colour)
{
    const MessageThreadLock lock;
    return AAX_CEffectGUI::SetControlHighlightInfo (parameterID, isHighlighted, colour);
}

acfResult kick::MessageLockedEffectGUI::InternalQueryInterface (const acfIID& iid, void** interfaceOut)
{
    if (interfaceOut != nullptr && iid == IID_IAAXEffectGUIV1)
    {
        *interfaceOut = static_cast<AAX_IACFEffectGUI*> (&hostFace);
        AddRef();
        return ACF_OK;
    }

    return AAX_CEffectGUI::InternalQueryInterface (iid, interfaceOut);
}

void kick::MessageLockedEffectGUI::FinalRelease()
{
    // Only a window that holds a parameters object takes part in the turns;
    // the framework object it derives from, whole until this returns, keeps
    // the message thread running.
    if (GetEffectParameters() == nullptr)
        return;

    auto& windows = windowsHoldingParameters();
    const auto leaveTurns = [&windows, this] { windows.erase (std::remove (windows.begin(), windows.end(), this), windows.end()); };

    try
    {
        const MessageThreadLock lock;
        leaveTurns(); // first: nothing below may leave this object listed once it is gone
        if (showsEditor)
            DeleteViewContainer();
        showsEditor = false;
        offerEditor (GetEffectParameters());
    }
    catch (...)
    {
        // Release answers no error: the destructor takes the contents down as
        // it would have. A window that could not even hold the message thread
        // still leaves the list, unheld, rather than stay in it freed.
        leaveTurns();
    }
}

//==============================================================================
// Runs a host call that builds this window's contents (Initialize, a view) or
// takes them down, then records whether it shows the editor now, and offers
// the editor of the parameters object it held before to another window when
// none shows it. A call that throws leaves this window without contents, so
// no editor is ever left unrecorded.
template <typename Call>
AAX_Result kick::MessageLockedEffectGUI::recordingContents (const AAX_IEffectParameters* previous, bool buildsContents, Call&& call)
{
    // Room for this window in the list before the call builds anything, so
    // that recording it cannot fail once it owns the editor.
    auto& windows = windowsHoldingParameters();
    windows.reserve (windows.size() + 1);

    AAX_Result result = AAX_SUCCESS;

    try
    {
        result = call();
    }
    catch (...)
    {
        record (false);
        DeleteViewContainer();
        throw;
    }

    record (buildsContents && GetEffectParameters() != nullptr);
    offerEditor (previous);
    return result;
}

void kick::MessageLockedEffectGUI::record (bool showsEditorNow)
{
    auto& windows = windowsHoldingParameters();
    windows.erase (std::remove (windows.begin(), windows.end(), this), windows.end());
    showsEditor = showsEditorNow;

    if (GetEffectParameters() != nullptr)
        windows.push_back (this);
}

void kick::MessageLockedEffectGUI::takeEditorFromOtherWindows (const AAX_IEffectParameters* parameters)
{
    for (auto* window : windowsHoldingParameters())
    {
        if (window != this && window->showsEditor && window->GetEffectParameters() == parameters)
        {
            window->showsEditor = false;
            window->DeleteViewContainer();
        }
    }
}

void kick::MessageLockedEffectGUI::offerEditor (const AAX_IEffectParameters* parameters)
{
    if (parameters == nullptr)
        return;

    const auto& windows = windowsHoldingParameters();
    const auto sharesParameters = [parameters] (const MessageLockedEffectGUI* window) { return window->GetEffectParameters() == parameters; };

    if (std::any_of (windows.begin(), windows.end(), [&] (auto* window) { return sharesParameters (window) && window->showsEditor; }))
        return;

    const auto heir = std::find_if (windows.rbegin(), windows.rend(),
                                    [&] (auto* window) { return sharesParameters (window) && window->GetViewContainer() != nullptr; });
    if (heir == windows.rend())
        return;

    auto& window = **heir;
    window.showsEditor = true;
    window.CreateViewContainer();
    window.UpdateAllParameters();
}
