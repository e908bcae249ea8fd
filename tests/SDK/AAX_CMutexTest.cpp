#include <AAX_CMutex.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

// Ownership is observable without timing: Lock answers false exactly while the
// calling thread owns the mutex.

TEST (AAX_CMutex, NestedGuardsKeepTheLockUntilTheOuterGuardEnds)
{
    AAX_CMutex mutex;
    {
        const AAX_StLock_Guard outer (mutex);
        {
            const AAX_StLock_Guard inner (mutex);
        }
        EXPECT_FALSE (mutex.Lock()) << "the inner guard must not have unlocked";
    }

    ASSERT_TRUE (mutex.Lock()) << "the outer guard must have unlocked";
    mutex.Unlock();
}

TEST (AAX_CMutex, UnlockByAnotherThreadDoesNothing)
{
    AAX_CMutex mutex;
    ASSERT_TRUE (mutex.Lock());

    std::thread ([&] { mutex.Unlock(); }).join();

    EXPECT_FALSE (mutex.Lock()) << "still owned by this thread";
    mutex.Unlock();
    mutex.Unlock();   // a second unlock by the former owner does nothing either

    ASSERT_TRUE (mutex.Lock());
    mutex.Unlock();
}

TEST (AAX_CMutex, ASecondThreadWaitsForTheOwner)
{
    AAX_CMutex mutex;
    std::atomic<bool> released { false };
    bool sawRelease = false;

    std::thread waiter;
    {
        const AAX_StLock_Guard guard (mutex);
        waiter = std::thread ([&]
        {
            const AAX_StLock_Guard theirs (mutex);
            sawRelease = released.load();
        });
        std::this_thread::yield();
        released = true;
    }
    waiter.join();
    EXPECT_TRUE (sawRelease);
}

TEST (AAX_CMutex, SerialisesNestedWorkOnManyThreads)
{
    AAX_CMutex mutex;
    int counter = 0;   // deliberately not atomic: the mutex alone must protect it

    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back ([&]
        {
            for (int i = 0; i < 2000; ++i)
            {
                const AAX_StLock_Guard outer (mutex);
                const AAX_StLock_Guard inner (mutex);
                ++counter;
            }
        });

    for (auto& t : threads)
        t.join();

    EXPECT_EQ (counter, 8 * 2000);
}
