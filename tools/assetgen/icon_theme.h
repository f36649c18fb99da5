// The program icon for the desktop's icon theme: the same picture as the
// program carries, enlarged pixel for pixel to the sizes a menu asks for.
#pragma once

#include <array>

#include "tools/assetgen/icon.h"
#include "tools/assetgen/png_writer.h"

namespace assetgen {

// 48 is the size every icon theme must have; the others let a desktop pick
// one near what it shows instead of scaling.
inline constexpr std::array<int, 5> kIconThemeSizes = {32, 48, 64, 128, 256};

// The icon at size x size pixels, each pixel taking the colour of the icon
// pixel it falls on (at 48 every other icon pixel is two pixels wide, so the
// block edges stay sharp).
IndexedPicture IconAtSize(const Icon& icon, int size);

}  // namespace assetgen
