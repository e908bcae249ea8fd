// AAX_CEffectGUI: window-object lifecycle, view-container handling and the interface defaults.
#include "AAX_CEffectGUI.h"

#include "AAX_CString.h"
#include "AAX_Errors.h"
#include "AAX_IEffectParameters.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

#include <utility>

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    // The destructor is noexcept: an exception here ends the process rather
    // than leaving the host with a half-destroyed window. The derived class's
    // hooks are gone by now; its own destructor has taken its contents down.
    ReleaseHostObjects();
}

AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* controller)
{
    AAX_CEffectGUI::Uninitialize();
    mController = std::make_unique<AAX_VController> (controller);

    if (controller == nullptr)
        return AAX_ERROR_NOT_INITIALIZED;

    void* effectParameters = nullptr;

    if (controller->QueryInterface (IID_IAAXEffectParametersV1, &effectParameters) == ACF_OK)
        mEffectParameters = static_cast<AAX_IEffectParameters*> (static_cast<AAX_IACFEffectParameters*> (effectParameters));

    mTransport = std::make_unique<AAX_VTransport> (controller);
    CreateViewContents();

    // Initialised again while attached: the first contents went with the
    // first parameters object, so the new ones, built from the new one, take
    // their place in the view. Without a parameters object there are none to
    // attach, just as Uninitialize found none to take down.
    if (mViewContainer != nullptr && mEffectParameters != nullptr)
    {
        CreateViewContainer();
        UpdateAllParameters();
    }

    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    // The contents may use what stands behind the parameters object (the
    // framework's editor uses its processor), and a host that has already
    // returned its own reference leaves this one the last: so the contents
    // go first, whatever order the host releases the two objects in.
    if (mEffectParameters != nullptr)
        DeleteViewContainer();

    ReleaseHostObjects();
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::ReleaseHostObjects()
{
    if (auto* effectParameters = std::exchange (mEffectParameters, nullptr))
        effectParameters->Release();

    mController.reset();
    mTransport.reset();
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* viewContainer)
{
    mViewContainer.reset();

    if (viewContainer != nullptr)
    {
        mViewContainer = std::make_unique<AAX_VViewContainer> (viewContainer);
        CreateViewContainer();
        UpdateAllParameters();
    }
    else
    {
        DeleteViewContainer();
    }

    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (mEffectParameters == nullptr)
        return;

    int32_t count = 0;

    if (mEffectParameters->GetNumberOfParameters (&count) != AAX_SUCCESS || count < 0)
        return;

    for (int32_t index = 0; index < count; ++index)
    {
        AAX_CString identifier;

        if (mEffectParameters->GetParameterIDFromIndex (index, &identifier) == AAX_SUCCESS)
            ParameterUpdated (identifier.Get());
    }
}

//==============================================================================
AAX_Result AAX_CEffectGUI::NotificationReceived (AAX_CTypeID, const void*, uint32_t) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point*) const { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::Draw (AAX_Rect*) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::TimerWakeup() { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::ParameterUpdated (AAX_CParamID) { return AAX_SUCCESS; }
AAX_Result AAX_CEffectGUI::GetCustomLabel (int32_t, AAX_IString*) const { return AAX_ERROR_NULL_OBJECT; }
AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor) { return AAX_SUCCESS; }

acfResult AAX_CEffectGUI::InternalQueryInterface (const acfIID& iid, void** interfaceOut)
{
    if (interfaceOut == nullptr)
        return ACF_E_POINTER;

    if (iid == IID_IAAXEffectGUIV1)
    {
        *interfaceOut = static_cast<AAX_IACFEffectGUI*> (this);
        AddRef();
        return ACF_OK;
    }

    return CACFUnknown::InternalQueryInterface (iid, interfaceOut);
}

//==============================================================================
int32_t AAX_CEffectGUI::GetViewContainerType() const
{
    return mViewContainer != nullptr ? mViewContainer->GetType() : AAX_eViewContainer_Type_NULL;
}

void* AAX_CEffectGUI::GetViewContainerPtr() const
{
    return mViewContainer != nullptr ? mViewContainer->GetPtr() : nullptr;
}

AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() noexcept { return mViewContainer.get(); }
const AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() const noexcept { return mViewContainer.get(); }
