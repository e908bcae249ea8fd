// The window base: initialisation with and without a controller, view containers, parameter updates and defaults.
#include "AAX_CEffectParametersTestSupport.h"

#include <AAX_CEffectGUI.h>
#include <AAX_IViewContainer.h>

#include <HostInstance.h>

#include <gtest/gtest.h>

#include <utility>

using namespace chunk_test;

namespace
{
    // Notes every hook call and parameter update, in order.
    class RecordingGUI : public AAX_CEffectGUI
    {
    public:
        AAX_Result ParameterUpdated (AAX_CParamID identifier) override
        {
            events.push_back (std::string ("updated ") + identifier);
            return AAX_SUCCESS;
        }

        std::vector<std::string> events;

    protected:
        void CreateViewContents() override { events.push_back ("contents"); }
        void CreateViewContainer() override { events.push_back ("attach"); }
        void DeleteViewContainer() override { events.push_back ("detach"); }
    };

    // Three parameters, the second of which cannot name its identifier.
    class ThreeParameterEffect : public TestEffect
    {
    public:
        AAX_Result EffectInit() override
        {
            for (const char* identifier : { "First", "Second", "Third" })
                add (floatParameter (identifier, 0.0f));
            return AAX_SUCCESS;
        }

        AAX_Result GetParameterIDFromIndex (int32_t index, AAX_IString* identifier) const override
        {
            return index == 1 ? AAX_ERROR_INVALID_PARAMETER_INDEX : TestEffect::GetParameterIDFromIndex (index, identifier);
        }
    };

    // Counts the effects alive and, at every detach, how many were.
    struct Lifetimes
    {
        static inline int liveEffects = 0;
        static inline std::vector<int> liveEffectsAtDetach;
    };

    class CountedEffect : public ThreeParameterEffect
    {
    public:
        CountedEffect() { ++Lifetimes::liveEffects; }
        ~CountedEffect() override { --Lifetimes::liveEffects; }
    };

    // Contents that, like the framework's editor, use the effect until they
    // are taken down: by the detach hook or, at the latest, the destructor.
    class EffectUsingGUI : public RecordingGUI
    {
    public:
        ~EffectUsingGUI() override { DeleteViewContainer(); }

    protected:
        void CreateViewContents() override { hasContents = true; }

        void DeleteViewContainer() override
        {
            if (std::exchange (hasContents, false))
                Lifetimes::liveEffectsAtDetach.push_back (Lifetimes::liveEffects);
        }

    private:
        bool hasContents = false;
    };

    class NoCountEffect : public TestEffect
    {
    public:
        AAX_Result GetNumberOfParameters (int32_t* count) const override
        {
            *count = 3;
            return AAX_ERROR_NOT_INITIALIZED;
        }
    };

    void* createThreeParameterEffect() { return static_cast<AAX_IACFEffectParameters_V4*> (new ThreeParameterEffect()); }
    void* createCountedEffect() { return static_cast<AAX_IACFEffectParameters_V4*> (new CountedEffect()); }
    void* createEffectUsingGUI() { return static_cast<AAX_IACFEffectGUI*> (new EffectUsingGUI()); }
    void* createNoCountEffect() { return static_cast<AAX_IACFEffectParameters_V4*> (new NoCountEffect()); }
    void* createRecordingGUI() { return static_cast<AAX_IACFEffectGUI*> (new RecordingGUI()); }

    RecordingGUI& moduleObject (host::HostInstance& instance)
    {
        return static_cast<RecordingGUI&> (*reinterpret_cast<AAX_IACFEffectGUI*> (instance.gui()));
    }

    struct AAX_CEffectGUIHosted : ::testing::Test
    {
        void TearDown() override
        {
            instance.release();
            EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
            EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), liveObjectsBefore);
        }

        acfUInt32 liveObjectsBefore = CACFUnknown::GetActiveObjectCount();
        host::TestHost testHost;
        host::HostInstance instance { testHost, { createThreeParameterEffect, createRecordingGUI } };
    };
}

