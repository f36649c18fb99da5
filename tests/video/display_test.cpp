// The screen as the player sees it: black until a palette arrives, the
// loading text, the pace of frames, and a display that is partly missing.
#include "video/display.h"
#include "platform/text.h"
#include "tests/video/video_fixture.h"
#include "video/sprite_sheet.h"

namespace {

using namespace video_test;
using platform::Fault;
using platform::headless::FailStep;
using platform::headless::FramesPresented;
using platform::headless::StepCalls;
using platform::headless::Ticks;

using DisplayShowTest = DisplayTest;

TEST_F(DisplayShowTest, ScreenIsBlackUntilAPaletteIsApplied) {
    EXPECT_EQ(primarySurface->AttachedPalette(), primaryPalette);
    EXPECT_EQ(backBuffer->AttachedPalette(), backBufferPalette);
    EXPECT_NE(primaryPalette, backBufferPalette);

    FillSurface(backBuffer, 99);
    DrawString("Loading...", 20, 20, 0xFFFFFF);
    PresentFrame();
    for (const platform::PaletteEntry& entry : Shown().palette) {
        ASSERT_EQ(entry.red + entry.green + entry.blue, 0);
    }
    ClearBackBuffer();
    PresentFrame();
    EXPECT_EQ(Shown().pixels, std::vector<uint8_t>(640 * 480, 0));
}

TEST_F(DisplayShowTest, LoadingTextAppearsAtTwentyTwentyInTheEntryNearestWhite) {
    const FilePalette colours = DistinctPalette();
    ApplyToScreen(colours);
    int white = 0;  // the nearest entry, the lowest on a tie
    auto distance = [&](int i) {
        int sum = 0;
        for (int channel = 0; channel < 3; ++channel) {
            sum += (255 - colours[i][channel]) * (255 - colours[i][channel]);
        }
        return sum;
    };
    for (int i = 1; i < 256; ++i) {
        white = distance(i) < distance(white) ? i : white;
    }
    FillSurface(backBuffer, 99);
    const uint32_t before = Ticks();

    ShowLoadingScreen();

    EXPECT_EQ(Ticks(), before);  // no pause behind this flip
    ASSERT_EQ(FramesPresented(), 1u);
    const platform::headless::Frame& frame = Shown();
    int inked = 0, left = 640, top = 480;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            if (frame.At(x, y) != 0) {
                ASSERT_EQ(frame.At(x, y), white) << x << ", " << y;
                // Ten characters of the 8 x 16 font from (20, 20) on.
                ASSERT_TRUE(x >= 20 && x < 20 + 10 * platform::kFontWidth) << x;
                ASSERT_TRUE(y >= 20 && y < 20 + platform::kFontHeight) << y;
                left = std::min(left, x);
                top = std::min(top, y);
                ++inked;
            }
        }
    }
    EXPECT_GT(inked, 40);
    EXPECT_LT(left, 20 + 3);  // the stroke of the "L"
    EXPECT_LT(top, 20 + 6);
}

TEST_F(DisplayShowTest, LoadingScreenRetriesTheFlipButNotForEver) {
    FailStep(Fault::Flip, 0, 3);
    ShowLoadingScreen();
    EXPECT_EQ(StepCalls(Fault::Flip), 4u);
    EXPECT_EQ(FramesPresented(), 1u);
    // A surface that can no longer flip must not hang start-up.
    FailStep(Fault::Flip);
    ShowLoadingScreen();
    EXPECT_EQ(StepCalls(Fault::Flip), 104u);
    EXPECT_EQ(FramesPresented(), 1u);
}

TEST_F(DisplayShowTest, EveryFrameTakesFortyMillisecondsEvenWhenItCannotFlipOrDrawText) {
    ApplyToScreen(DistinctPalette());
    for (int frame = 0; frame < 3; ++frame) {
        const uint32_t before = Ticks();
        if (frame == 2) {
            FailStep(Fault::Flip);
        }
        PresentFrame();
        EXPECT_GE(Ticks() - before, 40u) << frame;
    }
    EXPECT_EQ(FramesPresented(), 2u);

    platform::headless::ClearFaults();
    FailStep(Fault::GetDC);  // the text is skipped
    ClearBackBuffer();
    DrawString("Loading...", 20, 20, 0xFFFFFF);
    platform::headless::ClearFaults();
    PresentFrame();
    EXPECT_EQ(Shown().pixels, std::vector<uint8_t>(640 * 480, 0));
}

TEST_F(DisplayShowTest, ReleasingTwiceReleasesOnce) {
    ReleaseScreenSurfaces();
    ReleaseScreenSurfaces();
    ReleaseDisplay();
    EXPECT_EQ(primarySurface, nullptr);
    EXPECT_EQ(backBuffer, nullptr);
    EXPECT_EQ(directDraw, nullptr);
    EXPECT_EQ(primaryPalette, nullptr);
    EXPECT_EQ(backBufferPalette, nullptr);
    ReleaseDisplay();
}

// A display that came up only in part: nothing may be drawn into what is
// missing, and every drawing step of a run goes on.
class BrokenDisplayTest : public DisplayTest, public ::testing::WithParamInterface<Fault> {
protected:
    void SetUp() override {
        PictureTest::SetUp();
        OpenWindow();
    }
};

TEST_P(BrokenDisplayTest, EveryDrawingStepGoesOn) {
    const Fault fault = GetParam();
    FailStep(fault);
    const bool deviceMade = fault != Fault::CreateDisplay && fault != Fault::SetDisplayMode;
    EXPECT_EQ(InitDisplay(640, 480, 8), deviceMade ? 1 : 0);
    EXPECT_EQ(CreateScreenSurfaces(), fault == Fault::CreatePalette ? 1 : 0);
    EXPECT_EQ(primarySurface != nullptr,
              fault == Fault::GetBackBuffer || fault == Fault::CreatePalette);
    EXPECT_EQ(backBuffer != nullptr, fault == Fault::CreatePalette);
    EXPECT_EQ(backBufferPalette, nullptr);

    ShowLoadingScreen();
    ClearBackBuffer();
    DrawString("text", 5, 5, 0xFFFFFF);
    SpriteSheet sheet(2, 20, 20);
    EXPECT_EQ(platform::Failed(sheet.Draw(0, 0, 0, backBuffer)), backBuffer == nullptr);
    sheet.ReleaseSurfaces();
    PresentFrame();
}

INSTANTIATE_TEST_SUITE_P(Faults, BrokenDisplayTest,
                         ::testing::Values(Fault::CreateDisplay, Fault::SetDisplayMode,
                                           Fault::CreatePrimarySurface, Fault::GetBackBuffer,
                                           Fault::CreatePalette));

}  // namespace
