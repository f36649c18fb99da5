// What the display's files share: the system's objects behind the platform's.
#pragma once

#include "platform/win32/win32_windows_api.h"

#include "platform/display.h"

namespace platform::win32 {

inline IDirectDrawSurface* NativeSurface(void* native) {
    return static_cast<IDirectDrawSurface*>(native);
}

inline IDirectDrawPalette* NativePalette(void* native) {
    return static_cast<IDirectDrawPalette*>(native);
}

// A device context is the system's, under the platform's name.
inline HDC NativeContext(DeviceContext* context) {
    return reinterpret_cast<HDC>(context);
}

}  // namespace platform::win32
