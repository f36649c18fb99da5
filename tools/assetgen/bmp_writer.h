// 8-bit bitmap files as the game reads them: the two headers, all 256
// palette entries, and the pixel rows right behind the palette, bottom row
// first, each row padded to a multiple of four bytes.
#pragma once

#include <cstdint>
#include <vector>

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/palette.h"

namespace assetgen {

inline constexpr uint32_t kBitmapPixelOffset = 14 + 40 + 256 * 4;

std::vector<uint8_t> EncodeBitmap(const Canvas& picture, const Palette& palette);

}  // namespace assetgen
