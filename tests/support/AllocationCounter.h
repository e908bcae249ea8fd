#pragma once

// Counts heap allocations made on the calling thread while a
// ScopedAllocationCounter is alive: global operator new and, on glibc, the
// malloc family too (JUCE's containers allocate with malloc and realloc).
//
// Exactly one source file of a test executable defines the replacement
// functions, by defining KICK_DEFINE_ALLOCATION_COUNTER before including this.

#include <cstddef>
#include <cstdlib>
#include <new>

namespace testsupport
{
    namespace allocation_detail
    {
        inline thread_local bool counting = false;
        inline thread_local long count = 0;

        inline void note() noexcept
        {
            if (counting)
                ++count;
        }
    }

    class ScopedAllocationCounter
    {
    public:
        ScopedAllocationCounter() noexcept
        {
            allocation_detail::count = 0;
            allocation_detail::counting = true;
        }

        ~ScopedAllocationCounter() { allocation_detail::counting = false; }

        long getCount() const noexcept { return allocation_detail::count; }

        ScopedAllocationCounter (const ScopedAllocationCounter&) = delete;
        ScopedAllocationCounter& operator= (const ScopedAllocationCounter&) = delete;
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
    testsupport::allocation_detail::note();

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
        testsupport::allocation_detail::note();
        return __libc_malloc (size);
    }

    void* calloc (std::size_t num, std::size_t size) noexcept
    {
        testsupport::allocation_detail::note();
        return __libc_calloc (num, size);
    }

    void* realloc (void* p, std::size_t size) noexcept
    {
        testsupport::allocation_detail::note();
        return __libc_realloc (p, size);
    }
}
 #endif

#endif