//==============================================================================
TEST_F (AAX_CEffectGUIHosted, FindsTheInstancesParametersAndUpdatesThemInIndexOrderSkippingFailures)
{
    ASSERT_NE (instance.gui(), nullptr);
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    auto& window = moduleObject (instance);

    EXPECT_EQ (static_cast<const void*> (window.GetEffectParameters()), static_cast<const void*> (instance.parameters()));
    EXPECT_EQ (window.events, std::vector<std::string> { "contents" });

    EXPECT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);
    EXPECT_EQ (window.events, (std::vector<std::string> { "contents", "attach", "updated First", "updated Third" }));
    EXPECT_NE (window.GetViewContainer(), nullptr);
    EXPECT_EQ (window.GetViewContainerType(), AAX_eViewContainer_Type_NULL);
    EXPECT_EQ (window.GetViewContainerPtr(), nullptr);

    EXPECT_EQ (instance.clearViewContainer(), AAX_SUCCESS);
    EXPECT_EQ (window.events.back(), "detach");
    EXPECT_EQ (window.GetViewContainer(), nullptr);
}

TEST_F (AAX_CEffectGUIHosted, ClearsAContainerThatWasNeverSetByDetachingOnly)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    EXPECT_EQ (instance.clearViewContainer(), AAX_SUCCESS);
    EXPECT_EQ (moduleObject (instance).events, (std::vector<std::string> { "contents", "detach" }));
}

TEST_F (AAX_CEffectGUIHosted, ReturnsTheContainerWhenDestroyedWhileStillAttached)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    ASSERT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);
    EXPECT_GT (instance.viewContainer()->referenceCount(), 0);
    // TearDown releases the window with the container held and checks every reference came back.
}

TEST_F (AAX_CEffectGUIHosted, InitializedTwiceHoldsOneReferenceToTheParameters)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    ASSERT_EQ (instance.gui()->Initialize (instance.controller().unknown()), AAX_SUCCESS);
    EXPECT_EQ (static_cast<const void*> (moduleObject (instance).GetEffectParameters()), static_cast<const void*> (instance.parameters()));
    EXPECT_EQ (moduleObject (instance).events, (std::vector<std::string> { "contents", "detach", "contents" }))
        << "the first contents go before the reference they may use";

    // Initialised again while attached, the new contents take the view.
    ASSERT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);
    moduleObject (instance).events.clear();
    ASSERT_EQ (instance.gui()->Initialize (instance.controller().unknown()), AAX_SUCCESS);
    EXPECT_EQ (moduleObject (instance).events,
               (std::vector<std::string> { "detach", "contents", "attach", "updated First", "updated Third" }));
    // TearDown releases both objects and checks that the parameters object is gone.
}

// Initialised again while attached, through a controller that offers no
// parameters object: the contents built from the first one are taken down,
// and no contents are attached in their place until one is offered again.
TEST_F (AAX_CEffectGUIHosted, InitializedAgainWithoutAParametersObjectAttachesNothing)
{
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    ASSERT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);
    auto& window = moduleObject (instance);
    window.events.clear();

    instance.controller().setEffectParameters (nullptr);
    EXPECT_EQ (instance.gui()->Initialize (instance.controller().unknown()), AAX_SUCCESS);
    EXPECT_EQ (window.GetEffectParameters(), nullptr);
    EXPECT_EQ (window.events, (std::vector<std::string> { "detach", "contents" }));

    window.events.clear();
    instance.controller().setEffectParameters (instance.parameters());
    EXPECT_EQ (instance.gui()->Initialize (instance.controller().unknown()), AAX_SUCCESS);
    EXPECT_EQ (window.events, (std::vector<std::string> { "contents", "attach", "updated First", "updated Third" }));
}

