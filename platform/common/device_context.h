// A device context: text painted straight into a surface's pixels. The surface
// stays busy while a context is out, so its pixels cannot move meanwhile.
#pragma once

#include <cstdint>

#include "platform/display.h"
#include "platform/text.h"

namespace platform {

class DeviceContext {
public:
    const Surface* surface = nullptr;  // for its palette, looked up at paint time
    uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    int32_t width = 0;
    int32_t height = 0;
    ColorRef textColour = Rgb(0, 0, 0);
    int backgroundMode = OPAQUE;
};

}  // namespace platform
