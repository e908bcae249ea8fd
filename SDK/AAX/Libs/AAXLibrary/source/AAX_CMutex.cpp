// AAX_CMutex: owner-recording lock and unlock.
#include "AAX_CMutex.h"

bool AAX_CMutex::Lock()
{
    const auto caller = std::this_thread::get_id();

    if (mOwner.load() == caller)
        return false;

    mMutex.lock();
    mOwner.store (caller);
    return true;
}

void AAX_CMutex::Unlock()
{
    if (mOwner.load() != std::this_thread::get_id())
        return;

    // Cleared before the unlock: once another thread holds the mutex, the
    // owner field must already have stopped naming this one.
    mOwner.store (std::thread::id());
    mMutex.unlock();
}
