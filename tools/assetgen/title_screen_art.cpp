// "start.bmp": the title in block letters over an evening landscape, the
// keys, and the call to press Return. Drawn in the title palette.
#include <cmath>
#include <string>

#include "tools/assetgen/art_random.h"
#include "tools/assetgen/backdrop.h"
#include "tools/assetgen/block_art.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/pixel_font.h"
#include "tools/assetgen/screen_layout.h"

namespace assetgen {
namespace {

constexpr int kCentreX = layout::kScreenWidth / 2;

void PaintSky(Canvas& canvas) {
    for (int y = 0; y < canvas.Height(); ++y) {
        const double height = static_cast<double>(y) / canvas.Height();
        for (int x = 0; x < canvas.Width(); ++x) {
            // Brighter towards the horizon, a little more around the middle.
            const double sidelight = 0.06 * std::cos((x - kCentreX) / 420.0 * 3.14159);
            const double lightness = 0.04 + 0.95 * height * height + sidelight;
            canvas.Set(
                x, y,
                DitheredRamp(colour::kBackdropFirst, colour::kBackdropCount, lightness, x, y));
        }
    }
}

void ScatterStars(Canvas& canvas) {
    Random random(1234);
    for (int i = 0; i < 90; ++i) {
        const int x = random.Below(canvas.Width());
        const int y = random.Below(200);
        const bool bright = random.Below(5) == 0;
        canvas.Set(x, y, bright ? colour::kWhite : colour::kDimText);
        if (bright && random.Below(2) == 0) {
            canvas.Set(x - 1, y, colour::kDimText);
            canvas.Set(x + 1, y, colour::kDimText);
            canvas.Set(x, y - 1, colour::kDimText);
            canvas.Set(x, y + 1, colour::kDimText);
        }
    }
}

// Two rows of rolling hills: the far ones lighter, the near ones darker.
void PaintHills(Canvas& canvas) {
    for (int x = 0; x < canvas.Width(); ++x) {
        const double t = x / 640.0 * 6.2832;
        const int far =
            400 + static_cast<int>(18 * std::sin(t * 1.3 + 0.8) + 9 * std::sin(t * 3.1));
        const int near =
            440 + static_cast<int>(14 * std::sin(t * 0.9 + 2.1) + 6 * std::sin(t * 4.3));
        for (int y = far; y < canvas.Height(); ++y) {
            canvas.Set(x, y, static_cast<uint8_t>(colour::kHillFirst + colour::kHillCount - 2));
        }
        for (int y = near; y < canvas.Height(); ++y) {
            canvas.Set(x, y, colour::kHillFirst);
        }
    }
}

// Small piles of blocks on either side, resting on the hills.
void DrawPiles(Canvas& canvas) {
    struct Placed {
        int column;
        int row;
        int kind;
    };
    constexpr Placed kLeftPile[] = {{0, 0, 5}, {1, 0, 5}, {2, 0, 5}, {3, 0, 2}, {0, 1, 1},
                                    {1, 1, 1}, {3, 1, 2}, {1, 2, 1}, {3, 2, 2}, {0, 2, 6}};
    constexpr Placed kRightPile[] = {{0, 0, 3}, {1, 0, 3}, {2, 0, 4}, {3, 0, 4}, {1, 1, 3},
                                     {2, 1, 3}, {3, 1, 4}, {2, 2, 7}, {3, 2, 4}, {2, 3, 7}};
    for (const Placed& block : kLeftPile) {
        DrawBlockTile(canvas, 24 + block.column * kTileSize, 452 - block.row * kTileSize,
                      block.kind);
    }
    for (const Placed& block : kRightPile) {
        DrawBlockTile(canvas, 536 + block.column * kTileSize, 452 - block.row * kTileSize,
                      block.kind);
    }
}

void DrawKeys(Canvas& canvas) {
    const Rect plate{142, 162, 356, 200};
    DrawPlate(canvas, plate);
    const font::TextStyle keyStyle{.scale = 2,
                                   .colour = colour::kGold,
                                   .lowerColour = colour::kDigitBottom,
                                   .shadow = colour::kTextShadow};
    const font::TextStyle actionStyle{.scale = 2,
                                      .colour = colour::kWhite,
                                      .lowerColour = colour::kLabel,
                                      .shadow = colour::kTextShadow};
    const std::string arrows = std::string{font::kArrowLeft} + " " + font::kArrowRight;
    struct Line {
        std::string key;
        const char* action;
    };
    const Line lines[] = {{arrows, "MOVE"},
                          {std::string{font::kArrowDown}, "DROP FASTER"},
                          {"SPACE", "TURN"},
                          {"RETURN", "PAUSE / START"},
                          {"ESCAPE", "QUIT"}};
    int y = plate.y + 24;
    for (const Line& line : lines) {
        font::DrawText(canvas, plate.x + 26, y, line.key, keyStyle);
        font::DrawText(canvas, plate.x + 132, y, line.action, actionStyle);
        y += 34;
    }
}

}  // namespace

Canvas DrawTitleScreen() {
    Canvas canvas(layout::kScreenWidth, layout::kScreenHeight, colour::kClear);
    PaintSky(canvas);
    ScatterStars(canvas);
    PaintHills(canvas);
    DrawPiles(canvas);

    constexpr int kBlock = 10;
    const std::string title = "STACKWELL";
    const int titleWidth = BlockLetteringWidth(title, kBlock);
    DrawBlockLettering(canvas, kCentreX - titleWidth / 2, 44, title, kBlock, 1,
                       colour::kTextShadow);

    DrawKeys(canvas);
    const font::TextStyle callStyle{.scale = 3,
                                    .colour = colour::kWhite,
                                    .lowerColour = colour::kGold,
                                    .shadow = colour::kTextShadow};
    font::DrawTextCentred(canvas, kCentreX, 384, "PRESS RETURN", callStyle);
    return canvas;
}

}  // namespace assetgen
