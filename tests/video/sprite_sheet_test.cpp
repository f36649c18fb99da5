// Sheets that lack surfaces, frames that do not exist, and strips cut from
// pictures that are too small or missing. Where frames land and what shows
// through them is checked on the play frame.
#include <limits>

#include "tests/video/video_fixture.h"
#include "video/display.h"
#include "video/sprite_sheet.h"

namespace {

using namespace video_test;
using platform::Failed;
using platform::Fault;

constexpr uint8_t kBehind = 99;  // what the back buffer holds before a draw

class SpriteSheetTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        FillSurface(backBuffer, kBehind);
    }
    void TearDown() override {
        ReleaseTileSheet();
        ReleaseDigitSheet();
        DisplayTest::TearDown();
    }
};

TEST_F(SpriteSheetTest, FramesWithoutASurfaceAreSkipped) {
    WriteBitmap("picture.bmp", Pattern(100, 30));
    Bitmap bitmap;
    bitmap.Load("picture.bmp");
    platform::headless::FailStep(Fault::CreateOffscreenSurface, 1, 2);
    SpriteSheet sheet(4, 20, 20);

    for (int32_t frame = 0; frame < 4; ++frame) {
        const bool made = frame == 0 || frame == 3;
        EXPECT_EQ(sheet.LoadFrame(bitmap, frame, 0, 0), made ? 1 : 0) << frame;
        EXPECT_EQ(Failed(sheet.Draw(frame, 20 * frame, 0, backBuffer)), !made) << frame;
    }
    PresentFrame();
    EXPECT_EQ(Shown().At(25, 5), kBehind);
    EXPECT_EQ(Shown().At(65, 5), Pattern(100, 30).At(5, 5));
    sheet.ReleaseSurfaces();
    sheet.ReleaseSurfaces();
    // The game's sheets too are given back once, and made again give back the old.
    WriteBitmap("cubeshards2.bmp", Pattern(183, 24));
    LoadTileSheet();
    LoadTileSheet();
    ReleaseTileSheet();
    EXPECT_EQ(tileSheet, nullptr);
    ReleaseTileSheet();
}

TEST_F(SpriteSheetTest, FramesThatDoNotExistOrWouldLeaveTheScreenAreNotDrawn) {
    WriteBitmap("cubeshards2.bmp", Pattern(183, 24));
    ASSERT_TRUE(LoadTileSheet());
    Bitmap bitmap;
    for (int32_t frame :
         {-1, 8, 253, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}) {
        EXPECT_TRUE(Failed(tileSheet->Draw(frame, 10, 10, backBuffer))) << frame;
        EXPECT_EQ(tileSheet->LoadFrame(bitmap, frame, 0, 0), 0) << frame;
    }
    EXPECT_TRUE(Failed(tileSheet->Draw(0, 10, 10, nullptr)));
    // There is no clipper.
    EXPECT_TRUE(Failed(tileSheet->Draw(0, -5, 10, backBuffer)));
    EXPECT_TRUE(Failed(tileSheet->Draw(0, 10, -5, backBuffer)));
    EXPECT_TRUE(Failed(tileSheet->Draw(0, 630, 10, backBuffer)));
    EXPECT_TRUE(Failed(tileSheet->Draw(0, 10, 470, backBuffer)));
    PresentFrame();
    EXPECT_EQ(Shown().pixels, std::vector<uint8_t>(640 * 480, kBehind));
}

// A picture too small for its strip, or none at all, must not stop the game.
TEST_F(SpriteSheetTest, SmallOrMissingPicturesStillGiveWholeSheets) {
    const Picture small = Pattern(30, 10);
    WriteBitmap("cubeshards2.bmp", small);
    ASSERT_TRUE(LoadTileSheet());
    ASSERT_TRUE(LoadDigitSheet());  // there is no "score.bmp"
    for (int32_t i = 0; i < 8; ++i) {
        EXPECT_EQ(tileSheet->Draw(i, 30 * i, 10, backBuffer), platform::kOk);
    }
    for (int32_t d = 0; d < 10; ++d) {
        EXPECT_EQ(digitSheet->Draw(d, 30 * d, 40, backBuffer), platform::kOk);
    }
    PresentFrame();
    // Tile 0 has what the picture has: columns 2 to 21 of rows 4 to 9.
    for (int32_t k = 0; k < 6; ++k) {
        for (int32_t j = 0; j < 20; ++j) {
            ASSERT_EQ(Shown().At(j, 10 + k), small.At(2 + j, 4 + k)) << j << ", " << k;
        }
    }
}

}  // namespace
