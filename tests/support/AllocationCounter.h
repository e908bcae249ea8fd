#pragma once

// Counts heap allocations made on the calling thread while a
// ScopedAllocationCounter is alive: global operator new and, on glibc, the
// malloc family too (JUCE's containers allocate with malloc and realloc).
// It also keeps the largest request and the most memory the thread held at
// once, and can refuse large requests, so that a reader that would ask for
// gigabytes is seen asking rather than served. A ScopedAllocationFailure makes
// one chosen operator new on the thread throw.
//
// Exactly one source file of a test executable defines the replacement
// functions, by defining KICK_DEFINE_ALLOCATION_COUNTER before including this.

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

#include <malloc.h>

namespace testsupport
{
    namespace allocation_detail
    {
        inline thread_local bool counting = false;
        inline thread_local long count = 0;
        inline thread_local std::size_t largest = 0;
        inline thread_local long long held = 0, peak = 0;
        inline thread_local std::size_t refusedAbove = std::numeric_limits<std::size_t>::max();
        inline thread_local long failingNew = 0, newCalls = 0;

        // Counts an allocation of that size; false when it is to fail.
        inline bool note (std::size_t size) noexcept
        {
            if (! counting)
                return true;

            ++count;
            largest = std::max (largest, size);
            return size <= refusedAbove;
        }

        // Memory the thread takes or gives back while counted (a block made
        // before may be given back: what is held is counted from the start).
        inline void hold (void* p) noexcept
        {
            if (! counting || p == nullptr)
                return;

            held += (long long) malloc_usable_size (p);
            peak = std::max (peak, held);
        }

        inline void release (void* p) noexcept
        {
            if (counting && p != nullptr)
                held -= (long long) malloc_usable_size (p);
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
            allocation_detail::largest = 0;
            allocation_detail::held = allocation_detail::peak = 0;
            allocation_detail::refusedAbove = refuseAbove;
            allocation_detail::counting = true;
        }

        ~ScopedAllocationCounter()
        {
            allocation_detail::counting = false;
            allocation_detail::refusedAbove = std::numeric_limits<std::size_t>::max();
        }

        long getCount() const noexcept { return allocation_detail::count; }
        // The largest single request, and the most memory the thread held at
        // once beyond what it held when counting began.
        std::size_t getLargest() const noexcept { return allocation_detail::largest; }
        std::size_t getPeakBytes() const noexcept { return (std::size_t) allocation_detail::peak; }

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
    {
        testsupport::allocation_detail::hold (p);
        return p;
    }

    throw std::bad_alloc();
}

// Where malloc is not replaced, memory given back through delete is counted here.
inline void deleteCounted (void* p) noexcept
{
   #if ! KICK_ALLOCATION_COUNTER_REPLACES_MALLOC
    testsupport::allocation_detail::release (p);
   #endif
    std::free (p);
}

void* operator new[] (std::size_t size) { return ::operator new (size); }
void operator delete (void* p) noexcept { deleteCounted (p); }
void operator delete[] (void* p) noexcept { deleteCounted (p); }
void operator delete (void* p, std::size_t) noexcept { deleteCounted (p); }
void operator delete[] (void* p, std::size_t) noexcept { deleteCounted (p); }

 #if defined (__GNUC__) && ! defined (__clang__)
  #pragma GCC diagnostic pop
 #endif

 #if KICK_ALLOCATION_COUNTER_REPLACES_MALLOC
extern "C"
{
    void* __libc_calloc (std::size_t, std::size_t);
    void* __libc_realloc (void*, std::size_t);
    void __libc_free (void*);

    void* malloc (std::size_t size) noexcept
    {
        auto* p = testsupport::allocation_detail::note (size) ? __libc_malloc (size) : nullptr;
        testsupport::allocation_detail::hold (p);
        return p;
    }

    void* calloc (std::size_t num, std::size_t size) noexcept
    {
        // A product that overflows is refused by calloc itself.
        auto* p = testsupport::allocation_detail::note (num * size) ? __libc_calloc (num, size) : nullptr;
        testsupport::allocation_detail::hold (p);
        return p;
    }

    void* realloc (void* p, std::size_t size) noexcept
    {
        if (! testsupport::allocation_detail::note (size))
            return nullptr;

        testsupport::allocation_detail::release (p);
        auto* moved = __libc_realloc (p, size);
        testsupport::allocation_detail::hold (moved != nullptr || size == 0 ? moved : p);
        return moved;
    }

    void free (void* p) noexcept
    {
        testsupport::allocation_detail::release (p);
        __libc_free (p);
    }
}
 #endif

#endif
