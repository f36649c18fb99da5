// The platform's own 8 x 16 bitmap font: one byte per glyph row, the leftmost
// pixel in the highest bit.
#pragma once

#include <cstdint>

namespace platform::detail {

using GlyphRows = uint8_t[16];

// The glyph of a character; characters outside printable ASCII get a box.
const GlyphRows& GlyphFor(char character);

}  // namespace platform::detail
