// Text through a device context: the checks, on every driver.
#include "platform/text.h"

#include "platform/driver/driver.h"

namespace platform {
namespace {

constexpr ColorRef kInvalidColour = 0xFFFFFFFFu;

}  // namespace

ColorRef SetTextColor(DeviceContext* context, ColorRef colour) {
    if (context == nullptr) {
        return kInvalidColour;
    }
    return driver::SetTextColor(context, colour);
}

int SetBkMode(DeviceContext* context, int mode) {
    if (context == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        return 0;
    }
    return driver::SetBkMode(context, mode);
}

bool TextOut(DeviceContext* context, int32_t x, int32_t y, const char* text, int32_t length) {
    if (context == nullptr || length < 0 || (text == nullptr && length > 0)) {
        return false;
    }
    return driver::TextOut(context, x, y, text, length);
}

}  // namespace platform
