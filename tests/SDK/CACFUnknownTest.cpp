// Reference counting and lookup of the base of every object handed to the host.
#include "CACFUnknown.h"

#include "AAX_UIDs.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace
{
    struct Events
    {
        int finalReleases = 0;
        int destructions = 0;
        bool liveAtFinalRelease = false;
    };

    // The usual shape of a module object: an interface face and the base.
    class TestObject final : public IACFUnknown, public CACFUnknown
    {
    public:
        explicit TestObject (Events& eventsToUse) : events (eventsToUse) {}
        ~TestObject() override { ++events.destructions; }

        ACF_DECLARE_STANDARD_UNKNOWN()

        void FinalRelease() override
        {
            ++events.finalReleases;
            events.liveAtFinalRelease = events.destructions == 0;
        }

    private:
        Events& events;
    };

    // Takes the first reference as the host does: through a lookup.
    IACFUnknown* firstReference (TestObject& object)
    {
        void* unknown = nullptr;
        EXPECT_EQ (object.QueryInterface (IID_IACFUnknown, &unknown), ACF_OK);
        return static_cast<IACFUnknown*> (unknown);
    }
}

TEST (CACFUnknown, LookupAnswersTheInnerUnknownWithAReferenceAndNothingElse)
{
    Events events;
    auto* object = new TestObject (events);
    IACFUnknown* unknown = firstReference (*object);
    ASSERT_NE (unknown, nullptr);
    EXPECT_NE (unknown, static_cast<IACFUnknown*> (object)) << "the inner unknown, not the public face";

    // The inner unknown counts for the same object as the public face.
    EXPECT_EQ (object->AddRef(), 2u);
    EXPECT_EQ (unknown->Release(), 1u);

    void* other = &events;
    EXPECT_EQ (object->QueryInterface (IID_IAAXEffectParametersV1, &other), ACF_E_NOINTERFACE);
    EXPECT_EQ (other, nullptr);
    EXPECT_EQ (object->InternalQueryInterface (IID_IACFUnknown, nullptr), ACF_E_POINTER);

    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (events.destructions, 1);
}

TEST (CACFUnknown, LastReleaseRunsFinalReleaseThenDeletesAndLowersTheLiveCount)
{
    const auto before = CACFUnknown::GetActiveObjectCount();
    Events events;
    auto* object = new TestObject (events);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before + 1);
    EXPECT_EQ (object->FinalConstruct(), ACF_OK);

    IACFUnknown* unknown = firstReference (*object);
    unknown->AddRef();
    EXPECT_EQ (unknown->Release(), 1u);
    EXPECT_EQ (events.finalReleases, 0);

    EXPECT_EQ (unknown->Release(), 0u);
    EXPECT_EQ (events.finalReleases, 1);
    EXPECT_TRUE (events.liveAtFinalRelease);
    EXPECT_EQ (events.destructions, 1);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before);
}

TEST (CACFUnknown, EightThreadsAddingAndReleasingDeleteTheObjectExactlyOnce)
{
    constexpr int threads = 8;
    constexpr int roundsPerThread = 20000;

    const auto before = CACFUnknown::GetActiveObjectCount();
    Events events;
    auto* object = new TestObject (events);
    IACFUnknown* unknown = firstReference (*object);

    // Each thread takes its own reference before the race starts, so the
    // count only reaches 0 once every thread has let go.
    for (int i = 0; i < threads; ++i)
        unknown->AddRef();

    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back ([unknown] {
            for (int round = 0; round < roundsPerThread; ++round)
            {
                unknown->AddRef();
                unknown->Release();
            }
            unknown->Release();
        });

    unknown->Release();
    for (auto& worker : workers)
        worker.join();

    EXPECT_EQ (events.destructions, 1);
    EXPECT_EQ (events.finalReleases, 1);
    EXPECT_EQ (CACFUnknown::GetActiveObjectCount(), before);
}
