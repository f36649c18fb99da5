// The loading screen, the pace of frames, flips that fail, and sprite sheets
// with missing parts.
#include <algorithm>
#include <limits>

#include "tests/video/video_fixture.h"
#include "video/sprite_sheet.h"

namespace {

using namespace video_test;
using platform::Failed;
using platform::Fault;
using platform::headless::FailStep;
using platform::headless::FramesPresented;
using platform::headless::StepCalls;

using ScreenTest = VideoTest;

// "Loading..." in white (the one white entry of the colours given) at (20,
// 20) on a cleared screen: ink in each of its ten 8 x 16 character cells and
// nowhere else. A surface that can no longer flip must not hang start-up; a
// frame takes its forty milliseconds whether or not it could be shown;
// releasing twice (the fixture releases again) releases once.
TEST_F(ScreenTest, LoadingShowsItsTextAndFramesArePacedAndNeverWaitedOnForEver) {
    WriteBitmap("colours.bmp", Picture(1, 1));
    Bitmap colours;
    colours.Load("colours.bmp");
    colours.ApplyPalette(primaryPalette);
    colours.ApplyPalette(backBufferPalette);
    FillSurface(backBuffer, 99);
    FailStep(Fault::Flip, 0, 3);
    ShowLoadingScreen();
    ASSERT_EQ(StepCalls(Fault::Flip), 4u);
    ASSERT_EQ(FramesPresented(), 1u);
    std::array<int, 10> inkPerLetter{};
    for (int32_t y = 0; y < 480; ++y) {
        for (int32_t x = 0; x < 640; ++x) {
            const uint8_t pixel = Shown().At(x, y);
            const bool inText = x >= 20 && x < 100 && y >= 20 && y < 36;
            ASSERT_TRUE(pixel == 0 || (pixel == 77 && inText)) << x << ", " << y << ": " << +pixel;
            inkPerLetter[static_cast<size_t>(inText ? (x - 20) / 8 : 0)] += pixel == 77;
        }
    }
    EXPECT_EQ(std::count(std::begin(inkPerLetter), std::end(inkPerLetter), 0), 0)
        << "letters missing";
    FailStep(Fault::Flip);
    ShowLoadingScreen();
    EXPECT_EQ(StepCalls(Fault::Flip), 104u);
    const uint32_t before = platform::headless::Ticks();
    const uint64_t framesBefore = FramesPresented();
    PresentFrame();
    EXPECT_EQ(FramesPresented(), framesBefore);
    platform::headless::ClearFaults();
    PresentFrame();
    EXPECT_EQ(FramesPresented(), framesBefore + 1);
    EXPECT_EQ(platform::headless::Ticks() - before, 80u);
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
