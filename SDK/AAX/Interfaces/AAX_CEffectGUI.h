// AAX_CEffectGUI: the base of an effect's window object: host objects, interface defaults and the view hooks.
#pragma once

#include "AAX_IEffectGUI.h"

#include <memory>

class AAX_IEffectParameters;
class AAX_ITransport;
class AAX_IViewContainer;
class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

/** Keeps what the window needs of the host (controller, transport, view
    container and the instance's parameters object) and calls the derived
    class's hooks to build the view and to attach it to, or detach it from,
    the host's view container. */
class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    ~AAX_CEffectGUI() override;

    AAX_CEffectGUI (const AAX_CEffectGUI&) = delete;
    AAX_CEffectGUI& operator= (const AAX_CEffectGUI&) = delete;

    /** Takes the instance's parameters object from the controller and builds
        the view contents (and, when it has a parameters object, attaches them
        to a view container already held); AAX_ERROR_NOT_INITIALIZED without a
        controller. */
    AAX_Result Initialize (IACFUnknown* controller) override;
    /** Takes the view contents down while the parameters object is still
        held, then lets go of it and of the controller and transport. */
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID type, const void* data, uint32_t size) override;
    /** A container attaches the view and pushes every parameter to
        ParameterUpdated; null detaches it. */
    AAX_Result SetViewContainer (IACFUnknown* viewContainer) override;
    AAX_Result GetViewSize (AAX_Point* viewSize) const override;
    AAX_Result Draw (AAX_Rect* drawArea) override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated (AAX_CParamID parameterID) override;
    AAX_Result GetCustomLabel (int32_t selector, AAX_IString* label) const override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID parameterID, AAX_CBoolean isHighlighted, AAX_EHighlightColor colour) override;

    /** Answers the effect-GUI interface. */
    acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut) override;

    /** The container's type (0 without one) and native view (null without one). */
    int32_t GetViewContainerType() const;
    void* GetViewContainerPtr() const;

    AAX_IEffectParameters* GetEffectParameters() noexcept { return mEffectParameters; }
    const AAX_IEffectParameters* GetEffectParameters() const noexcept { return mEffectParameters; }
    AAX_IViewContainer* GetViewContainer() noexcept;
    const AAX_IViewContainer* GetViewContainer() const noexcept;

protected:
    /** Builds the window contents. */
    virtual void CreateViewContents() = 0;
    /** Places the contents in the view container. */
    virtual void CreateViewContainer() = 0;
    /** Takes the contents out of the view container. Uninitialize also calls
        it before letting go of the parameters object, which may be the last
        reference to it: afterwards the contents must not use that object. */
    virtual void DeleteViewContainer() = 0;
    /** Calls ParameterUpdated for every parameter, in index order. */
    virtual void UpdateAllParameters();

private:
    void ReleaseHostObjects();

    std::unique_ptr<AAX_VController> mController;
    AAX_IEffectParameters* mEffectParameters = nullptr;   // one reference held
    std::unique_ptr<AAX_VViewContainer> mViewContainer;
    std::unique_ptr<AAX_VTransport> mTransport;
};
