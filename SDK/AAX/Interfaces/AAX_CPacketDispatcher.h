// AAX_CPacket, AAX_IPacketHandler, AAX_CPacketHandler and AAX_CPacketDispatcher: parameter data posted to the host's processing side.
#pragma once

#include "AAX.h"
#include "AAX_CMutex.h"
#include "AAX_Errors.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class AAX_IController;
class AAX_IEffectParameters;

/** The payload for one data-in port of the processing side. */
class AAX_CPacket
{
public:
    explicit AAX_CPacket (AAX_CFieldIndex portID) : mID (portID) {}

    AAX_CFieldIndex GetID() const noexcept { return mID; }
    bool IsDirty() const noexcept { return mDirty; }
    void SetDirty (bool dirty) noexcept { mDirty = dirty; }

    /** Makes the payload byteCount bytes long (new bytes are zero) and answers
        its first byte, to be filled by a packet handler. */
    void* GetPtr (uint32_t byteCount)
    {
        mData.resize (byteCount);
        mSize = byteCount;
        return mData.data();
    }

    const void* GetData() const noexcept { return mData.data(); }
    uint32_t GetSize() const noexcept { return mSize; }
    bool HasData() const noexcept { return ! mData.empty(); }

private:
    static constexpr uint32_t kInitialCapacity = 8;

    AAX_CFieldIndex mID;
    bool mDirty = true;   // a new packet goes out at the first dispatch
    uint32_t mSize = 0;
    std::vector<uint8_t> mData = std::vector<uint8_t> (kInitialCapacity, 0);
};

/** Fills a packet for a parameter; answers 0 when the packet is ready to post. */
class AAX_IPacketHandler
{
public:
    virtual ~AAX_IPacketHandler() = default;

    /** A new handler of the same kind; the caller owns it. */
    virtual AAX_IPacketHandler* Clone() const = 0;
    virtual AAX_Result Call (AAX_CParamID parameterID, AAX_CPacket& packet) const = 0;
};

/** A packet handler that calls a member function of Worker, taking either the
    packet alone or the parameter identifier and the packet. */
template <class Worker>
class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    using PacketFunction = AAX_Result (Worker::*) (AAX_CPacket&);
    using PacketWithIDFunction = AAX_Result (Worker::*) (AAX_CParamID, AAX_CPacket&);

    AAX_CPacketHandler (Worker* object, PacketFunction function) noexcept
        : mObject (object), mPacketFunction (function) {}

    AAX_CPacketHandler (Worker* object, PacketWithIDFunction function) noexcept
        : mObject (object), mPacketWithIDFunction (function) {}

    AAX_CPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result Call (AAX_CParamID parameterID, AAX_CPacket& packet) const override
    {
        if (mObject == nullptr)
            return AAX_ERROR_NULL_OBJECT;

        if (mPacketWithIDFunction != nullptr)
            return (mObject->*mPacketWithIDFunction) (parameterID, packet);

        if (mPacketFunction != nullptr)
            return (mObject->*mPacketFunction) (packet);

        return AAX_ERROR_NULL_OBJECT;
    }

private:
    Worker* mObject;
    PacketFunction mPacketFunction = nullptr;
    PacketWithIDFunction mPacketWithIDFunction = nullptr;
};

/** Keeps, per parameter, which port's packet it feeds and which handler fills
    it. A parameter change marks its packets dirty; a dispatch fills every dirty
    packet and posts it to the host through the controller. Several parameters
    may feed one port: the packet then goes out once per dispatch, filled by the
    handler of the parameter whose identifier sorts first.

    Every operation holds the dispatcher's mutex; a handler may call back into
    the dispatcher on the same thread. */
class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher() = default;
    ~AAX_CPacketDispatcher();

    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    /** The controller that receives packets and the object whose parameters
        fill them; not owned. Waits for a dispatch in progress, so once this
        returns the previous controller is no longer used. */
    void Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters);

    /** Makes parameterID feed the packet of portID through a copy of handler.
        A negative port gives the entry no packet. A null identifier is refused.
        An identifier already registered on the port keeps its first handler. */
    AAX_Result RegisterPacket (AAX_CParamID parameterID, AAX_CFieldIndex portID, const AAX_IPacketHandler& handler);
    /** The same with the standard handler, GenerateSingleValuePacket. */
    AAX_Result RegisterPacket (AAX_CParamID parameterID, AAX_CFieldIndex portID);

    /** Marks (or clears) every packet that parameterID feeds. */
    AAX_Result SetDirty (AAX_CParamID parameterID, bool dirty = true);

    /** Fills and posts every dirty packet; answers the last post's result, or
        AAX_ERROR_NULL_OBJECT (leaving packets dirty) before a controller is set.
        A packet whose handler fails, or leaves it without data, is not posted. */
    AAX_Result Dispatch();

    /** The standard handler: the parameter's current value, the first that it
        answers of bool (as a 32-bit 0 or 1), float, int32 and double, in the
        machine's byte order. */
    AAX_Result GenerateSingleValuePacket (AAX_CParamID parameterID, AAX_CPacket& packet);

private:
    struct Entry
    {
        AAX_CPacket* packet;   // owned by mPackets; null for a negative port
        std::unique_ptr<AAX_IPacketHandler> handler;
    };

    std::map<AAX_CFieldIndex, std::unique_ptr<AAX_CPacket>> mPackets;
    std::multimap<std::string, Entry> mEntries;   // byte-wise order; one identifier's entries in registration order
    AAX_IController* mController = nullptr;
    AAX_IEffectParameters* mEffectParameters = nullptr;
    AAX_CMutex mMutex;
};
