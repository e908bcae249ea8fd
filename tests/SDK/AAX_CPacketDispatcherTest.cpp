#include <AAX_CBinaryDisplayDelegate.h>
#include <AAX_CBinaryTaperDelegate.h>
#include <AAX_CEffectParameters.h>
#include <AAX_CLinearTaperDelegate.h>
#include <AAX_CNumberDisplayDelegate.h>
#include <AAX_CPacketDispatcher.h>
#include <AAX_CParameter.h>
#include <AAX_IController.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace
{
    /** Records posted packets; every other operation is unused here. */
    class RecordingController : public AAX_IController
    {
    public:
        struct Post
        {
            AAX_CFieldIndex port;
            std::vector<uint8_t> bytes;
        };

        AAX_Result PostPacket (AAX_CFieldIndex port, const void* payload, uint32_t size) override
        {
            const auto* bytes = static_cast<const uint8_t*> (payload);
            posts.push_back ({ port, std::vector<uint8_t> (bytes, bytes + size) });
            return postResult;
        }

        std::vector<Post> posts;
        AAX_Result postResult = AAX_SUCCESS;

        AAX_Result GetEffectID (AAX_IString*) const override { return unused(); }
        AAX_Result GetSampleRate (AAX_CSampleRate*) const override { return unused(); }
        AAX_Result GetInputStemFormat (AAX_EStemFormat*) const override { return unused(); }
        AAX_Result GetOutputStemFormat (AAX_EStemFormat*) const override { return unused(); }
        AAX_Result GetSignalLatency (int32_t*) const override { return unused(); }
        AAX_Result GetCycleCount (AAX_EProperty, AAX_CPropertyValue*) const override { return unused(); }
        AAX_Result GetTODLocation (AAX_CTimeOfDay*) const override { return unused(); }
        AAX_Result SetSignalLatency (uint32_t) override { return unused(); }
        AAX_Result SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, uint32_t) override { return unused(); }
        AAX_Result SendNotification (AAX_CTypeID, const void*, uint32_t) override { return unused(); }
        AAX_Result SendNotification (AAX_CTypeID) override { return unused(); }
        AAX_Result GetCurrentMeterValue (AAX_CTypeID, float*) const override { return unused(); }
        AAX_Result GetMeterPeakValue (AAX_CTypeID, float*) const override { return unused(); }
        AAX_Result ClearMeterPeakValue (AAX_CTypeID) const override { return unused(); }
        AAX_Result GetMeterCount (uint32_t*) const override { return unused(); }
        AAX_Result GetMeterClipped (AAX_CTypeID, AAX_CBoolean*) const override { return unused(); }
        AAX_Result ClearMeterClipped (AAX_CTypeID) const override { return unused(); }
        AAX_Result GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*) override { return unused(); }
        AAX_Result GetHybridSignalLatency (int32_t*) const override { return unused(); }
        AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter*) const override { return unused(); }
        AAX_Result GetHostName (AAX_IString*) const override { return unused(); }
        AAX_Result GetPlugInTargetPlatform (AAX_CTargetPlatform*) const override { return unused(); }
        AAX_Result GetIsAudioSuite (AAX_CBoolean*) const override { return unused(); }
        AAX_IPageTable* CreateTableCopyForEffect (AAX_CPropertyValue, AAX_CPropertyValue, AAX_CPropertyValue, uint32_t, int32_t) const override { return nullptr; }
        AAX_IPageTable* CreateTableCopyForLayout (const char*, const char*, uint32_t, int32_t) const override { return nullptr; }
        AAX_IPageTable* CreateTableCopyForEffectFromFile (const char*, AAX_ETextEncoding, AAX_CPropertyValue, AAX_CPropertyValue, AAX_CPropertyValue, uint32_t, int32_t) const override { return nullptr; }
        AAX_IPageTable* CreateTableCopyForLayoutFromFile (const char*, AAX_ETextEncoding, const char*, uint32_t, int32_t) const override { return nullptr; }

    private:
        AAX_Result unused() const
        {
            ADD_FAILURE() << "the dispatcher only posts packets";
            return AAX_ERROR_UNIMPLEMENTED;
        }
    };

    /** A parameters object whose parameters the tests add directly. */
    class FakeEffectParameters : public AAX_CEffectParameters
    {
    public:
        void add (std::unique_ptr<AAX_IParameter> parameter) { mParameterManager.AddParameter (parameter.release()); }
    };

    /** Handlers that write a marker byte, or fail, and note each call. */
    struct Worker
    {
        AAX_Result writeMarker (AAX_CParamID id, AAX_CPacket& packet)
        {
            calls.push_back (id);
            *static_cast<uint8_t*> (packet.GetPtr (1)) = static_cast<uint8_t> (id[0]);
            return AAX_SUCCESS;
        }

        AAX_Result writeNothing (AAX_CParamID id, AAX_CPacket& packet)
        {
            calls.push_back (id);
            packet.GetPtr (0);
            return AAX_SUCCESS;
        }

        AAX_Result fail (AAX_CParamID id, AAX_CPacket&)
        {
            calls.push_back (id);
            return AAX_ERROR_NULL_OBJECT;
        }

        AAX_Result packetOnly (AAX_CPacket& packet)
        {
            calls.push_back ("packet only");
            *static_cast<uint8_t*> (packet.GetPtr (1)) = 0x7F;
            return AAX_SUCCESS;
        }

        std::vector<std::string> calls;
    };

    using Handler = AAX_CPacketHandler<Worker>;

    /** A handler that counts its live copies, so a test sees how many entries the dispatcher keeps. */
    struct CountedHandler : Handler
    {
        explicit CountedHandler (Worker* worker) : Handler (worker, &Worker::writeMarker) { ++live; }
        CountedHandler (const CountedHandler& other) : Handler (other) { ++live; }
        ~CountedHandler() override { --live; }
        CountedHandler* Clone() const override { return new CountedHandler (*this); }

        static inline int live = 0;
    };

    template <typename T>
    std::vector<uint8_t> bytesOf (T value)
    {
        std::vector<uint8_t> bytes (sizeof (value));
        std::memcpy (bytes.data(), &value, sizeof (value));
        return bytes;
    }

    struct DispatcherFixture : ::testing::Test
    {
        DispatcherFixture() { dispatcher.Initialize (&controller, &effect); }

        RecordingController controller;
        FakeEffectParameters effect;
        Worker worker;
        AAX_CPacketDispatcher dispatcher;
    };
}

