// A play frame as the player sees it: every board cell, preview cell, score
// digit and the games-left digit at its place on the background.
#include <gtest/gtest.h>

#include <array>

#include "platform/headless/control.h"
#include "rules/board.h"
#include "rules/counters.h"
#include "rules/piece.h"
#include "tests/video/display_fixture.h"
#include "video/display.h"
#include "video/frame.h"
#include "video/sprite_sheet.h"

namespace {

using platform::headless::Frame;
using video_test::DistinctPalette;
using video_test::Picture;
using video_test::WriteBitmap;

using Cells = std::array<int16_t, 230>;
using Digits = std::array<int32_t, 10>;

// Tile v is solid 10 + v with a transparent 4 x 4 hole at (8, 8); its
// top-left pixel is 40 + v so that a flipped tile shows.
Picture TileImage(int32_t v) {
    Picture image(20, 20, static_cast<uint8_t>(10 + v));
    image.Fill(8, 8, 4, 4, kTransparentIndex);
    image.At(0, 0) = static_cast<uint8_t>(40 + v);
    return image;
}

// Digit d is solid 60 + d with a transparent column at x 10; its top-left
// pixel is 80 + d.
Picture DigitImage(int32_t d) {
    Picture image(20, 20, static_cast<uint8_t>(60 + d));
    image.Fill(10, 0, 1, 20, kTransparentIndex);
    image.At(0, 0) = static_cast<uint8_t>(80 + d);
    return image;
}

// Stripes of 150 to 249 with transparent holes that index 0 shows through.
Picture Background() {
    Picture picture(640, 480);
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            picture.At(x, y) = static_cast<uint8_t>(150 + (x / 3 + y) % 100);
        }
    }
    picture.Fill(0, 470, 640, 10, kTransparentIndex);
    picture.Fill(200, 50, 60, 60, kTransparentIndex);  // under the well
    return picture;
}

