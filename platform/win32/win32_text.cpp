// Text through GDI on a surface's device context, in the system's font.
#include "platform/win32/win32_display.h"

#include "platform/driver/driver.h"

namespace platform::driver {

using win32::NativeContext;

ColorRef SetTextColor(DeviceContext* context, ColorRef colour) {
    return ::SetTextColor(NativeContext(context), colour);
}

int SetBkMode(DeviceContext* context, int mode) {
    return ::SetBkMode(NativeContext(context), mode);
}

bool TextOut(DeviceContext* context, int32_t x, int32_t y, const char* text, int32_t length) {
    return TextOutA(NativeContext(context), x, y, text, length) != FALSE;
}

}  // namespace platform::driver
