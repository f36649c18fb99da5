// The tile and digit strips: 20 x 20 images side by side, 3 pixels apart.
#include "tools/assetgen/block_art.h"
#include "tools/assetgen/digit_art.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/screen_layout.h"

namespace assetgen {
namespace {

constexpr int kTileCount = 8;
constexpr int kDigitCount = 10;

// Wide and tall enough for every cut, with the same margin on the far side.
Canvas StripFor(int count) {
    const int width =
        layout::kStripLeft + layout::kStripStep * (count - 1) + kTileSize + layout::kStripLeft;
    const int height = layout::kStripTop * 2 + kTileSize;
    return Canvas(width, height, colour::kTransparent);
}

int CutX(int index) {
    return layout::kStripLeft + layout::kStripStep * index;
}

}  // namespace

Canvas DrawTileStrip() {
    Canvas strip = StripFor(kTileCount);
    DrawEmptyCell(strip, CutX(0), layout::kStripTop);
    for (int kind = 1; kind < kTileCount; ++kind) {
        DrawBlockTile(strip, CutX(kind), layout::kStripTop, kind);
    }
    return strip;
}

Canvas DrawDigitStrip() {
    Canvas strip = StripFor(kDigitCount);
    for (int digit = 0; digit < kDigitCount; ++digit) {
        DrawDigit(strip, CutX(digit), layout::kStripTop, digit);
    }
    return strip;
}

}  // namespace assetgen
