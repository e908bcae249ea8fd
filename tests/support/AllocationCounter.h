#pragma once

// Counts heap allocations made on the calling thread while a
// ScopedAllocationCounter is alive: global operator new and, on glibc, the
// malloc family too (JUCE's containers allocate with malloc and realloc).
// It also keeps their sizes, and can refuse the large ones, so that a reader
// that would ask for gigabytes is seen asking rather than served. A
// ScopedAllocationFailure makes one chosen operator new on the thread throw.
//
// Exactly one source file of a test executable defines the replacement
// functions, by defining KICK_DEFINE_ALLOCATION_COUNTER before including this.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

namespace testsupport
{
    namespace allocation_detail
    {
        inline thread_local bool counting = false;
        inline thread_local long count = 0;
        inline thread_local std::size_t largest = 0, total = 0;
        inline thread_local std::size_t refusedAbove = std::numeric_limits<std::size_t>::max();
        inline thread_local long failingNew = 0, newCalls = 0;

        // Counts an allocation of that size; false when it is to fail.
        inline bool note (std::size_t size) noexcept
        {
            if (! counting)
                return true;

            ++count;
            largest = std::max (largest, size);
            total += size;
            return size <= refusedAbove;
        }

        inline bool noteNew (std::size_t size) noexcept
        {
            const bool failing = failingNew > 0 && ++newCalls == failingNew;
            return note (size) && ! failing;
        }
    }

    class ScopedAllocationCounter
    {
    public:
        // Allocations of more than refuseAbove bytes fail: operator new throws
        // std::bad_alloc, the malloc family answers null.
        explicit ScopedAllocationCounter (std::size_t refuseAbove = std::numeric_limits<std::size_t>::max()) noexcept
        {
            allocation_detail::count = 0;
            allocation_detail::largest = allocation_detail::total = 0;
            allocation_detail::refusedAbove = refuseAbove;
            allocation_detail::counting = true;
        }

        ~ScopedAllocationCounter()
        {
            allocation_detail::counting = false;
            allocation_detail::refusedAbove = std::numeric_limits<std::size_t>::max();
        }

        long getCount() const noexcept { return allocation_detail::count; }
        // The largest single request, and the sum of all requests (an upper
        // bound on the memory the thread held at any moment).
        std::size_t getLargest() const noexcept { return allocation_detail::largest; }
        std::size_t getTotalBytes() const noexcept { return allocation_detail::total; }

        ScopedAllocationCounter (const ScopedAllocationCounter&) = delete;
        ScopedAllocationCounter& operator= (const ScopedAllocationCounter&) = delete;
    };

    // While alive, the n-th operator new on this thread (counting from 1)
    // throws std::bad_alloc, as it would with the memory exhausted there.
    class ScopedAllocationFailure
    {
    public:
        explicit ScopedAllocationFailure (long n) noexcept
        {
            allocation_detail::newCalls = 0;
            allocation_detail::failingNew = n;
        }

        ~ScopedAllocationFailure() { allocation_detail::failingNew = 0; }

        // Whether the n-th call came: false once the code ran with fewer.
        bool reached() const noexcept { return allocation_detail::newCalls >= allocation_detail::failingNew; }

        ScopedAllocationFailure (const ScopedAllocationFailure&) = delete;
        ScopedAllocationFailure& operator= (const ScopedAllocationFailure&) = delete;
    };
}

#ifdef KICK_DEFINE_ALLOCATION_COUNTER

// Where malloc itself is counted (below), operator new takes its memory from
// glibc directly, so that one allocation counts once.
 #if defined (__GLIBC__) && ! defined (__SANITIZE_ADDRESS__) && ! defined (__SANITIZE_THREAD__)
  #define KICK_ALLOCATION_COUNTER_REPLACES_MALLOC 1
extern "C" void* __libc_malloc (std::size_t);
 #else
  #define KICK_ALLOCATION_COUNTER_REPLACES_MALLOC 0
 #endif

// These replacements pair malloc with free on purpose; GCC cannot see that
// once it inlines them.
 #if defined (__GNUC__) && ! defined (__clang__)
  #pragma GCC diagnostic push
  #pragma GCC diagnostic ignored "-Wmismatched-new-delete"
 #endif

void* operator new (std::size_t size)
{
    if (! testsupport::allocation_detail::noteNew (size))
        throw std::bad_alloc();

   #if KICK_ALLOCATION_COUNTER_REPLACES_MALLOC
    if (auto* p = __libc_malloc (size == 0 ? 1 : size))
   #else
    if (auto* p = std::malloc (size == 0 ? 1 : size))
   #endif
        return p;

    throw std::bad_alloc();
}

void* operator new[] (std::size_t size) { return ::operator new (size); }
void operator delete (void* p) noexcept { std::free (p); }
void operator delete[] (void* p) noexcept { std::free (p); }
void operator delete (void* p, std::size_t) noexcept { std::free (p); }
void operator delete[] (void* p, std::size_t) noexcept { std::free (p); }

 #if defined (__GNUC__) && ! defined (__clang__)
  #pragma GCC diagnostic pop
 #endif

 #if KICK_ALLOCATION_COUNTER_REPLACES_MALLOC
extern "C"
{
    void* __libc_calloc (std::size_t, std::size_t);
    void* __libc_realloc (void*, std::size_t);

    void* malloc (std::size_t size) noexcept
    {
        return testsupport::allocation_detail::note (size) ? __libc_malloc (size) : nullptr;
    }

    void* calloc (std::size_t num, std::size_t size) noexcept
    {
        // A product that overflows is refused by calloc itself.
        return testsupport::allocation_detail::note (num * size) ? __libc_calloc (num, size) : nullptr;
    }

    void* realloc (void* p, std::size_t size) noexcept
    {
        return testsupport::allocation_detail::note (size) ? __libc_realloc (p, size) : nullptr;
    }
}
 #endif

#endif
