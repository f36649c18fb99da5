// The screen as the player sees it: black until a palette arrives, the
// loading text, the pace of frames, and sprite sheets with missing parts.
#include <limits>

#include "tests/video/video_fixture.h"
#include "video/sprite_sheet.h"

namespace {

using namespace video_test;
using platform::Failed;
using platform::Fault;
using platform::headless::FailStep;
using platform::headless::FramesPresented;
using platform::headless::Ticks;

using ScreenTest = VideoTest;

// Where the text lands is checked on the whole run's loading screen.
TEST_F(ScreenTest, BlackUntilAPaletteThenTheLoadingTextInTheEntryNearestWhite) {
    FillSurface(backBuffer, 99);
    PresentFrame();
    for (const platform::PaletteEntry& entry : Shown().palette) {
        ASSERT_EQ(entry.red + entry.green + entry.blue, 0);
    }
    FileOptions colours;
    colours.palette[100] = {128, 128, 128, 0};
    colours.palette[200] = {255, 255, 255, 0};
    WriteBitmap("palette.bmp", Picture(1, 1), colours);
    Bitmap bitmap;
    bitmap.Load("palette.bmp");
    bitmap.ApplyPalette(backBufferPalette);
    const uint32_t before = Ticks();
    ShowLoadingScreen();
    EXPECT_EQ(Ticks(), before);  // no pause behind this flip
    const Bytes& shown = Shown().pixels;
    EXPECT_GT(std::count(shown.begin(), shown.end(), 200), 40);
    EXPECT_EQ(
        std::count(shown.begin(), shown.end(), 0) + std::count(shown.begin(), shown.end(), 200),
        640 * 480);
}

// A surface that can no longer flip must not hang start-up; a frame takes its
// forty milliseconds whether or not it could be shown; releasing twice (the
// fixture releases again) releases once.
TEST_F(ScreenTest, FlipsAreRetriedButNotForEverAndEveryFrameTakesFortyMilliseconds) {
    FailStep(Fault::Flip, 0, 3);
    ShowLoadingScreen();
    EXPECT_EQ(platform::headless::StepCalls(Fault::Flip), 4u);
    FailStep(Fault::Flip);
    ShowLoadingScreen();
    EXPECT_EQ(platform::headless::StepCalls(Fault::Flip), 104u);
    const uint32_t before = Ticks();
    PresentFrame();
    EXPECT_EQ(FramesPresented(), 1u);
    platform::headless::ClearFaults();
    PresentFrame();
    EXPECT_EQ(FramesPresented(), 2u);
    EXPECT_EQ(Ticks() - before, 80u);
    ReleaseScreenSurfaces();
    ReleaseDisplay();
    EXPECT_TRUE(!primarySurface && !backBuffer && !directDraw && !primaryPalette &&
                !backBufferPalette);
}

// Frames whose surface could not be made, frames that do not exist and draws
// that would leave the screen (there is no clipper) draw nothing.
TEST_F(ScreenTest, SheetFramesThatAreMissingOrWouldLeaveTheScreenAreNotDrawn) {
    FillSurface(backBuffer, 99);
    const Picture picture = Pattern(100, 30);
    WriteBitmap("picture.bmp", picture);
    Bitmap bitmap;
    bitmap.Load("picture.bmp");
    FailStep(Fault::CreateOffscreenSurface, 1, 2);
    SpriteSheet sheet(4, 20, 20);
    for (int32_t frame = 0; frame < 4; ++frame) {
        const bool made = frame == 0 || frame == 3;
        EXPECT_EQ(sheet.LoadFrame(bitmap, frame, 0, 0), made ? 1 : 0) << frame;
        EXPECT_EQ(Failed(sheet.Draw(frame, 20 * frame, 0, backBuffer)), !made) << frame;
    }
    for (int32_t frame :
         {-1, 4, 253, std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min()}) {
        EXPECT_TRUE(Failed(sheet.Draw(frame, 10, 10, backBuffer))) << frame;
        EXPECT_EQ(sheet.LoadFrame(bitmap, frame, 0, 0), 0) << frame;
    }
    EXPECT_TRUE(Failed(sheet.Draw(0, 10, 10, nullptr)));
    for (auto [x, y] : {std::pair{-5, 10}, {10, -5}, {630, 10}, {10, 470}}) {
        EXPECT_TRUE(Failed(sheet.Draw(0, x, y, backBuffer))) << x << ", " << y;
    }
    PresentFrame();
    Picture expected(640, 480, 99);
    for (int32_t y = 0; y < 20; ++y) {
        for (int32_t x = 0; x < 20; ++x) {
            expected.At(x, y) = expected.At(60 + x, y) = picture.At(x, y);
        }
    }
    EXPECT_TRUE(Shown().pixels == expected.pixels);
    sheet.ReleaseSurfaces();
    sheet.ReleaseSurfaces();
}

// A strip picture too small, or none at all, still gives whole sheets so that
// play goes on; remaking a sheet gives back the old one.
TEST_F(ScreenTest, SmallOrMissingStripPicturesStillGiveWholeSheets) {
    WriteBitmap("cubeshards2.bmp", Pattern(30, 10));
    LoadTileSheet();
    ASSERT_TRUE(LoadTileSheet());
    ASSERT_TRUE(LoadDigitSheet());  // there is no "score.bmp"
    EXPECT_EQ(tileSheet->Draw(7, 0, 0, backBuffer), platform::kOk);
    EXPECT_EQ(digitSheet->Draw(9, 0, 0, backBuffer), platform::kOk);
    ReleaseTileSheet();
    ReleaseDigitSheet();
    ReleaseTileSheet();
    EXPECT_EQ(tileSheet, nullptr);
}

}  // namespace
