// HostInstance.h: one effect instance as the host drives it: its parameters and window objects, controller, view container and field block.
#pragma once

#include "HostController.h"
#include "HostEffectInterfaces.h"
#include "HostViewContainer.h"

#include <map>
#include <mutex>
#include <vector>

namespace host
{
    // The instance's field block: the latest packet posted to each port.
    class FieldBlock
    {
    public:
        void store (int32_t port, const void* payload, uint32_t size);
        // The port's bytes; empty before any packet reached it.
        std::vector<uint8_t> port (int32_t port) const;
        int postCount() const;

    private:
        mutable std::mutex lock;
        std::map<int32_t, std::vector<uint8_t>> ports;
        int posts = 0;
    };

    // How a host lets an instance go. The usual order is the window first
    // (it holds a reference to the parameters object), each object
    // uninitialised before its reference is returned; hosts also return the
    // parameters first, or skip Uninitialize.
    struct Teardown
    {
        bool parametersFirst = false;
        bool uninitialize = true;
    };

    // Creates the objects through the effect's creation procedures, as
    // registered: each answers a new object that no one holds yet. The host
    // then holds one reference to each until release().
    class HostInstance
    {
    public:
        using CreationProcedure = void* (*)();

        struct Procedures
        {
            CreationProcedure parameters = nullptr;
            CreationProcedure gui = nullptr; // optional: an effect without a window
        };

        HostInstance (TestHost& host, Procedures procedures, const HostController::Offer& offer = {});
        HostInstance (const HostInstance&) = delete;
        HostInstance& operator= (const HostInstance&) = delete;
        // Releases whatever is still held, as release() does.
        ~HostInstance();

        IEffectParametersV4Slots* parameters() noexcept { return parametersObject; }
        // The window object made with the instance.
        IEffectGUIV1Slots* gui() noexcept { return guiObject; }
        HostController& controller() noexcept { return hostController; }
        const FieldBlock& fieldBlock() const noexcept { return fields; }

        // Initialises the parameters object, then the window, with the controller.
        int32_t initialize();
        // Hands the window a new view container of that kind, or takes it away.
        int32_t setViewContainer (HostViewContainer::Kind kind);
        int32_t clearViewContainer();
        HostViewContainer* viewContainer() noexcept { return container; }

        // Lets the parameters object post its changed packets into the field block.
        int32_t generateCoefficients();
        int pumpAutomation() { return hostController.pumpAutomation(); }

        // Returns the host's references to both objects, as the teardown says.
        void release (Teardown teardown = {});
        // Returns the host's reference to one object (uninitialised first when
        // asked), leaving the other as it is; each does nothing once its
        // object is let go. Without its parameters object the controller no
        // longer offers it to the window.
        void releaseParameters (bool uninitialize = true);
        void releaseWindow (bool uninitialize = true);

        // Makes a further window object through the window's creation
        // procedure, as a host that opens the next window before it lets the
        // last go; null for an effect without a window. The host holds it
        // until releaseWindow (window) or release(), which lets it go after
        // the first window.
        IEffectGUIV1Slots* addWindow();
        // Lets any window object of the instance go, the first or an added one.
        void releaseWindow (IEffectGUIV1Slots& window, bool uninitialize = true);

    private:
        class PacketCapture;

        TestHost& testHost;
        HostController hostController;
        FieldBlock fields;
        PacketCapture& capture;
        IEffectParametersV4Slots* parametersObject = nullptr;
        CreationProcedure guiProcedure;
        IEffectGUIV1Slots* guiObject = nullptr;
        std::vector<IEffectGUIV1Slots*> addedWindows;
        HostViewContainer* container = nullptr;
    };
}
