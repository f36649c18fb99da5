// "menu1.bmp": the play screen around the well, the preview, the score and
// the games-left fields. Tiles and digits are drawn over it in every frame.
#include <string>

#include "tools/assetgen/backdrop.h"
#include "tools/assetgen/block_art.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/pixel_font.h"
#include "tools/assetgen/screen_layout.h"

namespace assetgen {
namespace {

constexpr int kWallThickness = 5;
constexpr int kPanelCentreX = 512;

const font::TextStyle kLabelStyle{.scale = 2,
                                  .colour = colour::kLabel,
                                  .lowerColour = colour::kDimText,
                                  .shadow = colour::kTextShadow};
const font::TextStyle kKeyStyle{.scale = 2,
                                .colour = colour::kGold,
                                .lowerColour = colour::kDigitBottom,
                                .shadow = colour::kTextShadow};
const font::TextStyle kHelpStyle{.scale = 2,
                                 .colour = colour::kWhite,
                                 .lowerColour = colour::kLabel,
                                 .shadow = colour::kTextShadow};

// Steel walls left, right and below the well, lit from the room outside.
void DrawWellWalls(Canvas& canvas) {
    const Rect well = layout::kWell;
    const uint8_t steel = colour::kSteelFirst;
    // Outside to inside.
    const uint8_t shades[kWallThickness] = {
        static_cast<uint8_t>(steel + 3), static_cast<uint8_t>(steel + 13),
        static_cast<uint8_t>(steel + 10), static_cast<uint8_t>(steel + 6),
        static_cast<uint8_t>(steel + 1)};
    const int wallTop = 0;
    const int wallHeight = well.Bottom() + kWallThickness + 1;
    for (int i = 0; i < kWallThickness; ++i) {
        canvas.VerticalLine(well.x - kWallThickness + i, wallTop, wallHeight, shades[i]);
        canvas.VerticalLine(well.Right() + kWallThickness - i, wallTop, wallHeight, shades[i]);
        canvas.HorizontalLine(well.x - kWallThickness + i, well.Bottom() + kWallThickness - i,
                              well.width + 2 * (kWallThickness - i), shades[i]);
    }
    // The lip above the top row.
    canvas.HorizontalLine(well.x, well.y - 1, well.width, colour::kWellGrid);
    for (int row = 0; row < well.height / kTileSize; ++row) {
        for (int column = 0; column < well.width / kTileSize; ++column) {
            DrawEmptyCell(canvas, well.x + column * kTileSize, well.y + row * kTileSize);
        }
    }
}

void DrawNameplate(Canvas& canvas) {
    const Rect plate{408, 10, 208, 66};
    DrawPlate(canvas, plate);
    const font::TextStyle nameStyle{.scale = 3,
                                    .colour = colour::kGold,
                                    .lowerColour = colour::kDigitBottom,
                                    .shadow = colour::kTextShadow};
    font::DrawTextCentred(canvas, kPanelCentreX, 20, "STACKWELL", nameStyle);
    // The seven blocks in a row, as a signature under the name.
    constexpr int kMini = 12;
    const int rowWidth = 7 * kMini + 6 * 3;
    for (int kind = 1; kind <= 7; ++kind) {
        DrawSmallBlock(canvas,
                       {kPanelCentreX - rowWidth / 2 + (kind - 1) * (kMini + 3), 52, kMini, kMini},
                       kind);
    }
}

void DrawPreviewBox(Canvas& canvas) {
    const Rect preview = layout::kPreview;
    font::DrawText(canvas, preview.x, preview.y - 24, "NEXT", kLabelStyle);
    DrawFramedField(canvas, preview, kWallThickness);
    // Cells the preview leaves empty look like empty cells of the well.
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            DrawEmptyCell(canvas, preview.x + column * kTileSize, preview.y + row * kTileSize);
        }
    }
}

void DrawScoreBox(Canvas& canvas) {
    const Rect field = layout::kScoreField;
    font::DrawText(canvas, field.x + 5, field.y - 24, "SCORE", kLabelStyle);
    DrawFramedField(canvas, field, kWallThickness);
}

void DrawGamesLeftBox(Canvas& canvas) {
    const Rect field = layout::kGamesLeftField;
    DrawFramedField(canvas, field, kWallThickness);
    const int labelRight = field.x - kWallThickness - 8;
    font::DrawText(canvas, labelRight - font::TextWidth("GAMES", 2), field.y - 5, "GAMES",
                   kLabelStyle);
    font::DrawText(canvas, labelRight - font::TextWidth("LEFT", 2), field.y + 11, "LEFT",
                   kLabelStyle);
}

void DrawKeyHelp(Canvas& canvas) {
    const Rect plate{10, 40, 170, 214};
    DrawPlate(canvas, plate);
    font::DrawTextCentred(canvas, plate.x + plate.width / 2, plate.y + 12, "KEYS", kLabelStyle);
    const std::string arrows = std::string{font::kArrowLeft} + " " + font::kArrowRight;
    const std::string down{font::kArrowDown};
    struct Line {
        std::string key;
        const char* action;
    };
    const Line lines[] = {{arrows, "MOVE"},
                          {down, "FASTER"},
                          {"SPACE", "TURN"},
                          {"RETURN", "PAUSE"},
                          {"ESC", "QUIT"}};
    int y = plate.y + 44;
    for (const Line& line : lines) {
        font::DrawText(canvas, plate.x + 8, y, line.key, kKeyStyle);
        font::DrawText(canvas, plate.x + 90, y, line.action, kHelpStyle);
        y += 32;
    }
}

// A few loose blocks resting in the corner, as if left over from a game.
void DrawCornerStack(Canvas& canvas) {
    struct Placed {
        int column;
        int row;
        int kind;
    };
    constexpr Placed kStack[] = {{0, 0, 5}, {1, 0, 5}, {2, 0, 3}, {3, 0, 1}, {4, 0, 1}, {0, 1, 5},
                                 {2, 1, 3}, {3, 1, 3}, {4, 1, 1}, {3, 2, 7}, {4, 2, 7}, {4, 3, 7}};
    const int left = 530;
    const int bottom = 466;
    for (const Placed& block : kStack) {
        DrawBlockTile(canvas, left + block.column * kTileSize, bottom - (block.row + 1) * kTileSize,
                      block.kind);
    }
    canvas.HorizontalLine(left - 6, bottom, 5 * kTileSize + 12, colour::kSteelFirst + 10);
    canvas.HorizontalLine(left - 6, bottom + 1, 5 * kTileSize + 12, colour::kSteelFirst + 4);
}

}  // namespace

Canvas DrawPlayScreen() {
    Canvas canvas(layout::kScreenWidth, layout::kScreenHeight, colour::kClear);
    PaintBackdrop(canvas, layout::kWell.x + layout::kWell.width / 2, 200);
    DrawKeyHelp(canvas);
    DrawNameplate(canvas);
    DrawWellWalls(canvas);
    DrawPreviewBox(canvas);
    DrawScoreBox(canvas);
    DrawGamesLeftBox(canvas);
    DrawCornerStack(canvas);
    return canvas;
}

}  // namespace assetgen