using AAX_CPacketDispatcherTest = DispatcherFixture;

TEST_F (AAX_CPacketDispatcherTest, PostsAFreshPacketOnceAndThenOnlyAfterAChange)
{
    EXPECT_EQ (dispatcher.RegisterPacket ("Gain", 2, Handler (&worker, &Worker::writeMarker)), AAX_SUCCESS);

    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    ASSERT_EQ (controller.posts.size(), 1u);
    EXPECT_EQ (controller.posts[0].port, 2);
    EXPECT_EQ (controller.posts[0].bytes, std::vector<uint8_t> { 'G' });

    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.SetDirty ("Unknown"), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (controller.posts.size(), 1u);

    dispatcher.SetDirty ("Gain");
    dispatcher.SetDirty ("Gain", false);
    dispatcher.Dispatch();
    EXPECT_EQ (controller.posts.size(), 1u);

    dispatcher.SetDirty ("Gain");
    dispatcher.Dispatch();
    EXPECT_EQ (controller.posts.size(), 2u);
}

TEST_F (AAX_CPacketDispatcherTest, SharesAPortsPacketAndFillsItByTheFirstIdentifierInKeyOrder)
{
    dispatcher.RegisterPacket ("Beta", 5, Handler (&worker, &Worker::writeMarker));
    dispatcher.RegisterPacket ("Alpha", 5, Handler (&worker, &Worker::writeMarker));
    dispatcher.Dispatch();
    ASSERT_EQ (controller.posts.size(), 1u);
    EXPECT_EQ (controller.posts[0].bytes, std::vector<uint8_t> { 'A' });
    EXPECT_EQ (worker.calls, (std::vector<std::string> { "Alpha" }));

    dispatcher.SetDirty ("Beta");   // either identifier marks the shared packet
    dispatcher.Dispatch();
    ASSERT_EQ (controller.posts.size(), 2u);
    EXPECT_EQ (controller.posts[1].port, 5);
    EXPECT_EQ (controller.posts[1].bytes, std::vector<uint8_t> { 'A' });
}

