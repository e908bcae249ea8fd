// HostInstance.cpp: creating, initialising, attaching and releasing an effect instance's objects.
#include "HostInstance.h"

#include <algorithm>
#include <utility>

void host::FieldBlock::store (int32_t port, const void* payload, uint32_t size)
{
    const auto* bytes = static_cast<const uint8_t*> (payload);
    const std::lock_guard<std::mutex> guard (lock);
    ports[port].assign (bytes, bytes + (bytes != nullptr ? size : 0));
    ++posts;
}

std::vector<uint8_t> host::FieldBlock::port (int32_t portIndex) const
{
    const std::lock_guard<std::mutex> guard (lock);
    const auto found = ports.find (portIndex);
    return found != ports.end() ? found->second : std::vector<uint8_t> {};
}

int host::FieldBlock::postCount() const
{
    const std::lock_guard<std::mutex> guard (lock);
    return posts;
}

//==============================================================================
// Stands in front of the instance's controller: every operation goes to it
// (which records the call), and posted packets are also copied into the field
// block, as a host delivers them to the processing side.
class host::HostInstance::PacketCapture final : public HostObject<IControllerV3Slots>
{
public:
    PacketCapture (CallLog& log, HostControllerObject& controllerToUse, FieldBlock& fieldsToUse)
        : HostObject ("ControllerPacketCapture", log), controller (controllerToUse), fields (fieldsToUse) {}

    int32_t PostPacket (int32_t fieldIndex, const void* payload, uint32_t size) override
    {
        const auto result = controller.PostPacket (fieldIndex, payload, size);
        if (result == resultOk)
            fields.store (fieldIndex, payload, size);
        return result;
    }

    int32_t GetEffectID (void* out) override { return controller.GetEffectID (out); }
    int32_t GetSampleRate (float* out) override { return controller.GetSampleRate (out); }
    int32_t GetInputStemFormat (int32_t* out) override { return controller.GetInputStemFormat (out); }
    int32_t GetOutputStemFormat (int32_t* out) override { return controller.GetOutputStemFormat (out); }
    int32_t GetSignalLatency (int32_t* out) override { return controller.GetSignalLatency (out); }
    int32_t GetCycleCount (int32_t property, int32_t* out) override { return controller.GetCycleCount (property, out); }
    int32_t GetTODLocation (uint64_t* out) override { return controller.GetTODLocation (out); }
    int32_t SetSignalLatency (uint32_t samples) override { return controller.SetSignalLatency (samples); }
    int32_t SetCycleCount (int32_t* properties, int32_t* values, uint32_t count) override { return controller.SetCycleCount (properties, values, count); }
    int32_t GetCurrentMeterValue (uint32_t meter, float* out) override { return controller.GetCurrentMeterValue (meter, out); }
    int32_t GetMeterPeakValue (uint32_t meter, float* out) override { return controller.GetMeterPeakValue (meter, out); }
    int32_t ClearMeterPeakValue (uint32_t meter) override { return controller.ClearMeterPeakValue (meter); }
    int32_t GetMeterClipped (uint32_t meter, uint8_t* out) override { return controller.GetMeterClipped (meter, out); }
    int32_t ClearMeterClipped (uint32_t meter) override { return controller.ClearMeterClipped (meter); }
    int32_t GetMeterCount (uint32_t* out) override { return controller.GetMeterCount (out); }
    int32_t GetNextMIDIPacket (int32_t* port, void* packet) override { return controller.GetNextMIDIPacket (port, packet); }
    int32_t SendNotification (uint32_t type, const void* data, uint32_t size) override { return controller.SendNotification (type, data, size); }
    int32_t GetHybridSignalLatency (int32_t* out) override { return controller.GetHybridSignalLatency (out); }
    int32_t GetCurrentAutomationTimestamp (int64_t* out) override { return controller.GetCurrentAutomationTimestamp (out); }
    int32_t GetHostName (void* out) override { return controller.GetHostName (out); }
    int32_t GetPlugInTargetPlatform (int32_t* out) override { return controller.GetPlugInTargetPlatform (out); }
    int32_t GetIsAudioSuite (uint8_t* out) override { return controller.GetIsAudioSuite (out); }

private:
    HostControllerObject& controller;
    FieldBlock& fields;
};

