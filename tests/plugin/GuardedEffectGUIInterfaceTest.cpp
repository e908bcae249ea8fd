// The face the module's window object shows the host: every call reaches the object, and nothing the object throws reaches the host.
#include "SDK/AAX_CEffectParametersTestSupport.h"

#include <GuardedEffectGUIInterface.h>

#include <AAX_CEffectGUI.h>
#include <AAX_CString.h>
#include <AAX_UIDs.h>

#include <HostInstance.h>

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace
{
    // A window object that throws from its hooks and from the calls JUCE's
    // window answers itself, seen by the host only through the face.
    class ThrowingGUI : public AAX_CEffectGUI
    {
    public:
        AAX_Result GetViewSize (AAX_Point*) const override { throw std::runtime_error ("size"); }
        AAX_Result ParameterUpdated (AAX_CParamID) override { throw std::bad_alloc(); }
        AAX_Result SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor) override { throw 7; }

        acfResult InternalQueryInterface (const acfIID& iid, void** interfaceOut) override
        {
            if (interfaceOut != nullptr && iid == IID_IAAXEffectGUIV1)
            {
                *interfaceOut = static_cast<AAX_IACFEffectGUI*> (&face);
                AddRef();
                return ACF_OK;
            }
            return AAX_CEffectGUI::InternalQueryInterface (iid, interfaceOut);
        }

    protected:
        void CreateViewContents() override { throw std::bad_alloc(); }
        void CreateViewContainer() override { throw std::logic_error ("attach"); }
        void DeleteViewContainer() override {}

    private:
        kick::GuardedEffectGUIInterface face { *this };
    };

    void* createEffect() { return static_cast<AAX_IACFEffectParameters_V4*> (new chunk_test::TestEffect()); }
    void* createThrowingGUI() { return static_cast<AAX_IACFEffectGUI*> (new ThrowingGUI()); }
}

TEST (GuardedEffectGUIInterface, AnswersAnErrorForWhateverTheWindowThrowsAndTheHostCarriesOn)
{
    const auto liveObjectsBefore = CACFUnknown::GetActiveObjectCount();
    {
        host::TestHost testHost;
        host::HostInstance instance (testHost, { createEffect, createThrowingGUI });
        ASSERT_NE (instance.gui(), nullptr);
        auto& window = *instance.gui();

        EXPECT_EQ (instance.initialize(), AAX_ERROR_UNKNOWN_EXCEPTION);
        EXPECT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_ERROR_UNKNOWN_EXCEPTION);
        host::ViewSize size {};
        EXPECT_EQ (window.GetViewSize (&size), AAX_ERROR_UNKNOWN_EXCEPTION);
        EXPECT_EQ (window.ParameterUpdated ("First"), AAX_ERROR_UNKNOWN_EXCEPTION);
        EXPECT_EQ (window.SetControlHighlightInfo ("First", 1, 0), AAX_ERROR_UNKNOWN_EXCEPTION);

        // What does not throw answers as the object does.
        AAX_CString label ("untouched");
        EXPECT_EQ (window.Draw (nullptr), AAX_SUCCESS);
        EXPECT_EQ (window.TimerWakeup(), AAX_SUCCESS);
        EXPECT_EQ (window.NotificationReceived ('ASPv', nullptr, 0), AAX_SUCCESS);
        EXPECT_EQ (window.GetCustomLabel (0, static_cast<AAX_IString*> (&label)), AAX_ERROR_NULL_OBJECT);
        EXPECT_EQ (window.SetViewContainer (nullptr), AAX_SUCCESS);

        // References and lookups are the object's: the face answers itself again.
        void* answer = nullptr;
        EXPECT_EQ (window.QueryInterface (host::uids::IID_IAAXEffectGUIV1, &answer), host::resultOk);
        EXPECT_EQ (answer, &window);
        EXPECT_EQ (window.Release(), 1u);

        instance.release();
        EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
    }
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), liveObjectsBefore);
}
