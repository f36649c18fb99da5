// What the display's files share: the system's objects behind the driver's
// opaque pointers.
#pragma once

#include "platform/win32/win32_windows_api.h"

#include "platform/display.h"

namespace platform::win32 {

struct DisplayObject {
    IDirectDraw* system = nullptr;
    HWND window = nullptr;
    bool modeSet = false;
};

// The system's palette, and its colours as the system keeps them (which for
// the first and last entry may not be what was asked for).
struct PaletteObject {
    IDirectDrawPalette* system = nullptr;
    PaletteEntry entries[256] = {};
};

inline IDirectDrawSurface* NativeSurface(void* native) {
    return static_cast<IDirectDrawSurface*>(native);
}

inline PaletteObject* NativePalette(void* native) {
    return static_cast<PaletteObject*>(native);
}

// A device context is the system's, under the platform's name.
inline HDC NativeContext(DeviceContext* context) {
    return reinterpret_cast<HDC>(context);
}

}  // namespace platform::win32