//==============================================================================
namespace
{
    // Creates an object and takes the host's reference to the interface `iid`; null when it has none.
    template <class Slots>
    Slots* create (host::HostInstance::CreationProcedure procedure, const host::Uid& iid)
    {
        if (procedure == nullptr)
            return nullptr;

        auto* object = static_cast<host::IUnknownSlots*> (procedure());
        void* answer = nullptr;

        if (object == nullptr)
            return nullptr;

        if (object->QueryInterface (iid, &answer) != host::resultOk)
        {
            // No one holds the object yet: one reference taken and returned destroys it.
            object->AddRef();
            object->Release();
            return nullptr;
        }

        return static_cast<Slots*> (answer);
    }

    // Returns the host's reference to an object, uninitialised first when asked.
    template <class Slots>
    void letGo (Slots* object, bool uninitialize)
    {
        if (object == nullptr)
            return;
        if (uninitialize)
            object->Uninitialize();
        object->Release();
    }
}

host::HostInstance::HostInstance (TestHost& host, Procedures procedures, const HostController::Offer& offer)
    : testHost (host),
      hostController (host, offer),
      capture (host.adopt (std::make_unique<PacketCapture> (host.log(), hostController.controller(), fields))),
      guiProcedure (procedures.gui)
{
    const auto controllerVersions = { uids::IID_IAAXControllerV1, uids::IID_IAAXControllerV2, uids::IID_IAAXControllerV3 };
    for (const auto& iid : controllerVersions)
        hostController.controller().withdraw (iid);
    forwardVersions (hostController.controller(), capture, controllerVersions, offer.controller);

    parametersObject = create<IEffectParametersV4Slots> (procedures.parameters, uids::IID_IAAXEffectParametersV4);
    // The window asks the controller for the instance's parameters object.
    hostController.setEffectParameters (parametersObject);
    guiObject = create<IEffectGUIV1Slots> (procedures.gui, uids::IID_IAAXEffectGUIV1);
}

host::HostInstance::~HostInstance()
{
    release();
}

int32_t host::HostInstance::initialize()
{
    if (parametersObject == nullptr)
        return resultPointer;

    if (const auto result = parametersObject->Initialize (hostController.unknown()); result != resultOk)
        return result;

    return guiObject != nullptr ? guiObject->Initialize (hostController.unknown()) : resultOk;
}

int32_t host::HostInstance::setViewContainer (HostViewContainer::Kind kind)
{
    if (guiObject == nullptr)
        return resultPointer;

    container = &testHost.adopt (std::make_unique<HostViewContainer> (testHost.log(), Versions::all, kind));
    return guiObject->SetViewContainer (&container->unknown());
}

int32_t host::HostInstance::clearViewContainer()
{
    if (guiObject == nullptr)
        return resultPointer;

    container = nullptr;
    return guiObject->SetViewContainer (nullptr);
}

int32_t host::HostInstance::generateCoefficients()
{
    return parametersObject != nullptr ? parametersObject->GenerateCoefficients() : resultPointer;
}

void host::HostInstance::release (Teardown teardown)
{
    if (teardown.parametersFirst)
        releaseParameters (teardown.uninitialize);

    releaseWindow (teardown.uninitialize);
    while (! addedWindows.empty())
        releaseWindow (*addedWindows.front(), teardown.uninitialize);
    releaseParameters (teardown.uninitialize);
    container = nullptr;
}

void host::HostInstance::releaseParameters (bool uninitialize)
{
    letGo (std::exchange (parametersObject, nullptr), uninitialize);
    hostController.setEffectParameters (nullptr);
}

void host::HostInstance::releaseWindow (bool uninitialize)
{
    letGo (std::exchange (guiObject, nullptr), uninitialize);
}

host::IEffectGUIV1Slots* host::HostInstance::addWindow()
{
    auto* window = create<IEffectGUIV1Slots> (guiProcedure, uids::IID_IAAXEffectGUIV1);
    if (window != nullptr)
        addedWindows.push_back (window);
    return window;
}

void host::HostInstance::releaseWindow (IEffectGUIV1Slots& window, bool uninitialize)
{
    if (&window == guiObject)
        return releaseWindow (uninitialize);

    const auto held = std::find (addedWindows.begin(), addedWindows.end(), &window);
    if (held == addedWindows.end())
        return;
    addedWindows.erase (held);
    letGo (&window, uninitialize);
}
