#pragma once

#include "MessageThreadLock.h"

#include <juce_events/juce_events.h>

#include <optional>

// Keeps the message thread out of an object's timer callbacks while a host
// thread builds or destroys the object. JUCE members start their timers as
// they are constructed (a parameter tree's flush timer, a view's repaint
// timer), and those timers fire on the message thread, so an owner that a host
// may create and destroy on any thread declares this guard as its first
// member: it holds the message thread from its construction, before the
// other members exist, until `release` at the end of the owner's
// constructor; `acquire` at the start of the destructor holds it again until
// every other member is gone. On the message thread itself, or without a
// message manager, there is nothing to keep out.
class MessageThreadExclusion
{
public:
    MessageThreadExclusion() { acquire(); }

    ~MessageThreadExclusion() { release(); }

    void acquire()
    {
        const auto* messageManager = juce::MessageManager::getInstanceWithoutCreating();

        if (hold.has_value() || messageManager == nullptr || messageManager->isThisTheMessageThread()
            || messageManager->currentThreadHasLockedMessageManager())
            return;

        hold.emplace();
    }

    void release() noexcept
    {
        hold.reset();
    }

private:
    std::optional<MessageThreadLock> hold;

    JUCE_DECLARE_NON_COPYABLE (MessageThreadExclusion)
};
