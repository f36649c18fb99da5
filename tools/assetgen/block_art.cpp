#include "tools/assetgen/block_art.h"

#include <algorithm>
#include <cstdlib>

#include "tools/assetgen/palette.h"
#include "tools/assetgen/pixel_font.h"

namespace assetgen {
namespace {

using colour::Block;
using colour::Shade;

constexpr int kFaceOffset = 3;
constexpr int kFaceSize = kTileSize - 2 * kFaceOffset;

// The shade of face pixel (fx, fy), 0..13 each way, for a block kind.
Shade FaceShade(int kind, int fx, int fy) {
    switch (kind) {
        case 1: {  // a glint in the top-left corner, otherwise smooth
            if ((fx == 1 || fx == 2) && (fy == 1 || fy == 2)) {
                return Shade::Highlight;
            }
            if ((fx == 3 && fy == 1) || (fx == 1 && fy == 3)) {
                return Shade::Light;
            }
            return Shade::Base;
        }
        case 2: {  // an engraved diamond
            const int distance = std::abs(2 * fx - 13) + std::abs(2 * fy - 13);
            if (distance == 9 || distance == 11) {
                return (fy < 7) ? Shade::Shadow : Shade::Light;
            }
            return distance < 9 ? Shade::Light : Shade::Base;
        }
        case 3: {  // diagonal ribs
            const int band = (fx + fy) % 5;
            return band == 0 ? Shade::Shadow : (band == 1 ? Shade::Light : Shade::Base);
        }
        case 4: {  // a sunken square in the middle
            const bool inside = fx >= 3 && fx <= 10 && fy >= 3 && fy <= 10;
            if (!inside) {
                return Shade::Base;
            }
            if (fx == 3 || fy == 3) {
                return Shade::Dark;
            }
            if (fx == 10 || fy == 10) {
                return Shade::Highlight;
            }
            return Shade::Shadow;
        }
        case 5: {  // four rivets
            const int cx = fx < 7 ? 3 : 10;
            const int cy = fy < 7 ? 3 : 10;
            const int dx = fx - cx;
            const int dy = fy - cy;
            if (std::abs(dx) <= 1 && std::abs(dy) <= 1) {
                return (dx + dy < 0) ? Shade::Highlight
                                     : (dx + dy > 0 ? Shade::Dark : Shade::Light);
            }
            return Shade::Base;
        }
        case 6: {  // three grooves across
            if (fy == 3 || fy == 7 || fy == 11) {
                return Shade::Dark;
            }
            if (fy == 4 || fy == 8 || fy == 12) {
                return Shade::Light;
            }
            return Shade::Base;
        }
        default: {  // a raised cross
            const bool upright = fx >= 6 && fx <= 7 && fy >= 2 && fy <= 11;
            const bool across = fy >= 6 && fy <= 7 && fx >= 2 && fx <= 11;
            if (upright || across) {
                return Shade::Highlight;
            }
            const bool shadowOfUpright = fx == 8 && fy >= 3 && fy <= 12 && !(fy >= 6 && fy <= 7);
            const bool shadowOfAcross = fy == 8 && fx >= 3 && fx <= 12 && !(fx >= 6 && fx <= 7);
            if (shadowOfUpright || shadowOfAcross || (fx == 8 && fy == 8)) {
                return Shade::Dark;
            }
            return Shade::Base;
        }
    }
}

}  // namespace

void DrawBlockTile(Canvas& canvas, int x, int y, int kind) {
    const Rect tile{x, y, kTileSize, kTileSize};
    canvas.Outline(tile, Block(kind, Shade::Outline));
    canvas.Bevel(tile.Inset(1), Block(kind, Shade::Highlight), Block(kind, Shade::Dark));
    canvas.Bevel(tile.Inset(2), Block(kind, Shade::Light), Block(kind, Shade::Shadow));
    for (int fy = 0; fy < kFaceSize; ++fy) {
        for (int fx = 0; fx < kFaceSize; ++fx) {
            canvas.Set(x + kFaceOffset + fx, y + kFaceOffset + fy,
                       Block(kind, FaceShade(kind, fx, fy)));
        }
    }
}

void DrawEmptyCell(Canvas& canvas, int x, int y) {
    canvas.Fill({x, y, kTileSize, kTileSize}, colour::kWellFloor);
    canvas.VerticalLine(x + kTileSize - 1, y, kTileSize, colour::kWellGrid);
    canvas.HorizontalLine(x, y + kTileSize - 1, kTileSize, colour::kWellGrid);
    canvas.Set(x + kTileSize - 1, y + kTileSize - 1, colour::kWellGridDot);
}

void DrawSmallBlock(Canvas& canvas, const Rect& area, int kind) {
    canvas.Outline(area, Block(kind, Shade::Outline));
    canvas.Bevel(area.Inset(1), Block(kind, Shade::Highlight), Block(kind, Shade::Dark));
    canvas.Fill(area.Inset(2), Block(kind, Shade::Base));
    if (area.width >= 8) {
        canvas.Bevel(area.Inset(2), Block(kind, Shade::Light), Block(kind, Shade::Shadow));
    }
}

int BlockLetteringWidth(std::string_view text, int blockSize) {
    return font::TextWidth(text, blockSize);
}

void DrawBlockLettering(Canvas& canvas, int x, int y, std::string_view text, int blockSize,
                        int firstKind, std::optional<uint8_t> shadow) {
    const auto eachBlock = [&](auto&& draw) {
        int left = x;
        int kind = firstKind;
        for (char c : text) {
            for (int row = 0; row < font::kGlyphHeight; ++row) {
                for (int column = 0; column < font::kGlyphWidth; ++column) {
                    if (font::GlyphPixel(c, column, row)) {
                        draw(Rect{left + column * blockSize, y + row * blockSize, blockSize,
                                  blockSize},
                             kind);
                    }
                }
            }
            left += (font::kGlyphWidth + 1) * blockSize;
            if (c != ' ') {
                kind = kind % colour::kBlockKinds + 1;
            }
        }
    };
    if (shadow) {
        const int offset = std::max(1, blockSize / 3);
        eachBlock([&](Rect block, int) {
            canvas.Fill({block.x + offset, block.y + offset, block.width, block.height}, *shadow);
        });
    }
    eachBlock([&](Rect block, int kind) { DrawSmallBlock(canvas, block, kind); });
}

}  // namespace assetgen
