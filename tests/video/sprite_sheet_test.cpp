// Cutting pictures into frames and drawing them with index 253 transparent.
#include <gtest/gtest.h>

#include <limits>

#include "platform/headless/control.h"
#include "tests/video/display_fixture.h"
#include "video/display.h"
#include "video/sprite_sheet.h"

namespace {

using platform::Fault;
using platform::headless::FailStep;
using platform::headless::Frame;
using video_test::Picture;
using video_test::WriteBitmap;

constexpr uint8_t kBehind = 99;  // what the back buffer holds before a draw

// No pixel is 0, 253 or kBehind, and each tells where it came from.
Picture Strip(int32_t width, int32_t height) {
    Picture picture(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = static_cast<uint8_t>(100 + (x * 7 + y * 3) % 150);
        }
    }
    return picture;
}

class SpriteSheetTest : public video_test::DisplayTest {
  protected:
    void TearDown() override {
        ReleaseTileSheet();
        ReleaseDigitSheet();
        DisplayTest::TearDown();
    }

    // Draws onto a back buffer full of kBehind and shows it.
    template <typename DrawSteps>
    const Frame& ShowDrawn(DrawSteps draw) {
        video_test::FillSurface(backBuffer, kBehind);
        draw();
        PresentFrame();
        return Shown();
    }

    // The frame shows the picture's 20 x 20 rectangle at (srcX, srcY) with
    // its top-left pixel at (x, y), and nothing of it beside or below.
    static void ExpectImageAt(const Frame& frame, const Picture& picture, int32_t srcX,
                              int32_t srcY, int32_t x, int32_t y) {
        for (int32_t k = 0; k < 20; ++k) {
            for (int32_t j = 0; j < 20; ++j) {
                ASSERT_EQ(frame.At(x + j, y + k), picture.At(srcX + j, srcY + k))
                    << "pixel " << j << ", " << k << " of the image at " << x << ", " << y;
            }
            ASSERT_EQ(frame.At(x + 20, y + k), kBehind);
        }
        for (int32_t j = 0; j < 21; ++j) {
            ASSERT_EQ(frame.At(x + j, y + 20), kBehind);
        }
    }
};

TEST_F(SpriteSheetTest, TileStripIsCutEveryTwentyThreePixelsFromColumnTwoRowFour) {
    const Picture picture = Strip(183, 24);
    WriteBitmap("cubeshards2.bmp", picture);
    ASSERT_TRUE(LoadTileSheet());

    const Frame& frame = ShowDrawn([] {
        for (int32_t i = 0; i < 8; ++i) {
            tileSheet->Draw(i, 30 * i, 10, backBuffer);
        }
    });
    for (int32_t i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        ExpectImageAt(frame, picture, 2 + 23 * i, 4, 30 * i, 10);
    }
}

TEST_F(SpriteSheetTest, DigitStripHasTenImagesTheLastAtColumn209) {
    const Picture picture = Strip(229, 24);
    WriteBitmap("score.bmp", picture);
    ASSERT_TRUE(LoadDigitSheet());

    const Frame& frame = ShowDrawn([] {
        for (int32_t d = 0; d < 10; ++d) {
            digitSheet->Draw(d, 25 * d, 50, backBuffer);
        }
    });
    for (int32_t d = 0; d < 10; ++d) {
        SCOPED_TRACE(d);
        ExpectImageAt(frame, picture, 2 + 23 * d, 4, 25 * d, 50);
    }
}

TEST_F(SpriteSheetTest, TransparentPixelsLeaveWhatIsBehind) {
    Picture picture = Strip(183, 24);
    picture.Fill(2 + 23 * 1, 4, 20, 20, kTransparentIndex);          // tile 1: nothing to see
    picture.Fill(2 + 23 * 2 + 5, 4 + 5, 10, 10, kTransparentIndex);  // tile 2: a hole
    WriteBitmap("cubeshards2.bmp", picture);
    LoadTileSheet();

    const Frame& frame = ShowDrawn([] {
        tileSheet->Draw(1, 100, 100, backBuffer);
        tileSheet->Draw(2, 200, 100, backBuffer);
    });
    for (int32_t k = 0; k < 20; ++k) {
        for (int32_t j = 0; j < 20; ++j) {
            ASSERT_EQ(frame.At(100 + j, 100 + k), kBehind);
            const bool inHole = j >= 5 && j < 15 && k >= 5 && k < 15;
            ASSERT_EQ(frame.At(200 + j, 100 + k),
                      inHole ? kBehind : picture.At(2 + 23 * 2 + j, 4 + k));
        }
    }
}

TEST_F(SpriteSheetTest, FullScreenPictureOverAClearedScreenShowsIndexZeroThroughItsHoles) {
    Picture picture = Strip(640, 480);
    picture.Fill(0, 0, 640, 1, kTransparentIndex);
    picture.Fill(300, 200, 40, 30, kTransparentIndex);
    WriteBitmap("menu1.bmp", picture);
    Bitmap bitmap;
    bitmap.Load("menu1.bmp");
    SpriteSheet sheet(1, 640, 480);
    ASSERT_EQ(sheet.LoadFrame(bitmap, 0, 0, 0), 1);

    const Frame& frame = ShowDrawn([&] {
        ClearBackBuffer();
        EXPECT_EQ(sheet.Draw(0, 0, 0, backBuffer), platform::kOk);
    });
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            const uint8_t drawn = picture.At(x, y);
            ASSERT_EQ(frame.At(x, y), drawn == kTransparentIndex ? 0 : drawn) << x << ", " << y;
        }
    }
    sheet.ReleaseSurfaces();
}