TEST_F (AAX_CEffectGUIHosted, AnswersTheHostsEffectGUIInterfaceAtItsPositions)
{
    auto& window = *instance.gui();
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);

    host::ViewSize size { 7.0f, 7.0f };
    AAX_CString label ("untouched");
    EXPECT_EQ (window.GetViewSize (&size), AAX_SUCCESS);
    EXPECT_EQ (size.vert, 7.0f) << "the base writes no size";
    EXPECT_EQ (window.Draw (nullptr), AAX_SUCCESS);
    EXPECT_EQ (window.TimerWakeup(), AAX_SUCCESS);
    EXPECT_EQ (window.NotificationReceived ('ASPv', nullptr, 0), AAX_SUCCESS);
    EXPECT_EQ (window.GetCustomLabel (0, static_cast<AAX_IString*> (&label)), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (window.SetControlHighlightInfo ("First", 1, 0), AAX_SUCCESS);
    EXPECT_EQ (window.ParameterUpdated ("First"), AAX_SUCCESS);
    EXPECT_EQ (moduleObject (instance).events.back(), "updated First");

    void* answer = nullptr;
    EXPECT_EQ (window.QueryInterface (host::uids::IID_IAAXEffectGUIV1, &answer), host::resultOk);
    EXPECT_EQ (answer, &window);
    EXPECT_EQ (window.Release(), 1u);
    EXPECT_EQ (window.QueryInterface (host::uids::IID_IAAXEffectParametersV1, &answer), host::resultNoInterface);
    EXPECT_EQ (answer, nullptr);
    EXPECT_EQ (window.QueryInterface (host::uids::IID_IACFUnknown, &answer), host::resultOk);
    EXPECT_NE (answer, nullptr);
    static_cast<host::IUnknownSlots*> (answer)->Release();
}

TEST (AAX_CEffectGUI, InitializeWithoutAControllerAnswersNotInitializedAndBuildsNothing)
{
    const auto liveObjectsBefore = CACFUnknown::GetActiveObjectCount();
    host::TestHost testHost;
    host::HostInstance instance (testHost, { createThreeParameterEffect, createRecordingGUI });
    auto& window = moduleObject (instance);

    EXPECT_EQ (instance.gui()->Initialize (nullptr), AAX_ERROR_NOT_INITIALIZED);
    EXPECT_TRUE (window.events.empty());
    EXPECT_EQ (window.GetEffectParameters(), nullptr);

    EXPECT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);
    EXPECT_EQ (window.events, std::vector<std::string> { "attach" }) << "no parameters to update";

    instance.release();
    EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), liveObjectsBefore);
}

// A host may return its own reference to the parameters object first; the
// window's reference is then the last, so Uninitialize takes the contents
// down before it lets go, and without Uninitialize the base lets go only
// after the derived destructor has taken them down.
TEST (AAX_CEffectGUI, TakesItsContentsDownWhileTheParametersObjectIsAlive)
{
    for (const bool parametersFirst : { true, false })
        for (const bool uninitialize : { true, false })
        {
            SCOPED_TRACE (std::string (parametersFirst ? "parameters first" : "window first")
                          + (uninitialize ? ", uninitialised" : ", not uninitialised"));
            Lifetimes::liveEffectsAtDetach.clear();
            {
                host::TestHost testHost;
                host::HostInstance instance (testHost, { createCountedEffect, createEffectUsingGUI });
                ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
                ASSERT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);

                instance.release ({ parametersFirst, uninitialize });
                EXPECT_TRUE (testHost.objectsWithUnbalancedReferences().empty());
            }
            EXPECT_EQ (Lifetimes::liveEffectsAtDetach, std::vector<int> { 1 });
            EXPECT_EQ (Lifetimes::liveEffects, 0);
        }
}

TEST (AAX_CEffectGUI, UpdatesNothingWhenTheParameterCountFails)
{
    host::TestHost testHost;
    host::HostInstance instance (testHost, { createNoCountEffect, createRecordingGUI });
    ASSERT_EQ (instance.initialize(), AAX_SUCCESS);
    ASSERT_EQ (instance.setViewContainer (host::HostViewContainer::Kind::headless), AAX_SUCCESS);
    EXPECT_EQ (moduleObject (instance).events, (std::vector<std::string> { "contents", "attach" }));
}
