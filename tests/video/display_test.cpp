// The screen as the player sees it: black until a palette arrives, the
// loading text, the pace of frames, and a display that is partly missing.
#include <gtest/gtest.h>

#include "app/window_handles.h"
#include "platform/headless/control.h"
#include "platform/text.h"
#include "tests/video/display_fixture.h"
#include "video/display.h"
#include "video/sprite_sheet.h"

namespace {

using platform::Fault;
using platform::headless::FailStep;
using platform::headless::Frame;
using video_test::DistinctPalette;
using video_test::FilePalette;

class DisplayShowTest : public video_test::DisplayTest {};

bool IsBlack(const platform::PaletteEntry& entry) {
    return entry.red == 0 && entry.green == 0 && entry.blue == 0;
}

// The entry a text colour of white is painted in: the nearest one, the lowest
// index on a tie.
uint8_t NearestToWhite(const FilePalette& palette) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < 256; ++i) {
        const int r = 255 - palette[i].red;
        const int g = 255 - palette[i].green;
        const int b = 255 - palette[i].blue;
        const int distance = r * r + g * g + b * b;
        if (distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<uint8_t>(best);
}

TEST_F(DisplayShowTest, SetUpMakesTheFlipChainWithTwoBlackPalettes) {
    ASSERT_NE(primarySurface, nullptr);
    ASSERT_NE(backBuffer, nullptr);
    ASSERT_NE(primaryPalette, nullptr);
    ASSERT_NE(backBufferPalette, nullptr);
    EXPECT_NE(primaryPalette, backBufferPalette);
    EXPECT_EQ(primarySurface->AttachedPalette(), primaryPalette);
    EXPECT_EQ(backBuffer->AttachedPalette(), backBufferPalette);
    EXPECT_EQ(backBuffer->Width(), 640);
    EXPECT_EQ(backBuffer->Height(), 480);
    for (int i = 0; i < 256; ++i) {
        ASSERT_TRUE(IsBlack(primaryPalette->Entries()[i])) << i;
        ASSERT_TRUE(IsBlack(backBufferPalette->Entries()[i])) << i;
    }
}

TEST_F(DisplayShowTest, EverythingIsBlackBeforeAPaletteIsApplied) {
    video_test::FillSurface(backBuffer, 99);
    DrawString("Loading...", 20, 20, 0xFFFFFF);
    PresentFrame();
    const Frame& frame = Shown();
    ASSERT_EQ(frame.width, 640);
    for (uint8_t index : frame.pixels) {
        ASSERT_TRUE(IsBlack(frame.palette[index]));
    }
}

TEST_F(DisplayShowTest, ClearingMakesEveryPixelIndexZero) {
    video_test::FillSurface(backBuffer, 99);
    ClearBackBuffer();
    PresentFrame();
    for (uint8_t index : Shown().pixels) {
        ASSERT_EQ(index, 0);
    }
}

TEST_F(DisplayShowTest, LoadingTextAppearsAtTwentyTwentyInTheEntryNearestWhite) {
    const FilePalette palette = DistinctPalette();
    ApplyToScreen(palette);
    video_test::FillSurface(backBuffer, 99);
    const uint64_t shownBefore = platform::headless::FramesPresented();
    const uint32_t ticksBefore = platform::headless::Ticks();

    ShowLoadingScreen();

    EXPECT_EQ(platform::headless::FramesPresented(), shownBefore + 1);
    EXPECT_EQ(platform::headless::Ticks(), ticksBefore);  // no pause behind this flip
    const Frame& frame = Shown();
    const uint8_t white = NearestToWhite(palette);
    ASSERT_NE(white, 0);
    int inked = 0;
    int left = 640, top = 480;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            const uint8_t index = frame.At(x, y);
            if (index == 0) {
                continue;
            }
            ASSERT_EQ(index, white) << x << ", " << y;
            // Ten characters of the 8 x 16 font from (20, 20) on.
            ASSERT_GE(x, 20);
            ASSERT_LT(x, 20 + 10 * platform::kFontWidth);
            ASSERT_GE(y, 20);
            ASSERT_LT(y, 20 + platform::kFontHeight);
            left = std::min(left, x);
            top = std::min(top, y);
            ++inked;
        }
    }
    EXPECT_GT(inked, 40);
    // The "L" starts with a stroke at its left edge.
    EXPECT_LT(left, 20 + 3);
    EXPECT_LT(top, 20 + 6);
}

TEST_F(DisplayShowTest, LoadingScreenWaitsForAFlipThatWorks) {
    FailStep(Fault::Flip, 0, 3);
    ShowLoadingScreen();
    EXPECT_EQ(platform::headless::StepCalls(Fault::Flip), 4u);
    EXPECT_EQ(platform::headless::FramesPresented(), 1u);
}

TEST_F(DisplayShowTest, LoadingScreenGivesUpOnASurfaceThatNeverFlips) {
    FailStep(Fault::Flip);
    ShowLoadingScreen();
    EXPECT_EQ(platform::headless::StepCalls(Fault::Flip), 100u);
    EXPECT_EQ(platform::headless::FramesPresented(), 0u);
}

TEST_F(DisplayShowTest, TextIsSkippedWhenNoDeviceContextCanBeHad) {
    ApplyToScreen(DistinctPalette());
    ClearBackBuffer();
    FailStep(Fault::GetDC);
    DrawString("Loading...", 20, 20, 0xFFFFFF);
    platform::headless::ClearFaults();
    PresentFrame();
    for (uint8_t index : Shown().pixels) {
        ASSERT_EQ(index, 0);
    }
}

TEST_F(DisplayShowTest, EveryFrameTakesAtLeastFortyMilliseconds) {
    for (int i = 0; i < 3; ++i) {
        const uint32_t before = platform::headless::Ticks();
        PresentFrame();
        EXPECT_GE(platform::headless::Ticks() - before, 40u);
    }
    EXPECT_EQ(platform::headless::FramesPresented(), 3u);
    // A frame that cannot flip still keeps the pace.
    FailStep(Fault::Flip);
    const uint32_t before = platform::headless::Ticks();
    PresentFrame();
    EXPECT_GE(platform::headless::Ticks() - before, 40u);
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
// missing, and every step of a run goes on.
class BrokenDisplayTest : public video_test::DisplayTest {
  protected:
    void SetUp() override { platform::headless::Reset(); }

    static void RunTheDrawingSteps() {
        ShowLoadingScreen();
        ClearBackBuffer();
        DrawString("text", 5, 5, 0xFFFFFF);
        SpriteSheet sheet(2, 20, 20);
        EXPECT_TRUE(platform::Failed(sheet.Draw(0, 0, 0, backBuffer)));
        sheet.ReleaseSurfaces();
        PresentFrame();
    }
};

TEST_F(BrokenDisplayTest, WithoutADisplayDevice) {
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

TEST_F(BrokenDisplayTest, WithoutScreenSurfaces) {
    OpenDisplay();
    FailStep(Fault::CreatePrimarySurface);
    EXPECT_EQ(CreateScreenSurfaces(), 0);
    EXPECT_EQ(primarySurface, nullptr);
    EXPECT_EQ(backBuffer, nullptr);
    RunTheDrawingSteps();
}

TEST_F(BrokenDisplayTest, WithoutABackBuffer) {
    OpenDisplay();
    FailStep(Fault::GetBackBuffer);
    EXPECT_EQ(CreateScreenSurfaces(), 0);
    EXPECT_NE(primarySurface, nullptr);
    EXPECT_EQ(backBuffer, nullptr);
    EXPECT_EQ(backBufferPalette, nullptr);
    RunTheDrawingSteps();
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
