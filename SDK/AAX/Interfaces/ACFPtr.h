// ACFPtr.h: an owning smart pointer for one reference to a host interface.
#pragma once

#include "IACFUnknown.h"

#include <utility>

// Holds one reference and returns it (Release) when replaced or destroyed.
template <class Interface>
class ACFPtr
{
public:
    ACFPtr() noexcept = default;
    // Takes a reference of its own on the object.
    explicit ACFPtr (Interface* object) noexcept : pointer (object) { if (pointer != nullptr) pointer->AddRef(); }
    ACFPtr (ACFPtr&& other) noexcept : pointer (std::exchange (other.pointer, nullptr)) {}
    ACFPtr& operator= (ACFPtr&& other) noexcept { reset(); pointer = std::exchange (other.pointer, nullptr); return *this; }
    ACFPtr (const ACFPtr&) = delete;
    ACFPtr& operator= (const ACFPtr&) = delete;
    ~ACFPtr() { reset(); }

    Interface* get() const noexcept { return pointer; }
    explicit operator bool() const noexcept { return pointer != nullptr; }

    // Reaching through a null pointer throws the component layer's pointer
    // error as a bare integer; callers test the pointer first.
    Interface* operator->() const
    {
        if (pointer == nullptr)
            throw static_cast<acfResult> (ACF_E_POINTER);
        return pointer;
    }

    void reset() noexcept
    {
        if (auto* old = std::exchange (pointer, nullptr))
            old->Release();
    }

    // For QueryInterface and CreateInstance: releases the current reference
    // and lets the callee write a new one that this pointer then owns.
    void** resetAndGetAddress() noexcept
    {
        reset();
        return reinterpret_cast<void**> (&pointer);
    }

    // Asks `object` for interface `iid` and keeps the answer; null on any failure.
    acfResult query (IACFUnknown* object, const acfIID& iid)
    {
        reset();
        if (object == nullptr)
            return ACF_E_POINTER;
        const auto result = object->QueryInterface (iid, resetAndGetAddress());
        if (result != ACF_OK)
            pointer = nullptr;
        return result;
    }

private:
    Interface* pointer = nullptr;
};