TEST_F (AAX_CPacketDispatcherTest, LeavesAFailedPacketCleanAndUnposted)
{
    dispatcher.RegisterPacket ("Broken", 1, Handler (&worker, &Worker::fail));
    dispatcher.RegisterPacket ("Empty", 2, Handler (&worker, &Worker::writeNothing));   // no byte to post

    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_TRUE (controller.posts.empty());
    dispatcher.Dispatch();
    EXPECT_EQ (worker.calls, (std::vector<std::string> { "Broken", "Empty" })) << "both were left clean";

    // The answer is the last post's, whatever a later handler does.
    dispatcher.RegisterPacket ("A", 3, Handler (&worker, &Worker::writeMarker));
    dispatcher.SetDirty ("Broken");
    controller.postResult = AAX_ERROR_POST_PACKET_FAILED;
    EXPECT_EQ (dispatcher.Dispatch(), AAX_ERROR_POST_PACKET_FAILED);
}

TEST_F (AAX_CPacketDispatcherTest, KeepsOneEntryPerIdentifierAndPortHoweverOftenItIsRegistered)
{
    {
        const CountedHandler handler (&worker);
        for (int initialisation = 0; initialisation < 3; ++initialisation)
        {
            EXPECT_EQ (dispatcher.RegisterPacket ("Gain", 2, handler), AAX_SUCCESS);
            EXPECT_EQ (dispatcher.RegisterPacket ("Gain", 3, handler), AAX_SUCCESS);   // another port is another entry
            EXPECT_EQ (dispatcher.RegisterPacket ("Gain", -1, handler), AAX_SUCCESS);
        }
        EXPECT_EQ (CountedHandler::live, 1 + 3);
    }

    // The same posts as one registration each: both ports once, each filled once.
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    ASSERT_EQ (controller.posts.size(), 2u);
    EXPECT_EQ (controller.posts[0].port, 2);
    EXPECT_EQ (controller.posts[1].port, 3);
    EXPECT_EQ (worker.calls, (std::vector<std::string> { "Gain", "Gain" }));
}

TEST_F (AAX_CPacketDispatcherTest, RefusesWhatItCannotServe)
{
    EXPECT_EQ (dispatcher.RegisterPacket (nullptr, 1, Handler (&worker, &Worker::writeMarker)), AAX_ERROR_NULL_ARGUMENT);
    EXPECT_EQ (dispatcher.SetDirty (nullptr), AAX_SUCCESS);

    // A negative port gives no packet: nothing to mark or post.
    EXPECT_EQ (dispatcher.RegisterPacket ("Meter", -1, Handler (&worker, &Worker::writeMarker)), AAX_SUCCESS);
    dispatcher.SetDirty ("Meter");
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_TRUE (controller.posts.empty());
    EXPECT_TRUE (worker.calls.empty());

    AAX_CPacket packet (0);
    EXPECT_EQ (Handler (nullptr, &Worker::writeMarker).Call ("X", packet), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (Handler (&worker, &Worker::packetOnly).Call ("X", packet), AAX_SUCCESS);
    EXPECT_EQ (worker.calls, (std::vector<std::string> { "packet only" }));
}

TEST (AAX_CPacketDispatcher, KeepsPacketsDirtyUntilAControllerIsThere)
{
    Worker worker;
    RecordingController controller;
    AAX_CPacketDispatcher dispatcher;
    dispatcher.RegisterPacket ("Gain", 0, Handler (&worker, &Worker::writeMarker));

    EXPECT_EQ (dispatcher.Dispatch(), AAX_ERROR_NULL_OBJECT);
    EXPECT_TRUE (worker.calls.empty());

    dispatcher.Initialize (&controller, nullptr);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (controller.posts.size(), 1u);
}

// The owner detaches the dispatcher before deleting its controller; a dispatch
// already running on another thread must be done with that controller first.
TEST (AAX_CPacketDispatcher, DetachingWaitsForADispatchInProgress)
{
    struct Blocking
    {
        std::atomic<bool> inside { false }, mayFinish { false };

        AAX_Result fill (AAX_CParamID, AAX_CPacket& packet)
        {
            inside = true;
            while (! mayFinish)
                std::this_thread::yield();
            packet.GetPtr (1);
            return AAX_SUCCESS;
        }
    } blocking;

    auto controller = std::make_unique<RecordingController>();
    AAX_CPacketDispatcher dispatcher;
    dispatcher.Initialize (controller.get(), nullptr);
    dispatcher.RegisterPacket ("Gain", 0, AAX_CPacketHandler<Blocking> (&blocking, &Blocking::fill));

    std::thread coefficients ([&] { EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS); });
    while (! blocking.inside)
        std::this_thread::yield();

    std::atomic<bool> detaching { false }, detached { false };
    std::thread owner ([&] {
        detaching = true;
        dispatcher.Initialize (nullptr, nullptr);
        detached = true;
    });

    // Enough for an unguarded detach to finish many times over; a guarded one waits for ever.
    while (! detaching)
        std::this_thread::yield();
    std::this_thread::sleep_for (std::chrono::milliseconds (20));
    const bool detachedMidDispatch = detached;
    blocking.mayFinish = true;
    coefficients.join();
    owner.join();

    EXPECT_FALSE (detachedMidDispatch);
    EXPECT_EQ (controller->posts.size(), 1u) << "the running dispatch posted to the controller it started with";
    controller.reset();

    dispatcher.SetDirty ("Gain");
    EXPECT_EQ (dispatcher.Dispatch(), AAX_ERROR_NULL_OBJECT);
}

