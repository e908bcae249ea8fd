// AAX_CMutex and AAX_StLock_Guard: a mutex that a thread may lock again while it owns it, and its scoped guard.
#pragma once

#include <atomic>
#include <mutex>
#include <thread>

/** A mutex that records its owning thread. A thread that already owns it gets
    false from Lock and must not unlock for that call, so nested guards on one
    thread never deadlock: the outermost guard keeps the lock until it ends.
    Unlock from a thread that does not own the mutex does nothing. */
class AAX_CMutex
{
public:
    AAX_CMutex() = default;
    AAX_CMutex (const AAX_CMutex&) = delete;
    AAX_CMutex& operator= (const AAX_CMutex&) = delete;

    /** Blocks until the mutex is free; false when the caller already owns it. */
    bool Lock();
    void Unlock();

private:
    // Read without the mutex by threads that do not own it; only the owner
    // can ever find its own identifier here.
    std::atomic<std::thread::id> mOwner {};
    std::mutex mMutex;
};

/** Locks for its lifetime; unlocks only if its own Lock succeeded. */
class AAX_StLock_Guard
{
public:
    explicit AAX_StLock_Guard (AAX_CMutex& mutex) : mMutex (mutex), mLocked (mutex.Lock()) {}
    ~AAX_StLock_Guard()
    {
        if (mLocked)
            mMutex.Unlock();
    }

    AAX_StLock_Guard (const AAX_StLock_Guard&) = delete;
    AAX_StLock_Guard& operator= (const AAX_StLock_Guard&) = delete;

private:
    AAX_CMutex& mMutex;
    const bool mLocked;
};