TEST_F(SpriteSheetTest, FramesWithoutASurfaceAreSkipped) {
    WriteBitmap("picture.bmp", Strip(100, 30));
    Bitmap bitmap;
    bitmap.Load("picture.bmp");
    FailStep(Fault::CreateOffscreenSurface, 1, 2);
    SpriteSheet sheet(4, 20, 20);
    platform::headless::ClearFaults();

    EXPECT_EQ(sheet.LoadFrame(bitmap, 0, 0, 0), 1);
    EXPECT_EQ(sheet.LoadFrame(bitmap, 1, 0, 0), 0);
    EXPECT_EQ(sheet.LoadFrame(bitmap, 2, 0, 0), 0);
    EXPECT_EQ(sheet.LoadFrame(bitmap, 3, 0, 0), 1);
    ShowDrawn([&] {
        EXPECT_EQ(sheet.Draw(0, 0, 0, backBuffer), platform::kOk);
        EXPECT_TRUE(platform::Failed(sheet.Draw(1, 20, 0, backBuffer)));
        EXPECT_TRUE(platform::Failed(sheet.Draw(2, 40, 0, backBuffer)));
        EXPECT_EQ(sheet.Draw(3, 60, 0, backBuffer), platform::kOk);
    });
    EXPECT_EQ(Shown().At(25, 5), kBehind);
    sheet.ReleaseSurfaces();
    sheet.ReleaseSurfaces();
}

TEST_F(SpriteSheetTest, FramesOutsideTheSheetAreNotDrawn) {
    WriteBitmap("cubeshards2.bmp", Strip(183, 24));
    LoadTileSheet();
    Bitmap bitmap;
    const int32_t outside[] = {-1, 8, 253, std::numeric_limits<int32_t>::max(),
                               std::numeric_limits<int32_t>::min()};
    const Frame& frame = ShowDrawn([&] {
        for (int32_t frameIndex : outside) {
            EXPECT_TRUE(platform::Failed(tileSheet->Draw(frameIndex, 10, 10, backBuffer)));
            EXPECT_EQ(tileSheet->LoadFrame(bitmap, frameIndex, 0, 0), 0);
        }
        EXPECT_TRUE(platform::Failed(tileSheet->Draw(0, 10, 10, nullptr)));
        // There is no clipper: a frame that would leave the screen is not drawn.
        EXPECT_TRUE(platform::Failed(tileSheet->Draw(0, -5, 10, backBuffer)));
        EXPECT_TRUE(platform::Failed(tileSheet->Draw(0, 630, 10, backBuffer)));
        EXPECT_TRUE(platform::Failed(tileSheet->Draw(0, 10, 470, backBuffer)));
    });
    for (uint8_t index : frame.pixels) {
        ASSERT_EQ(index, kBehind);
    }
}

// A picture too small for its strip, or none at all, must not stop the game.
TEST_F(SpriteSheetTest, SmallOrMissingPicturesGiveSheetsAllTheSame) {
    const Picture picture = Strip(30, 10);
    WriteBitmap("cubeshards2.bmp", picture);
    ASSERT_TRUE(LoadTileSheet());
    ASSERT_TRUE(LoadDigitSheet());  // no "score.bmp" at all
    ASSERT_NE(tileSheet, nullptr);
    ASSERT_NE(digitSheet, nullptr);

    const Frame& frame = ShowDrawn([] {
        for (int32_t i = 0; i < 8; ++i) {
            EXPECT_EQ(tileSheet->Draw(i, 30 * i, 10, backBuffer), platform::kOk);
        }
        for (int32_t d = 0; d < 10; ++d) {
            EXPECT_EQ(digitSheet->Draw(d, 30 * d, 40, backBuffer), platform::kOk);
        }
    });
    // Tile 0's rows that the picture has: columns 2 to 21 of rows 4 to 9.
    for (int32_t k = 0; k < 6; ++k) {
        for (int32_t j = 0; j < 20; ++j) {
            ASSERT_EQ(frame.At(j, 10 + k), picture.At(2 + j, 4 + k));
        }
    }
}

TEST_F(SpriteSheetTest, ReleasingASheetTwiceIsHarmless) {
    WriteBitmap("cubeshards2.bmp", Strip(183, 24));
    LoadTileSheet();
    LoadTileSheet();  // made again: the first one is given back
    ReleaseTileSheet();
    EXPECT_EQ(tileSheet, nullptr);
    ReleaseTileSheet();
    ReleaseDigitSheet();
}

TEST_F(SpriteSheetTest, FrameThatCannotBeLockedKeepsItsContent) {
    const Picture picture = Strip(100, 30);
    WriteBitmap("picture.bmp", picture);
    Bitmap bitmap;
    bitmap.Load("picture.bmp");
    SpriteSheet sheet(1, 20, 20);
    ASSERT_EQ(sheet.LoadFrame(bitmap, 0, 0, 0), 1);
    FailStep(Fault::LockSurface);
    EXPECT_EQ(sheet.LoadFrame(bitmap, 0, 40, 5), 0);
    platform::headless::ClearFaults();
    const Frame& frame = ShowDrawn([&] { sheet.Draw(0, 0, 0, backBuffer); });
    EXPECT_EQ(frame.At(0, 0), picture.At(0, 0));
    EXPECT_EQ(frame.At(19, 19), picture.At(19, 19));
    sheet.ReleaseSurfaces();
}

}  // namespace
