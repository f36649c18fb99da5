// The score digits: bold, warm-lit numerals with a dark outline, so that
// they read on the dark fields of the play screen and of the end screen.
#pragma once

#include "tools/assetgen/canvas.h"

namespace assetgen {

inline constexpr int kDigitCell = 20;

// Draws digit 0 to 9 into the 20 x 20 cell whose top-left pixel is (x, y),
// leaving every pixel around the outlined numeral as it was.
void DrawDigit(Canvas& canvas, int x, int y, int digit);

}  // namespace assetgen
