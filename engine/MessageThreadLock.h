#pragma once

#include <juce_events/juce_events.h>

#include <memory>

// Holds JUCE's message thread between two messages for as long as it exists,
// as juce::MessageManagerLock does (on the message thread, or on a thread that
// holds it already, it holds nothing more).
//
// JUCE 7.0.5's MessageManager::Lock must outlive the message thread's signal
// that grants it: the message thread sets the flag the waiting thread polls
// before it signals the lock's event, so the waiting thread may see the flag,
// do its work, let go and destroy the lock while the signal is still running
// on the freed event. Each hold therefore takes a lock of its own and hands it
// to the message thread to delete: that message is queued behind the one that
// signalled, which has returned by the time the next is delivered.
class MessageThreadLock
{
public:
    MessageThreadLock()
    {
        lock->enter();
    }

    ~MessageThreadLock()
    {
        lock->exit();
        // A loop that is stopping refuses the message, and the lock goes here
        // at once; the module stops its loop only after its last object, and
        // with it every call that holds the thread, has gone.
        juce::MessageManager::callAsync ([lockToDelete = std::move (lock)] {});
    }

    MessageThreadLock (const MessageThreadLock&) = delete;
    MessageThreadLock& operator= (const MessageThreadLock&) = delete;

private:
    std::shared_ptr<juce::MessageManager::Lock> lock = std::make_shared<juce::MessageManager::Lock>();
};
