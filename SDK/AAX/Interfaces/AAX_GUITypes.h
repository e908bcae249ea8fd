// AAX_GUITypes.h: what the plug-in's window and the host's view container exchange: sizes, container types, modifier keys.
#pragma once

#include <cstdint>

// A size or position in points; vertical first.
struct AAX_Point
{
    float vert = 0.0f;
    float horz = 0.0f;
};

// What kind of native view a view container holds.
enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    // On Linux an HWND-typed container's pointer is an X11 window id.
    AAX_eViewContainer_Type_HWND = 2
};

// Modifier-key bits reported by the view container.
enum AAX_EModifiers : uint32_t
{
    AAX_eModifiers_None = 0,
    AAX_eModifiers_Shift = 1u << 0,
    AAX_eModifiers_Control = 1u << 1,
    AAX_eModifiers_Option = 1u << 2,
    AAX_eModifiers_Command = 1u << 3,
    AAX_eModifiers_SecondaryButton = 1u << 4,
    AAX_eModifiers_Alt = AAX_eModifiers_Option,
    AAX_eModifiers_Cntl = AAX_eModifiers_Control,
    AAX_eModifiers_WINKEY = AAX_eModifiers_Command
};
