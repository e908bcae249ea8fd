#pragma once

// Counts the times the calling thread had to wait for a lock while a
// ScopedLockWaitCounter is alive: pthread_mutex_lock and the read-write lock
// calls are replaced in the test executable (a module it loads binds to them
// too). Each replacement tries the lock first; only a lock another thread
// holds counts as a wait, so a lock taken uncontended (the framework takes
// its callback lock around every block) does not.
//
// Exactly one source file of a test executable defines the replacement
// functions, by defining KICK_DEFINE_LOCK_WAIT_COUNTER before including this.
// The sanitizers intercept these calls themselves, so under them nothing is
// replaced and lockWaitsAreCounted is false.

namespace testsupport
{
   #if defined (__GLIBC__) && ! defined (__SANITIZE_ADDRESS__) && ! defined (__SANITIZE_THREAD__)
    inline constexpr bool lockWaitsAreCounted = true;
   #else
    inline constexpr bool lockWaitsAreCounted = false;
   #endif

    namespace lock_wait_detail
    {
        inline thread_local bool counting = false;
        inline thread_local long count = 0;

        inline void note() noexcept
        {
            if (counting)
                ++count;
        }
    }

    class ScopedLockWaitCounter
    {
    public:
        ScopedLockWaitCounter() noexcept
        {
            lock_wait_detail::count = 0;
            lock_wait_detail::counting = true;
        }

        ~ScopedLockWaitCounter() { lock_wait_detail::counting = false; }

        long getCount() const noexcept { return lock_wait_detail::count; }

        ScopedLockWaitCounter (const ScopedLockWaitCounter&) = delete;
        ScopedLockWaitCounter& operator= (const ScopedLockWaitCounter&) = delete;
    };
}

#if defined (KICK_DEFINE_LOCK_WAIT_COUNTER) && defined (__GLIBC__) \
    && ! defined (__SANITIZE_ADDRESS__) && ! defined (__SANITIZE_THREAD__)

#include <cerrno>
#include <dlfcn.h>
#include <pthread.h>

namespace testsupport::lock_wait_detail
{
    // The C library's own function of that name, found past this executable.
    template <typename Function>
    Function* next (const char* name) noexcept
    {
        return reinterpret_cast<Function*> (dlsym (RTLD_NEXT, name));
    }

    template <typename Lock>
    int lock (Lock* l, int (*tryLock) (Lock*), int (*realLock) (Lock*)) noexcept
    {
        const auto result = tryLock (l);

        if (result != EBUSY)
            return result;

        note();
        return realLock (l);
    }
}

extern "C"
{
    int pthread_mutex_lock (pthread_mutex_t* mutex) noexcept
    {
        using namespace testsupport::lock_wait_detail;
        static auto* const real = next<int (pthread_mutex_t*)> ("pthread_mutex_lock");
        return lock (mutex, &pthread_mutex_trylock, real);
    }

    int pthread_rwlock_rdlock (pthread_rwlock_t* rwlock) noexcept
    {
        using namespace testsupport::lock_wait_detail;
        static auto* const real = next<int (pthread_rwlock_t*)> ("pthread_rwlock_rdlock");
        return lock (rwlock, &pthread_rwlock_tryrdlock, real);
    }

    int pthread_rwlock_wrlock (pthread_rwlock_t* rwlock) noexcept
    {
        using namespace testsupport::lock_wait_detail;
        static auto* const real = next<int (pthread_rwlock_t*)> ("pthread_rwlock_wrlock");
        return lock (rwlock, &pthread_rwlock_trywrlock, real);
    }
}

#endif
