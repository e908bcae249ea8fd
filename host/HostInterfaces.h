// HostInterfaces.h: the host's side of the component layer: IUnknown, component factory and host services, by position.
#pragma once

#include "HostUid.h"

#include <cstdint>

// Declared here from the tables of operations alone, independently of the
// interface library's headers, so that a slot out of place on either side
// shows up as a wrong call rather than being hidden by a shared declaration.
// Chains are single inheritance with no virtual destructor, so position n is
// the n-th virtual function.
namespace host
{
    // Component-layer results.
    constexpr int32_t resultOk = 0;
    constexpr int32_t resultInvalidArgument = static_cast<int32_t> (0x80000003u);
    constexpr int32_t resultNoInterface = static_cast<int32_t> (0x80000004u);
    constexpr int32_t resultPointer = static_cast<int32_t> (0x80000005u);
    constexpr int32_t resultUnexpected = static_cast<int32_t> (0x8000FFFFu);

    struct IUnknownSlots
    {
        virtual int32_t QueryInterface (const Uid& iid, void** interfaceOut) = 0; // 0
        virtual uint32_t AddRef() = 0;                                             // 1
        virtual uint32_t Release() = 0;                                            // 2

    protected:
        ~IUnknownSlots() = default;
    };

    struct IComponentFactorySlots : IUnknownSlots
    {
        virtual int32_t CreateInstance (const Uid& classId, IUnknownSlots* outer, const Uid& iid, void** interfaceOut) = 0; // 3

    protected:
        ~IComponentFactorySlots() = default;
    };

    struct IHostServicesV1Slots : IUnknownSlots
    {
        virtual int32_t Assert (const char* file, int32_t line, const char* expression) = 0; // 3
        virtual int32_t Trace (int32_t priority, const char* message) = 0;                   // 4

    protected:
        ~IHostServicesV1Slots() = default;
    };

    struct IHostServicesV2Slots : IHostServicesV1Slots
    {
        virtual int32_t StackTrace (int32_t priority, int32_t stackTracePriority, const char* message) = 0; // 5

    protected:
        ~IHostServicesV2Slots() = default;
    };

    struct IHostServicesV3Slots : IHostServicesV2Slots
    {
        virtual int32_t HandleAssertFailure (const char* file, int32_t line, const char* expression, int32_t flags) = 0; // 6

    protected:
        ~IHostServicesV3Slots() = default;
    };
}
