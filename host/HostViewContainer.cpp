// HostViewContainer.cpp: a recording view container, with an X11 window when a display is available.
#include "HostViewContainer.h"

#if HOST_HAS_X11
 #include <X11/Xlib.h>
#endif

// Owns one top-level X11 window on its own display connection.
class host::HostViewContainer::NativeWindow
{
public:
#if HOST_HAS_X11
    NativeWindow()
        : display (XOpenDisplay (nullptr))
    {
        if (display == nullptr)
            return;
        window = XCreateSimpleWindow (display, XDefaultRootWindow (display), 0, 0, 400, 300, 0,
                                      XBlackPixel (display, XDefaultScreen (display)),
                                      XBlackPixel (display, XDefaultScreen (display)));
        XMapWindow (display, window);
        // The module makes its own window inside this one through a connection
        // of its own, which the server may serve first: the window must exist
        // there before its ID is handed out, or the module's window is refused
        // (BadWindow) and never shows.
        XSync (display, False);
    }

    ~NativeWindow()
    {
        if (display == nullptr)
            return;
        XDestroyWindow (display, window);
        XCloseDisplay (display);
    }

    bool exists() const noexcept { return display != nullptr; }
    void* handle() const noexcept { return reinterpret_cast<void*> (window); }

    void resize (ViewSize newSize)
    {
        if (display == nullptr || newSize.horz < 1.0f || newSize.vert < 1.0f)
            return;
        XResizeWindow (display, window, static_cast<unsigned> (newSize.horz), static_cast<unsigned> (newSize.vert));
        // Done on the server before this returns, for the same reason: the
        // module, and any client looking at the window, find it at its new size.
        XSync (display, False);
    }

private:
    Display* display = nullptr;
    Window window = 0;
#else
    bool exists() const noexcept { return false; }
    void* handle() const noexcept { return nullptr; }
    void resize (ViewSize) {}
#endif
};

host::HostViewContainer::HostViewContainer (CallLog& log, Versions versions, Kind kind)
    : HostObject ("ViewContainer", log)
{
    offerVersions (*this, { uids::IID_IAAXViewContainerV1, uids::IID_IAAXViewContainerV2 }, versions);
    if (kind == Kind::x11Window)
        window = std::make_unique<NativeWindow>();
}

host::HostViewContainer::~HostViewContainer() = default;

bool host::HostViewContainer::hasWindow() const noexcept
{
    return window != nullptr && window->exists();
}

int32_t host::HostViewContainer::GetType()
{
    record (3, {});
    return hasWindow() ? viewContainerTypeHWND : viewContainerTypeNone;
}

void* host::HostViewContainer::GetPtr()
{
    record (4, {});
    return hasWindow() ? window->handle() : nullptr;
}

int32_t host::HostViewContainer::GetModifiers (uint32_t* modifiersOut)
{
    record (5, { CallLog::text (modifiersOut) });
    if (modifiersOut != nullptr)
        *modifiersOut = modifiers;
    return resultOk;
}

int32_t host::HostViewContainer::SetViewSize (const ViewSize& newSize)
{
    record (6, { numberText (newSize.vert), numberText (newSize.horz) });
    size = newSize;
    if (hasWindow())
        window->resize (newSize);
    return resultOk;
}

int32_t host::HostViewContainer::HandleParameterMouseDown (const char* parameterID, uint32_t mods)
{
    record (7, { CallLog::text (parameterID), CallLog::text (mods) });
    return resultOk;
}

int32_t host::HostViewContainer::HandleParameterMouseDrag (const char* parameterID, uint32_t mods)
{
    record (8, { CallLog::text (parameterID), CallLog::text (mods) });
    return resultOk;
}

int32_t host::HostViewContainer::HandleParameterMouseUp (const char* parameterID, uint32_t mods)
{
    record (9, { CallLog::text (parameterID), CallLog::text (mods) });
    return resultOk;
}

int32_t host::HostViewContainer::HandleMultipleParametersMouseDown (const char* const* ids, uint32_t count, uint32_t mods)
{
    record (10, { CallLog::text (ids), CallLog::text (count), CallLog::text (mods) });
    return resultOk;
}

int32_t host::HostViewContainer::HandleMultipleParametersMouseDrag (const char* const* ids, uint32_t count, uint32_t mods)
{
    record (11, { CallLog::text (ids), CallLog::text (count), CallLog::text (mods) });
    return resultOk;
}

int32_t host::HostViewContainer::HandleMultipleParametersMouseUp (const char* const* ids, uint32_t count, uint32_t mods)
{
    record (12, { CallLog::text (ids), CallLog::text (count), CallLog::text (mods) });
    return resultOk;
}
