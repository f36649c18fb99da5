// "end.bmp": the closing screen, drawn in the game palette. The score's nine
// digits are drawn first and show only through the window left transparent.
#include "tools/assetgen/art_random.h"
#include "tools/assetgen/backdrop.h"
#include "tools/assetgen/block_art.h"
#include "tools/assetgen/palette.h"
#include "tools/assetgen/pictures.h"
#include "tools/assetgen/pixel_font.h"
#include "tools/assetgen/screen_layout.h"

namespace assetgen {
namespace {

// A finished stack along the bottom of the screen, a few cells short of full
// rows, with a ragged top.
void DrawRestingStack(Canvas& canvas) {
    Random random(99);
    constexpr int kRows = 3;
    const int columns = layout::kScreenWidth / kTileSize;
    for (int column = 0; column < columns; ++column) {
        const int height = 1 + random.Below(kRows);
        for (int row = 0; row < height; ++row) {
            if (random.Below(9) == 0) {
                continue;  // a hole left in the stack
            }
            DrawBlockTile(canvas, column * kTileSize, layout::kScreenHeight - (row + 1) * kTileSize,
                          1 + random.Below(7));
        }
    }
}

}  // namespace

Canvas DrawEndScreen() {
    Canvas canvas(layout::kScreenWidth, layout::kScreenHeight, colour::kClear);
    const Rect window = layout::kEndScoreWindow;
    // Everything is centred on the score window, which sits a little left of
    // the middle of the screen.
    const int centreX = window.x + window.width / 2;
    PaintBackdrop(canvas, centreX, window.y);

    constexpr int kBlock = 8;
    const char* title = "STACKWELL";
    DrawBlockLettering(canvas, centreX - BlockLetteringWidth(title, kBlock) / 2, 28, title, kBlock,
                       1, colour::kTextShadow);

    DrawPlate(canvas, {window.x - 40, window.y - 46, window.width + 80, window.height + 108});
    const font::TextStyle labelStyle{.scale = 2,
                                     .colour = colour::kLabel,
                                     .lowerColour = colour::kDimText,
                                     .shadow = colour::kTextShadow};
    font::DrawTextCentred(canvas, centreX, window.y - 30, "FINAL SCORE", labelStyle);
    DrawFramedField(canvas, window, 5);
    canvas.Fill(window, colour::kTransparent);
    font::DrawTextCentred(canvas, centreX, window.y + 40, "THANK YOU", labelStyle);
    font::DrawTextCentred(canvas, centreX, window.y + 58, "FOR PLAYING", labelStyle);

    const font::TextStyle leaveStyle{.scale = 2,
                                     .colour = colour::kWhite,
                                     .lowerColour = colour::kGold,
                                     .shadow = colour::kTextShadow};
    font::DrawTextCentred(canvas, centreX, 330, "PRESS RETURN OR ESCAPE", leaveStyle);
    font::DrawTextCentred(canvas, centreX, 350, "TO LEAVE", leaveStyle);
    DrawRestingStack(canvas);
    return canvas;
}

}  // namespace assetgen