TEST_F (AAX_CPacketDispatcherTest, LetsAHandlerCallBackOnTheSameThread)
{
    struct Reentrant
    {
        AAX_CPacketDispatcher* dispatcher;
        AAX_Result handle (AAX_CParamID, AAX_CPacket& packet)
        {
            dispatcher->SetDirty ("Tail");   // takes the dispatcher's mutex again
            packet.GetPtr (1);
            return AAX_SUCCESS;
        }
    } reentrant { &dispatcher };

    dispatcher.RegisterPacket ("Self", 1, AAX_CPacketHandler<Reentrant> (&reentrant, &Reentrant::handle));
    dispatcher.RegisterPacket ("Tail", 2, Handler (&worker, &Worker::fail));
    dispatcher.SetDirty ("Tail", false);

    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    EXPECT_EQ (controller.posts.size(), 1u);
    EXPECT_EQ (worker.calls, (std::vector<std::string> { "Tail" }));   // marked by the callback, walked after "Self"
}

TEST_F (AAX_CPacketDispatcherTest, SendsTheBypassValueAsA4ByteNativeFloat)
{
    auto bypass = std::make_unique<AAX_CParameter<float>> ("MasterBypassID", AAX_CString ("Master Bypass"), 1.0f,
                                                           AAX_CLinearTaperDelegate<float, 0>(), AAX_CNumberDisplayDelegate<float, 3>(), true);
    effect.add (std::move (bypass));

    EXPECT_EQ (dispatcher.RegisterPacket ("MasterBypassID", 3), AAX_SUCCESS);
    EXPECT_EQ (dispatcher.Dispatch(), AAX_SUCCESS);
    ASSERT_EQ (controller.posts.size(), 1u);
    EXPECT_EQ (controller.posts[0].port, 3);
    EXPECT_EQ (controller.posts[0].bytes, bytesOf (1.0f));
}

TEST_F (AAX_CPacketDispatcherTest, FillsSingleValuesInGetterOrder)
{
    effect.add (std::make_unique<AAX_CParameter<bool>> ("Power", AAX_CString ("Power"), true,
                                                                         AAX_CBinaryTaperDelegate<bool>(),
                                                                         AAX_CBinaryDisplayDelegate<bool> ("off", "on")));
    effect.add (std::make_unique<AAX_CParameter<double>> ("Time", AAX_CString ("Time"), 0.125,
                                                                          AAX_CLinearTaperDelegate<double, 0>(),
                                                                          AAX_CNumberDisplayDelegate<double, 3>()));
    AAX_CPacket packet (0);
    EXPECT_EQ (dispatcher.GenerateSingleValuePacket ("Power", packet), AAX_SUCCESS);
    EXPECT_EQ (packet.GetSize(), 4u);
    EXPECT_EQ (std::memcmp (packet.GetData(), bytesOf (int32_t (1)).data(), 4), 0);

    EXPECT_EQ (dispatcher.GenerateSingleValuePacket ("Time", packet), AAX_SUCCESS);
    EXPECT_EQ (packet.GetSize(), 8u);
    EXPECT_EQ (std::memcmp (packet.GetData(), bytesOf (0.125).data(), 8), 0);

    EXPECT_EQ (dispatcher.GenerateSingleValuePacket ("Missing", packet), AAX_ERROR_NULL_OBJECT);
    EXPECT_EQ (packet.GetSize(), 8u) << "left as it was";
}
