// The five pictures the game reads.
#pragma once

#include "tools/assetgen/canvas.h"

namespace assetgen {

Canvas DrawPlayScreen();   // "menu1.bmp", in the game palette
Canvas DrawTileStrip();    // "cubeshards2.bmp"
Canvas DrawDigitStrip();   // "score.bmp"
Canvas DrawTitleScreen();  // "start.bmp", in the title palette
Canvas DrawEndScreen();    // "end.bmp", in the game palette

}  // namespace assetgen
