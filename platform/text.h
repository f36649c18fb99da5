// Text on a surface through a device context, in the platform's own 8 x 16
// bitmap font (printable ASCII; other characters show as a box).
#pragma once

#include <cstdint>

namespace platform {

class DeviceContext;

// A colour as 0x00BBGGRR.
using ColorRef = uint32_t;

constexpr ColorRef Rgb(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<ColorRef>(red) | (static_cast<ColorRef>(green) << 8) |
           (static_cast<ColorRef>(blue) << 16);
}

inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr int kFontWidth = 8;
inline constexpr int kFontHeight = 16;

// Text is painted in the entry of the surface's palette nearest to the colour
// (squared RGB distance, the lowest index on a tie). Returns the previous colour.
ColorRef SetTextColor(DeviceContext* context, ColorRef colour);

// TRANSPARENT paints only the glyphs; OPAQUE also fills each character cell
// with the background colour (palette index 0). Returns the previous mode.
int SetBkMode(DeviceContext* context, int mode);

// Paints length characters with the top-left corner of the first at (x, y).
// Glyph pixels outside the surface are left out.
bool TextOut(DeviceContext* context, int32_t x, int32_t y, const char* text, int32_t length);

}  // namespace platform
