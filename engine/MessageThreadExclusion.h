#pragma once

#include <juce_events/juce_events.h>

// Keeps the message thread out of an object's timer callbacks from the moment
// `acquire` is called until this guard is destroyed. An owner that a host may
// destroy on any thread, while JUCE timers of its members fire on the message
// thread, acquires it at the start of its destructor and declares the guard as
// its first member, so the message thread stays locked out until every other
// member is gone. On the message thread itself, or without a message manager,
// there is nothing to keep out.
class MessageThreadExclusion
{
public:
    MessageThreadExclusion() = default;

    ~MessageThreadExclusion()
    {
        if (held)
            lock.exit();
    }

    void acquire()
    {
        const auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

        if (held || messageManager == nullptr || messageManager->isThisTheMessageThread()
            || messageManager->currentThreadHasLockedMessageManager())
            return;

        lock.enter();
        held = true;
    }

private:
    juce::MessageManager::Lock lock;
    bool held = false;

    JUCE_DECLARE_NON_COPYABLE (MessageThreadExclusion)
};
