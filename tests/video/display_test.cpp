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

bool IsBlack(const platform::PaletteEntry& entry) {
    return entry.red == 0 && entry.green == 0 && entry.blue == 0;
}

using DisplayShowTest = DisplayTest;

TEST_F(DisplayShowTest, ScreenIsBlackUntilAPaletteIsApplied) {
    ASSERT_NE(backBuffer, nullptr);
    EXPECT_EQ(backBuffer->Width(), 640);
    EXPECT_EQ(backBuffer->Height(), 480);
    EXPECT_EQ(primarySurface->AttachedPalette(), primaryPalette);
    EXPECT_EQ(backBuffer->AttachedPalette(), backBufferPalette);
    EXPECT_NE(primaryPalette, backBufferPalette);

    FillSurface(backBuffer, 99);
    DrawString("Loading...", 20, 20, 0xFFFFFF);
    PresentFrame();
    for (const platform::PaletteEntry& entry : Shown().palette) {
        ASSERT_TRUE(IsBlack(entry));
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
        return (255 - colours[i][0]) * (255 - colours[i][0]) +
               (255 - colours[i][1]) * (255 - colours[i][1]) +
               (255 - colours[i][2]) * (255 - colours[i][2]);
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
            if (frame.At(x, y) == 0) {
                continue;
            }
            ASSERT_EQ(frame.At(x, y), white) << x << ", " << y;
            // Ten characters of the 8 x 16 font from (20, 20) on.
            ASSERT_TRUE(x >= 20 && x < 20 + 10 * platform::kFontWidth) << x;
            ASSERT_TRUE(y >= 20 && y < 20 + platform::kFontHeight) << y;
            left = std::min(left, x);
            top = std::min(top, y);
            ++inked;
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

TEST_F(DisplayShowTest, TextIsSkippedWhenNoDeviceContextCanBeHad) {
    ApplyToScreen(DistinctPalette());
    ClearBackBuffer();
    FailStep(Fault::GetDC);
    DrawString("Loading...", 20, 20, 0xFFFFFF);
    platform::headless::ClearFaults();
    PresentFrame();
    EXPECT_EQ(Shown().pixels, std::vector<uint8_t>(640 * 480, 0));
}

TEST_F(DisplayShowTest, EveryFrameTakesFortyMillisecondsEvenWhenItCannotFlip) {
    for (int i = 0; i < 3; ++i) {
        const uint32_t before = Ticks();
        PresentFrame();
        EXPECT_GE(Ticks() - before, 40u);
    }
    EXPECT_EQ(FramesPresented(), 3u);
    FailStep(Fault::Flip);
    const uint32_t before = Ticks();
    PresentFrame();
    EXPECT_GE(Ticks() - before, 40u);
}

TEST_F(DisplayShowTest, ReleasingTwiceReleasesOnce) {
    ReleaseScreenSurfaces();
    EXPECT_EQ(primarySurface, nullptr);
    EXPECT_EQ(backBuffer, nullptr);
    ReleaseScreenSurfaces();
    ReleaseDisplay();
    EXPECT_EQ(directDraw, nullptr);
    EXPECT_EQ(primaryPalette, nullptr);
    EXPECT_EQ(backBufferPalette, nullptr);
    ReleaseDisplay();
}

// A display that came up only in part: nothing may be drawn into what is
// missing, and every drawing step of a run goes on.
class BrokenDisplayTest : public DisplayTest {
protected:
    void SetUp() override { PictureTest::SetUp(); }

    static void RunTheDrawingSteps() {
        ShowLoadingScreen();
        ClearBackBuffer();
        DrawString("text", 5, 5, 0xFFFFFF);
        SpriteSheet sheet(2, 20, 20);
        const platform::Result drawn = sheet.Draw(0, 0, 0, backBuffer);
        EXPECT_EQ(platform::Failed(drawn), backBuffer == nullptr);
        sheet.ReleaseSurfaces();
        PresentFrame();
    }
};

TEST_F(BrokenDisplayTest, WithoutADisplayDevice) {
    OpenWindow();
    FailStep(Fault::CreateDisplay);
    EXPECT_EQ(InitDisplay(640, 480, 8), 0);
    EXPECT_EQ(directDraw, nullptr);
    EXPECT_EQ(CreateScreenSurfaces(), 0);
    RunTheDrawingSteps();
}

TEST_F(BrokenDisplayTest, WithoutTheDisplayMode) {
    OpenWindow();
    FailStep(Fault::SetDisplayMode);
    EXPECT_EQ(InitDisplay(640, 480, 8), 0);
    EXPECT_EQ(CreateScreenSurfaces(), 0);
    RunTheDrawingSteps();
}

TEST_F(BrokenDisplayTest, WithoutScreenSurfacesOrABackBuffer) {
    for (Fault fault : {Fault::CreatePrimarySurface, Fault::GetBackBuffer}) {
        OpenDisplay();
        FailStep(fault);
        EXPECT_EQ(CreateScreenSurfaces(), 0);
        EXPECT_EQ(primarySurface != nullptr, fault == Fault::GetBackBuffer);
        EXPECT_EQ(backBuffer, nullptr);
        EXPECT_EQ(backBufferPalette, nullptr);
        RunTheDrawingSteps();
        TearDown();
        platform::headless::ClearFaults();
    }
}

TEST_F(BrokenDisplayTest, WithoutPalettes) {
    OpenDisplay();
    FailStep(Fault::CreatePalette);
    EXPECT_EQ(CreateScreenSurfaces(), 1);
    EXPECT_EQ(primaryPalette, nullptr);
    EXPECT_EQ(backBufferPalette, nullptr);
    RunTheDrawingSteps();
}

}  // namespace
