// The blocks as the player sees them: the 20 x 20 tiles of the well, the
// empty cell, and small bevelled blocks used as decoration and lettering.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "tools/assetgen/canvas.h"

namespace assetgen {

inline constexpr int kTileSize = 20;

// A tile of kind 1 to 7 with its top-left pixel at (x, y). Each kind has a
// face pattern of its own as well as its colour, so kinds stay apart for a
// player who does not tell the colours apart.
void DrawBlockTile(Canvas& canvas, int x, int y, int kind);

// The floor of one well cell: dark, with a faint line on its right and bottom
// edges so that the well reads as a quiet grid.
void DrawEmptyCell(Canvas& canvas, int x, int y);

// A plain bevelled block of any size, without a face pattern.
void DrawSmallBlock(Canvas& canvas, const Rect& area, int kind);

// Text built of small blocks, one block per font pixel; each letter takes the
// next block colour, starting from firstKind. A shadow colour, if given, is
// cast down and to the right of every block.
void DrawBlockLettering(Canvas& canvas, int x, int y, std::string_view text, int blockSize,
                        int firstKind, std::optional<uint8_t> shadow = std::nullopt);
int BlockLetteringWidth(std::string_view text, int blockSize);

}  // namespace assetgen
