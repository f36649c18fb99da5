// A play frame as the player sees it: every board cell, preview cell, score
// digit and the games-left digit at its place on the background, drawn back
// to front with index 253 transparent.
#include "video/frame.h"
#include "rules/counters.h"
#include "rules/piece.h"
#include "tests/video/video_fixture.h"
#include "video/display.h"
#include "video/sprite_sheet.h"

namespace {

using namespace video_test;

using Cells = std::array<int16_t, 230>;
using Digits = std::array<int32_t, 10>;
constexpr uint8_t kClear = kTransparentIndex;

// Tile v is solid 10 + v with a transparent 4 x 4 hole; its top-left pixel is
// 40 + v, so a shifted or flipped tile shows.
Picture Tile(int32_t v) {
    Picture image(20, 20, static_cast<uint8_t>(10 + v));
    image.Fill(8, 8, 4, 4, kClear);
    image.At(0, 0) = static_cast<uint8_t>(40 + v);
    return image;
}

// Digit d is solid 60 + d with a transparent column; its top-left pixel is 80 + d.
Picture Digit(int32_t d) {
    Picture image(20, 20, static_cast<uint8_t>(60 + d));
    image.Fill(10, 0, 1, 20, kClear);
    image.At(0, 0) = static_cast<uint8_t>(80 + d);
    return image;
}

// Stripes with transparent holes, where the cleared screen's index 0 shows.
Picture Background() {
    Picture picture = Pattern(640, 480, 150, 100);
    picture.Fill(0, 470, 640, 10, kClear);
    picture.Fill(200, 50, 60, 60, kClear);  // under the well
    return picture;
}

// Images of 20 x 20 every 23 pixels from column 2, row 4; the gaps are 5.
Picture Strip(Picture (*image)(int32_t), int32_t count) {
    Picture strip(2 + 23 * count, 24, 5);
    for (int32_t i = 0; i < count; ++i) {
        const Picture one = image(i);
        for (int32_t y = 0; y < 20; ++y) {
            for (int32_t x = 0; x < 20; ++x) {
                strip.At(2 + 23 * i + x, 4 + y) = one.At(x, y);
            }
        }
    }
    return strip;
}

// Draws like a colour-keyed blit; an image that does not exist is not drawn.
void Paste(Picture& screen, Picture (*image)(int32_t), int32_t index, int32_t count, int32_t x,
           int32_t y) {
    if (index < 0 || index >= count) {
        return;
    }
    const Picture one = image(index);
    for (int32_t k = 0; k < 20; ++k) {
        for (int32_t j = 0; j < 20; ++j) {
            if (one.At(j, k) != kClear) {
                screen.At(x + j, y + k) = one.At(j, k);
            }
        }
    }
}

// The screen the layout promises, from literal positions.
Picture Expected(const Cells& cells, const RotationState& preview, const Digits& score,
                 int32_t games) {
    Picture screen = Background();
    std::replace(screen.pixels.begin(), screen.pixels.end(), kClear, uint8_t{0});
    for (int32_t r = 0; r < 23; ++r) {
        for (int32_t c = 0; c < 10; ++c) {
            Paste(screen, &Tile, cells[r * 10 + c], 8, 190 + 20 * c, 1 + 20 * r);
        }
    }
    for (int32_t r = 0; r <= preview.lastRow; ++r) {
        for (int32_t c = 0; c <= preview.lastCol; ++c) {
            Paste(screen, &Tile, preview.cells[r][c], 8, 400 + 20 * c, 117 + 20 * r);
        }
    }
    for (int32_t i = 0; i < 9; ++i) {
        Paste(screen, &Digit, score[i], 10, 555 - 20 * i, 256);
    }
    Paste(screen, &Digit, games, 10, 473, 331);
    return screen;
}

RotationState Shape(int32_t lastCol, int32_t lastRow, int32_t value) {
    RotationState shape;
    shape.lastCol = lastCol;
    shape.lastRow = lastRow;
    for (int32_t r = 0; r <= lastRow; ++r) {
        for (int32_t c = 0; c <= lastCol; ++c) {
            shape.cells[r][c] = value;
        }
    }
    return shape;
}

Piece Showing(const RotationState& shown, int32_t rotation = 2) {
    Piece piece;
    piece.rotation = rotation;
    piece.rotations[rotation] = shown;
    return piece;
}

class FrameTest : public DisplayTest {
protected:
    // The pictures and the palette as start-up loads them.
    void SetUp() override {
        DisplayTest::SetUp();
        WriteBitmap("menu1.bmp", Background());
        WriteBitmap("cubeshards2.bmp", Strip(&Tile, 8));
        WriteBitmap("score.bmp", Strip(&Digit, 10));
        gamesLeft = 3;
        LoadTileSheet();
        LoadDigitSheet();
        background.Load("menu1.bmp");
        backgroundSheet = new SpriteSheet(1, 640, 480);
        backgroundSheet->LoadFrame(background, 0, 0, 0);
    }

