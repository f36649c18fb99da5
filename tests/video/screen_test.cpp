// The pace of frames, flips that fail, and sprite sheets with missing parts.
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
    for (int32_t frame : {-1, 4, std::numeric_limits<int32_t>::min()}) {
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

}  // namespace
