// Text through a device context: the nearest palette colour and the built-in
// font, painted straight into the surface's pixels.
#include <utility>

#include "platform/driver/driver.h"
#include "platform/emulated/emulated_display.h"
#include "platform/emulated/emulated_font.h"

namespace platform::driver {
namespace {

constexpr uint8_t kBackgroundIndex = 0;

int32_t Channel(ColorRef colour, int shift) {
    return static_cast<int32_t>((colour >> shift) & 0xFF);
}

int32_t SquaredDistance(const PaletteEntry& entry, ColorRef colour) {
    const int32_t red = entry.red - Channel(colour, 0);
    const int32_t green = entry.green - Channel(colour, 8);
    const int32_t blue = entry.blue - Channel(colour, 16);
    return red * red + green * green + blue * blue;
}

// The palette entry closest to the colour; the first of equally close ones.
uint8_t NearestIndex(const emulated::PaletteObject* palette, ColorRef colour) {
    static const PaletteEntry black[256] = {};
    const PaletteEntry* entries = palette != nullptr ? palette->entries : black;
    int nearest = 0;
    int32_t nearestDistance = SquaredDistance(entries[0], colour);
    for (int index = 1; index < 256 && nearestDistance > 0; ++index) {
        const int32_t distance = SquaredDistance(entries[index], colour);
        if (distance < nearestDistance) {
            nearest = index;
            nearestDistance = distance;
        }
    }
    return static_cast<uint8_t>(nearest);
}

void PaintCharacter(const emulated::SurfaceObject& surface, int backgroundMode, int64_t left,
                    int32_t top, char character, uint8_t ink) {
    const detail::GlyphRows& glyph = detail::GlyphFor(character);
    for (int row = 0; row < kFontHeight; ++row) {
        const int64_t y = int64_t{top} + row;
        if (y < 0 || y >= surface.height) {
            continue;
        }
        uint8_t* line = surface.pixels.get() + y * surface.pitch;
        for (int column = 0; column < kFontWidth; ++column) {
            const int64_t x = left + column;
            if (x < 0 || x >= surface.width) {
                continue;
            }
            const bool inked = (glyph[row] & (0x80 >> column)) != 0;
            if (inked) {
                line[x] = ink;
            } else if (backgroundMode == OPAQUE) {
                line[x] = kBackgroundIndex;
            }
        }
    }
}

}  // namespace

ColorRef SetTextColor(DeviceContext* context, ColorRef colour) {
    return std::exchange(context->textColour, colour);
}

int SetBkMode(DeviceContext* context, int mode) {
    return std::exchange(context->backgroundMode, mode);
}

bool TextOut(DeviceContext* context, int32_t x, int32_t y, const char* text, int32_t length) {
    const emulated::SurfaceObject& surface = *context->surface;
    // The colour is matched now, so a palette changed since SetTextColor counts.
    const uint8_t ink = NearestIndex(surface.palette, context->textColour);
    for (int32_t i = 0; i < length; ++i) {
        const int64_t left = int64_t{x} + int64_t{i} * kFontWidth;
        if (left >= surface.width) {
            break;
        }
        PaintCharacter(surface, context->backgroundMode, left, y, text[i], ink);
    }
    return true;
}

}  // namespace platform::driver
