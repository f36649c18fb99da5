// Where the game draws on its 640 x 480 screen. The pictures are built around
// these places; the game's frame drawing puts tiles and digits exactly here.
#pragma once

#include "tools/assetgen/canvas.h"

namespace assetgen::layout {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;

// The well: 10 x 23 cells of 20 pixels.
inline constexpr Rect kWell{190, 1, 200, 460};
// The 4 x 4 preview of the next piece.
inline constexpr Rect kPreview{400, 117, 80, 80};
// Nine score digits, the units on the right.
inline constexpr Rect kScoreField{395, 256, 180, 20};
// One digit: the games still to play.
inline constexpr Rect kGamesLeftField{473, 331, 20, 20};
// The end screen's nine score digits.
inline constexpr Rect kEndScoreWindow{221, 148, 180, 20};

// Tiles and digits are cut from their strips at (2 + 23 i, 4).
inline constexpr int kStripLeft = 2;
inline constexpr int kStripStep = 23;
inline constexpr int kStripTop = 4;

}  // namespace assetgen::layout
