// AAX_CPacketDispatcher: registration, dirty marking, dispatch and the standard single-value handler.
#include "AAX_CPacketDispatcher.h"

#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_IParameter.h"

#include <algorithm>
#include <cstring>

namespace
{
    template <typename Value>
    void writeValue (AAX_CPacket& packet, Value value)
    {
        std::memcpy (packet.GetPtr (sizeof (value)), &value, sizeof (value));
    }
}

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    const AAX_StLock_Guard guard (mMutex);
    mEntries.clear();
    mPackets.clear();
}

void AAX_CPacketDispatcher::Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters)
{
    // Under the lock, so that a dispatch running on another thread finishes
    // with the old controller before its owner may delete it.
    const AAX_StLock_Guard guard (mMutex);
    mController = controller;
    mEffectParameters = effectParameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID parameterID, AAX_CFieldIndex portID, const AAX_IPacketHandler& handler)
{
    if (parameterID == nullptr)
        return AAX_ERROR_NULL_ARGUMENT;

    const AAX_StLock_Guard guard (mMutex);

    AAX_CPacket* packet = nullptr;

    if (portID >= 0)
    {
        auto& slot = mPackets[portID];

        if (slot == nullptr)
            slot = std::make_unique<AAX_CPacket> (portID);

        packet = slot.get();
    }

    // Registering an identifier on a port again adds nothing: an initialisation
    // hook that runs at every Initialize must not grow the map, and a second
    // entry could never fill the packet that the first one posts and cleans.
    const auto [first, last] = mEntries.equal_range (parameterID);

    if (std::any_of (first, last, [packet] (const auto& entry) { return entry.second.packet == packet; }))
        return AAX_SUCCESS;

    mEntries.emplace (parameterID, Entry { packet, std::unique_ptr<AAX_IPacketHandler> (handler.Clone()) });
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (AAX_CParamID parameterID, AAX_CFieldIndex portID)
{
    return RegisterPacket (parameterID, portID,
                           AAX_CPacketHandler<AAX_CPacketDispatcher> (this, &AAX_CPacketDispatcher::GenerateSingleValuePacket));
}

AAX_Result AAX_CPacketDispatcher::SetDirty (AAX_CParamID parameterID, bool dirty)
{
    if (parameterID == nullptr)
        return AAX_SUCCESS;

    const AAX_StLock_Guard guard (mMutex);
    const auto [first, last] = mEntries.equal_range (parameterID);

    for (auto it = first; it != last; ++it)
        if (it->second.packet != nullptr)
            it->second.packet->SetDirty (dirty);

    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    const AAX_StLock_Guard guard (mMutex);

    if (mController == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    AAX_Result result = AAX_SUCCESS;

    for (const auto& [parameterID, entry] : mEntries)
    {
        AAX_CPacket* packet = entry.packet;

        if (packet == nullptr || ! packet->IsDirty())
            continue;

        // Handler failures are not reported: the packet just stays unposted
        // until the parameter changes again.
        if (entry.handler->Call (parameterID.c_str(), *packet) == AAX_SUCCESS && packet->HasData())
            result = mController->PostPacket (packet->GetID(), packet->GetData(), packet->GetSize());

        packet->SetDirty (false);
    }

    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket (AAX_CParamID parameterID, AAX_CPacket& packet)
{
    AAX_IParameter* parameter = nullptr;

    if (mEffectParameters == nullptr || mEffectParameters->GetParameter (parameterID, &parameter) != AAX_SUCCESS
        || parameter == nullptr)
        return AAX_ERROR_NULL_OBJECT;

    bool boolValue = false;
    float floatValue = 0.0f;
    int32_t intValue = 0;
    double doubleValue = 0.0;

    if (parameter->GetValueAsBool (&boolValue))
        writeValue (packet, int32_t (boolValue ? 1 : 0));
    else if (parameter->GetValueAsFloat (&floatValue))
        writeValue (packet, floatValue);
    else if (parameter->GetValueAsInt32 (&intValue))
        writeValue (packet, intValue);
    else if (parameter->GetValueAsDouble (&doubleValue))
        writeValue (packet, doubleValue);
    else
        return AAX_ERROR_NULL_OBJECT;

    return AAX_SUCCESS;
}
