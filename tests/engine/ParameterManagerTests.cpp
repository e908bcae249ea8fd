#include <gtest/gtest.h>

#include "ProcessorProbes.h"

#include <future>
#include <thread>

namespace
{
    using ParameterQueue = ProcessorTest;

    TEST_F (ParameterQueue, FirstDrainDeliversEveryIdentifierInHostOrderWithItsDefault)
    {
        RecordingProcessor processor;
        processor.parameterManager.dispatchPending();

        EXPECT_EQ (processor.deliveredIds(), hostOrderIds());

        const auto first = processor.takeDeliveries();
        EXPECT_EQ (first[0].value, 1.0f);   // Power on
        EXPECT_EQ (first[7].value, 100.0f); // Kick Mid
        EXPECT_EQ (first[4].value, 0.0f);   // Kick Sub

        processor.parameterManager.dispatchPending();
        EXPECT_TRUE (processor.deliveries.empty());
    }

    TEST_F (ParameterQueue, ChangesBetweenDrainsArriveOnceWithTheLastValue)
    {
        RecordingProcessor processor;
        auto& manager = processor.parameterManager;
        manager.dispatchPending();
        processor.takeDeliveries();

        for (const auto value : { 10.0f, 20.0f, 30.0f, 40.0f, 50.0f })
            manager.setParameterValue ("Kick_SubId", value);
        manager.setParameterValue ("Kick_AirId", 7.0f);

        manager.dispatchPending();
        const auto delivered = processor.takeDeliveries();
        ASSERT_EQ (delivered.size(), 2u);
        EXPECT_EQ (delivered[0].paramID, "Kick_SubId");
        EXPECT_EQ (delivered[0].value, 50.0f);
        EXPECT_EQ (delivered[1].paramID, "Kick_AirId");
    }

    TEST_F (ParameterQueue, SettingTheValueAParameterHoldsQueuesNothingAfterItsFirstSetting)
    {
        RecordingProcessor processor;
        auto& manager = processor.parameterManager;
        manager.dispatchPending();
        processor.takeDeliveries();

        manager.setParameterValue ("Kick_SubId", 0.0f); // the first setting always notifies
        manager.dispatchPending();
        EXPECT_EQ (processor.takeDeliveries().size(), 1u);

        manager.setParameterValue ("Kick_SubId", 0.0f);
        manager.dispatchPending();
        EXPECT_TRUE (processor.deliveries.empty());
    }

    // A drain that finds the queue busy on another thread returns at once; a
    // change made meanwhile waits for the lock and arrives at a later drain.
    TEST_F (ParameterQueue, BusyQueueIsSkippedWithoutWaitingAndNothingIsLost)
    {
        RecordingProcessor processor;
        auto& manager = processor.parameterManager;

        juce::WaitableEvent drainHoldsLock, releaseDrain;
        std::atomic<bool> holding { true };
        processor.duringDelivery = [&]
        {
            if (holding.exchange (false))
            {
                drainHoldsLock.signal();
                releaseDrain.wait();
            }
        };

        std::thread drainer ([&] { manager.dispatchPending(); });
        drainHoldsLock.wait();

        std::thread automation ([&] { manager.setParameterValue ("Kick_TransId", 42.0f); });

        // A drain that waited for the lock would hang here: give up on it after a while.
        const auto before = processor.deliveries.size();
        auto busyDrain = std::async (std::launch::async, [&] { manager.dispatchPending(); });
        EXPECT_EQ (busyDrain.wait_for (std::chrono::seconds (10)), std::future_status::ready);
        EXPECT_EQ (processor.deliveries.size(), before);

        releaseDrain.signal();
        busyDrain.wait();
        drainer.join();
        automation.join();
        EXPECT_EQ (processor.takeDeliveries().size(), hostOrderIds().size());

        manager.dispatchPending();
        const auto delivered = processor.takeDeliveries();
        ASSERT_EQ (delivered.size(), 1u);
        EXPECT_EQ (delivered[0].paramID, "Kick_TransId");
        EXPECT_EQ (delivered[0].value, 42.0f);
    }

    TEST_F (ParameterQueue, SetValueClampsToTheRangeAndSnapsToWholeSteps)
    {
        TemplateEffectAudioProcessor processor;
        auto& manager = processor.parameterManager;

        manager.setParameterValue ("Kick_WidthId", 250.0f);
        EXPECT_EQ (manager.getParameterValue ("Kick_WidthId"), 200.0f);

        manager.setParameterValue ("Kick_WidthId", -3.0f);
        EXPECT_EQ (manager.getParameterValue ("Kick_WidthId"), 0.0f);

        manager.setParameterValue ("Kick_WidthId", 12.4f);
        EXPECT_EQ (manager.getParameterValue ("Kick_WidthId"), 12.0f);
    }

    struct GestureRecorder : juce::AudioProcessorListener
    {
        void audioProcessorParameterChanged (juce::AudioProcessor*, int, float) override { events.add ("set"); }
        void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
        void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { events.add ("begin"); }
        void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int) override { events.add ("end"); }
        juce::StringArray events;
    };

    TEST_F (ParameterQueue, SetValueIsOneWholeHostGesture)
    {
        TemplateEffectAudioProcessor processor;
        GestureRecorder host;
        processor.addListener (&host);

        processor.parameterManager.setParameterValue ("Kick_AirId", 33.0f);
        processor.removeListener (&host);

        EXPECT_EQ (host.events.joinIntoString (","), "begin,set,end");
    }

    TEST_F (ParameterQueue, DefaultConvertersGoToTheFrameworkParameterOnly)
    {
        TemplateEffectAudioProcessor processor;
        auto* sub = processor.parameterManager.valueTreeState.getParameter ("Kick_SubId");
        ASSERT_NE (sub, nullptr);

        EXPECT_EQ (sub->getText (0.5f, 0), "50.00");
        EXPECT_EQ (sub->getText (0.0f, 0), "0.00");
        EXPECT_FLOAT_EQ (sub->getValueForText ("12.5"), 0.13f); // read, then snapped to a whole step
        EXPECT_EQ (sub->getValueForText ("  40 %"), 0.4f);
        EXPECT_EQ (sub->getValueForText ("dB 12"), 0.0f);

        // The processor's own description keeps its empty converters.
        EXPECT_FALSE (processor.kickSubParam.valueToTextFunction);
        EXPECT_FALSE (processor.kickSubParam.textToValueFunction);

        EXPECT_EQ (ParameterManager::defaultValueToText (100.0f), "100.00");
        EXPECT_EQ (ParameterManager::defaultTextToValue ("12.5 dB"), 12.5f);
        EXPECT_EQ (ParameterManager::defaultTextToValue ("-3e1"), -30.0f);
    }
}