    void TearDown() override {
        backgroundSheet->ReleaseSurfaces();
        delete backgroundSheet;
        backgroundSheet = nullptr;
        ReleaseTileSheet();
        ReleaseDigitSheet();
        DisplayTest::TearDown();
    }

    void ApplyGamePalette() {
        background.ApplyPalette(primaryPalette);
        background.ApplyPalette(backBufferPalette);
    }

    void ExpectShown(const Picture& expected) {
        const platform::headless::Frame& frame = Shown();
        ASSERT_EQ(frame.width, 640);
        ASSERT_EQ(frame.height, 480);
        int wrong = 0;
        for (int32_t y = 0; y < 480; ++y) {
            for (int32_t x = 0; x < 640; ++x) {
                if (frame.At(x, y) != expected.At(x, y) && ++wrong <= 5) {
                    ADD_FAILURE() << "at " << x << ", " << y << " shown " << int{frame.At(x, y)}
                                  << ", expected " << int{expected.At(x, y)};
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    Bitmap background;
};

// Every board cell, preview cell, score digit and the games left at the
// places the layout promises. Values without an image (cells, digits and
// games counts come straight from the game's data) leave their place showing
// what lies behind, and so does a preview record that is out of range.
TEST_F(FrameTest, EveryPartLandsAtItsPlaceInDrawingOrder) {
    ApplyGamePalette();
    Cells patterned{};
    for (int32_t i = 0; i < 230; ++i) {
        patterned[i] = static_cast<int16_t>((i * 5) % 8);
    }
    Cells unknown{};
    unknown[0] = 8;
    unknown[45] = -1;
    unknown[229] = 300;
    RotationState withEmptyCell = Shape(2, 1, 6);
    withEmptyCell.cells[0][0] = 0;  // an empty cell of the used part is drawn as tile 0
    RotationState square = Shape(1, 1, 9);
    square.cells[1][1] = 3;
    RotationState nothing;
    nothing.lastRow = -1;
    Digits nines{};
    nines.fill(9);
    nines[9] = 1;  // the carry out of nine digits is never shown
    struct Case {
        Cells cells;
        Piece next;
        RotationState shown;
        Digits score;
        int32_t games;
    };
    Piece oversized = Showing(Shape(3, 3, 5), 3);
    oversized.rotations[3].lastCol = oversized.rotations[3].lastRow = 50;
    Piece outOfRange = oversized;
    outOfRange.rotation = 7;
    const Case cases[] = {
        {patterned, Showing(withEmptyCell), withEmptyCell, {7, 1, 2, 3, 4, 5, 6, 8, 9, 0}, 2},
        {Cells{}, Showing(Shape(0, 3, 1), 0), Shape(0, 3, 1), {1}, 3},
        {Cells{}, Showing(Shape(3, 0, 4), 1), Shape(3, 0, 4), nines, 1},
        {unknown, Showing(square), square, {10, -1, 5}, 12},
        {unknown, oversized, Shape(3, 3, 5), {}, 0},
        {unknown, outOfRange, nothing, {}, 0},
    };
    for (const Case& c : cases) {
        gamesLeft = c.games;
        const uint32_t before = platform::headless::Ticks();
        DrawFrame(c.next, c.cells.data(), c.score.data());
        EXPECT_EQ(platform::headless::Ticks() - before, 40u);
        ExpectShown(Expected(c.cells, c.shown, c.score, c.games));
    }
    EXPECT_EQ(platform::headless::FramesPresented(), std::size(cases));
}

// The same places, spelt out pixel by pixel.
TEST_F(FrameTest, CornersOfTheBoardPreviewAndDigitsLandOnTheirPixels) {
    const Cells cells{};
    const Digits score{1};
    DrawFrame(Showing(Shape(0, 3, 1), 0), cells.data(), score.data());
    const platform::headless::Frame& frame = Shown();
    EXPECT_EQ(frame.At(190, 1), 40);    // the top-left cell's corner
    EXPECT_EQ(frame.At(370, 441), 40);  // the bottom-right cell's corner
    EXPECT_EQ(frame.At(389, 460), 10);  // and its last pixel
    EXPECT_EQ(frame.At(555, 256), 81);  // the units show 1
    EXPECT_EQ(frame.At(395, 256), 80);  // after eight zeros from x = 395
    EXPECT_EQ(frame.At(473, 331), 83);  // three games left
    for (int32_t y : {117, 137, 157, 177}) {
        EXPECT_EQ(frame.At(400, y), 41) << y;
    }
    EXPECT_EQ(frame.At(392, 260), Background().At(392, 260)) << "no tenth digit";
    for (const platform::PaletteEntry& colour : frame.palette) {
        ASSERT_EQ(colour.red + colour.green + colour.blue, 0) << "black before the game palette";
    }
}

TEST(EndScreenLayout, ScoreDigitsStandRightToLeftFrom381) {
    EXPECT_EQ(EndScoreDigitX(0), 381);
    EXPECT_EQ(EndScoreDigitX(8), 221);
    EXPECT_EQ(EndScoreDigitY(), 148);
}

}  // namespace
