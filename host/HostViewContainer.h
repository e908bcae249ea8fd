// HostViewContainer.h: the host's view that holds the effect's window: headless, or a real X11 window under an X server.
#pragma once

#include "HostRuntimeInterfaces.h"
#include "HostVersions.h"

#include <memory>

namespace host
{
    // Container types as the host reports them.
    constexpr int32_t viewContainerTypeNone = 0;
    // On Linux the "HWND" type carries an X11 window id as its pointer.
    constexpr int32_t viewContainerTypeHWND = 2;

    class HostViewContainer final : public HostObject<IViewContainerV2Slots>
    {
    public:
        enum class Kind
        {
            headless, // type 0 and a null view: nothing to embed into
            x11Window // a real top-level X11 window; falls back to headless without an X server
        };

        HostViewContainer (CallLog& log, Versions versions, Kind kind);
        ~HostViewContainer() override;

        // The size the module asked for last (0 x 0 before any request).
        ViewSize viewSize() const noexcept { return size; }
        bool hasWindow() const noexcept;

        uint32_t modifiers = 0;

        int32_t GetType() override;
        void* GetPtr() override;
        int32_t GetModifiers (uint32_t* modifiersOut) override;
        int32_t SetViewSize (const ViewSize& newSize) override;
        int32_t HandleParameterMouseDown (const char* parameterID, uint32_t modifiers) override;
        int32_t HandleParameterMouseDrag (const char* parameterID, uint32_t modifiers) override;
        int32_t HandleParameterMouseUp (const char* parameterID, uint32_t modifiers) override;
        int32_t HandleMultipleParametersMouseDown (const char* const* ids, uint32_t count, uint32_t modifiers) override;
        int32_t HandleMultipleParametersMouseDrag (const char* const* ids, uint32_t count, uint32_t modifiers) override;
        int32_t HandleMultipleParametersMouseUp (const char* const* ids, uint32_t count, uint32_t modifiers) override;

    private:
        class NativeWindow;
        std::unique_ptr<NativeWindow> window;
        ViewSize size {};
    };
}