Picture StripOf(Picture (*image)(int32_t), int32_t count) {
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

// Draws an image onto the model screen the way a colour-keyed blit does;
// images that do not exist are not drawn.
void Paste(Picture& screen, Picture (*image)(int32_t), int32_t index, int32_t count, int32_t x,
           int32_t y) {
    if (index < 0 || index >= count) {
        return;
    }
    const Picture one = image(index);
    for (int32_t k = 0; k < 20; ++k) {
        for (int32_t j = 0; j < 20; ++j) {
            if (one.At(j, k) != kTransparentIndex) {
                screen.At(x + j, y + k) = one.At(j, k);
            }
        }
    }
}

class FrameTest : public video_test::DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        WriteBitmap("menu1.bmp", Background(), DistinctPalette());
        WriteBitmap("cubeshards2.bmp", StripOf(&TileImage, 8));
        WriteBitmap("score.bmp", StripOf(&DigitImage, 10));
        gamesLeft = 3;
    }

    void TearDown() override {
        if (backgroundSheet != nullptr) {
            backgroundSheet->ReleaseSurfaces();
            delete backgroundSheet;
            backgroundSheet = nullptr;
        }
        ReleaseTileSheet();
        ReleaseDigitSheet();
        DisplayTest::TearDown();
    }

    // The pictures and palette as start-up loads them.
    void LoadPictures(bool applyPalette = true) {
        Bitmap bitmap;
        bitmap.Load("menu1.bmp");
        if (applyPalette) {
            bitmap.ApplyPalette(primaryPalette);
            bitmap.ApplyPalette(backBufferPalette);
        }
        backgroundSheet = new SpriteSheet(1, 640, 480);
        backgroundSheet->LoadFrame(bitmap, 0, 0, 0);
        LoadTileSheet();
        LoadDigitSheet();
    }

    // The screen the layout promises, built from literal positions.
    static Picture Expected(const Cells& cells, const RotationState& preview, const Digits& score,
                            int32_t games) {
        Picture screen(640, 480, 0);
        const Picture background = Background();
        for (size_t i = 0; i < screen.pixels.size(); ++i) {
            if (background.pixels[i] != kTransparentIndex) {
                screen.pixels[i] = background.pixels[i];
            }
        }
        for (int32_t r = 0; r < 23; ++r) {
            for (int32_t c = 0; c < 10; ++c) {
                Paste(screen, &TileImage, cells[r * 10 + c], 8, 190 + 20 * c, 1 + 20 * r);
            }
        }
        for (int32_t r = 0; r <= preview.lastRow; ++r) {
            for (int32_t c = 0; c <= preview.lastCol; ++c) {
                Paste(screen, &TileImage, preview.cells[r][c], 8, 400 + 20 * c, 117 + 20 * r);
            }
        }
        for (int32_t i = 0; i < 9; ++i) {
            Paste(screen, &DigitImage, score[i], 10, 555 - 20 * i, 256);
        }
        Paste(screen, &DigitImage, games, 10, 473, 331);
        return screen;
    }

    static Piece PieceShowing(const RotationState& shown, int32_t rotation = 2) {
        Piece piece;
        piece.rotation = rotation;
        piece.rotations[rotation] = shown;
        return piece;
    }

    void ExpectShown(const Picture& expected) {
        const Frame& frame = Shown();
        ASSERT_EQ(frame.width, 640);
        ASSERT_EQ(frame.height, 480);
        int wrong = 0;
        for (int32_t y = 0; y < 480; ++y) {
            for (int32_t x = 0; x < 640; ++x) {
                if (frame.At(x, y) != expected.At(x, y) && ++wrong <= 5) {
                    ADD_FAILURE() << "at " << x << ", " << y << ": shown " << int{frame.At(x, y)}
                                  << ", expected " << int{expected.At(x, y)};
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
};

RotationState Shape(int32_t lastCol, int32_t lastRow, int16_t value) {
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

TEST_F(FrameTest, EveryPartLandsAtItsPlaceInDrawingOrder) {
    LoadPictures();
    Cells cells{};
    for (int32_t i = 0; i < 230; ++i) {
        cells[i] = static_cast<int16_t>((i * 5) % 8);
    }
    RotationState shown = Shape(2, 1, 6);
    shown.cells[0][0] = 0;  // an empty cell inside the used part still draws tile 0
    const Digits score{7, 1, 2, 3, 4, 5, 6, 8, 9, 4};
    gamesLeft = 2;

    DrawFrame(PieceShowing(shown), cells.data(), score.data());

    ExpectShown(Expected(cells, shown, score, 2));
}

TEST_F(FrameTest, EmptyBoardShowsTileZeroInAllCellsAndLowScoreKeepsItsZeros) {
    LoadPictures();
    const Cells cells{};
    const RotationState column = Shape(0, 3, 1);
    const Digits score{1, 0, 0, 0, 0, 0, 0, 0, 0, 0};

    DrawFrame(PieceShowing(column, 0), cells.data(), score.data());

    ExpectShown(Expected(cells, column, score, 3));
    const Frame& frame = Shown();
    EXPECT_EQ(frame.At(190, 1), 40);    // top-left cell's corner
    EXPECT_EQ(frame.At(370, 441), 40);  // bottom-right cell's corner
    EXPECT_EQ(frame.At(389, 460), 10);  // its last pixel
    EXPECT_EQ(frame.At(555, 256), 81);  // the units show 1
    EXPECT_EQ(frame.At(395, 256), 80);  // eight leading zeros from x = 395
    EXPECT_EQ(frame.At(473, 331), 83);  // three games left
    for (int32_t y : {117, 137, 157, 177}) {
        EXPECT_EQ(frame.At(400, y), 41) << y;
    }
}

TEST_F(FrameTest, FlatPieceIsPreviewedAlongTheTopOfTheBox) {
    LoadPictures();
    const Cells cells{};
    const RotationState row = Shape(3, 0, 4);
    const Digits score{};
    gamesLeft = 1;

    DrawFrame(PieceShowing(row, 1), cells.data(), score.data());

    ExpectShown(Expected(cells, row, score, 1));
    for (int32_t x : {400, 420, 440, 460}) {
        EXPECT_EQ(Shown().At(x, 117), 44) << x;
    }
}

// Entry 9 only takes the carry: a score that has run past nine digits shows
// its last nine.
TEST_F(FrameTest, TenthScoreDigitIsNeverShown) {
    LoadPictures();
    const Cells cells{};
    const RotationState single = Shape(0, 0, 2);
    Digits score{};
    score.fill(9);
    score[9] = 1;

    DrawFrame(PieceShowing(single), cells.data(), score.data());

    ExpectShown(Expected(cells, single, score, 3));
    EXPECT_EQ(Shown().At(375, 256), Background().At(375, 256));
}

// Cell values, digits and the games count come straight from the game's data;
// any that has no image leaves its place showing what lies behind.
TEST_F(FrameTest, ValuesWithoutAnImageAreNotDrawn) {
    LoadPictures();
    Cells cells{};
    cells[0] = 8;
    cells[45] = -1;
    cells[229] = 300;
    cells[100] = 7;
    RotationState shown = Shape(1, 1, 9);
    shown.cells[1][1] = 3;
    const Digits score{10, -1, 5, 0, 0, 0, 0, 0, 0, 0};
    gamesLeft = 12;

    DrawFrame(PieceShowing(shown), cells.data(), score.data());

    ExpectShown(Expected(cells, shown, score, 12));
}

TEST_F(FrameTest, PreviewOfABrokenPieceShowsNoMoreThanItsBox) {
    LoadPictures();
    const Cells cells{};
    const RotationState huge = Shape(3, 3, 5);
    Piece piece = PieceShowing(huge, 3);
    piece.rotations[3].lastCol = 50;
    piece.rotations[3].lastRow = 50;
    const Digits score{};

    DrawFrame(piece, cells.data(), score.data());
    ExpectShown(Expected(cells, huge, score, 3));

    piece.rotation = 7;
    DrawFrame(piece, cells.data(), score.data());
    RotationState nothing;
    nothing.lastRow = -1;
    ExpectShown(Expected(cells, nothing, score, 3));
}

TEST_F(FrameTest, EverythingIsBlackBeforeTheGamePaletteIsApplied) {
    LoadPictures(/*applyPalette=*/false);
    Cells cells{};
    cells.fill(3);
    const Digits score{1, 2, 3, 4, 5, 6, 7, 8, 9, 0};

    DrawFrame(PieceShowing(Shape(1, 1, 2)), cells.data(), score.data());

    const Frame& frame = Shown();
    for (uint8_t index : frame.pixels) {
        const platform::PaletteEntry& colour = frame.palette[index];
        ASSERT_EQ(colour.red + colour.green + colour.blue, 0);
    }
}

TEST_F(FrameTest, EachFrameIsPresentedOnceAndPaced) {
    LoadPictures();
    const Cells cells{};
    const Digits score{};
    const uint64_t shownBefore = platform::headless::FramesPresented();
    const uint32_t before = platform::headless::Ticks();
    DrawFrame(PieceShowing(Shape(0, 0, 1)), cells.data(), score.data());
    DrawFrame(PieceShowing(Shape(0, 0, 1)), cells.data(), score.data());
    EXPECT_EQ(platform::headless::FramesPresented(), shownBefore + 2);
    EXPECT_EQ(platform::headless::Ticks() - before, 80u);
}

TEST_F(FrameTest, LayoutForTheEndScreenScore) {
    EXPECT_EQ(EndScoreDigitX(0), 381);
    EXPECT_EQ(EndScoreDigitX(8), 221);
    EXPECT_EQ(EndScoreDigitY(), 148);
}

}  // namespace
