// The emulated display's objects behind the driver's opaque pointers: 8-bit
// pixel blocks and palettes in memory, shown through the host's screen.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/display.h"
#include "platform/text.h"

namespace platform::emulated {

struct DisplayObject {
    bool holdsScreen = false;
};

struct PaletteObject {
    PaletteEntry entries[256] = {};
    bool systemEnds = false;  // entries 0 and 255 held at black and white
};

struct SurfaceObject {
    // Pixel rows start on 32-byte boundaries.
    struct AlignedDelete {
        void operator()(uint8_t* block) const;
    };
    SurfaceObject(int32_t columns, int32_t rows);

    int32_t width;
    int32_t height;
    int32_t pitch;
    std::unique_ptr<uint8_t[], AlignedDelete> pixels;
    bool hasColorKey = false;
    ColorKey colorKey;
    const PaletteObject* palette = nullptr;
};

}  // namespace platform::emulated

namespace platform {

// A device context: text painted straight into a surface's pixels. The api
// keeps the surface busy while a context is out, so its pixels cannot move.
class DeviceContext {
public:
    const emulated::SurfaceObject* surface = nullptr;  // its palette is looked up at paint time
    ColorRef textColour = Rgb(0, 0, 0);
    int backgroundMode = OPAQUE;
};

}  // namespace platform
