// The screens as the player sees them: a play frame with every board cell,
// preview cell, score digit and the games-left digit at its place on the
// background, drawn back to front with index 253 transparent; the loading
// screen, the pace of frames, flips that fail, and sprite sheets with missing
// parts.
#include <algorithm>

#include "rules/counters.h"
#include "tests/video/video_fixture.h"
#include "video/frame.h"
#include "video/sprite_sheet.h"

namespace {

using namespace video_test;
using platform::Fault;
using platform::headless::FailStep;
using platform::headless::FramesPresented;
using platform::headless::StepCalls;

using ScreenTest = VideoTest;

using Cells = std::array<int16_t, 230>;
using Digits = std::array<int32_t, 10>;
constexpr uint8_t kClear = kTransparentIndex;
constexpr int16_t kTileWithoutSurface = 6;

// Image i of a strip is solid base + i but for a transparent column.
// Like a colour-keyed blit; an image that does not exist is not drawn.
void Paste(Picture& screen, int32_t base, int32_t index, int32_t count, int32_t x, int32_t y) {
    for (int32_t k = 0; index >= 0 && index < count && k < 20; ++k) {
        for (int32_t j = 0; j < 20; ++j) {
            screen.At(x + j, y + k) = j == 10 ? screen.At(x + j, y + k) : uint8_t(base + index);
        }
    }
}

// Images of 20 x 20 every 23 pixels from column 2, row 4.
Picture Strip(int32_t base, int32_t count) {
    Picture strip(2 + 23 * count, 24, kClear);
    for (int32_t i = 0; i < count; ++i) {
        Paste(strip, base, i, count, 2 + 23 * i, 4);
    }
    return strip;
}

// Stripes with a transparent hole under part of the well, where the cleared
// screen's index 0 shows.
Picture Background() {
    Picture picture = Pattern(640, 480);
    for (int32_t y = 50; y < 480; ++y) {
        std::fill_n(picture.pixels.begin() + 640 * y + 200, 60, kClear);
    }
    return picture;
}

// The tile drawn for a value: none where there is no surface.
int32_t Tile(int32_t value) {
    return value == kTileWithoutSurface ? -1 : value;
}

// The screen the layout promises, from literal positions.
Picture Expected(const Cells& cells, const RotationState& preview, const Digits& score,
                 int32_t games) {
    Picture screen = Background();
    std::replace(screen.pixels.begin(), screen.pixels.end(), kClear, uint8_t{0});
    for (int32_t r = 0; r < 23; ++r) {
        for (int32_t c = 0; c < 10; ++c) {
            Paste(screen, 10, Tile(cells[static_cast<size_t>(r * 10 + c)]), 8, 190 + 20 * c,
                  1 + 20 * r);
        }
    }
    for (int32_t r = 0; r <= preview.lastRow; ++r) {
        for (int32_t c = 0; c <= preview.lastCol; ++c) {
            Paste(screen, 10, Tile(preview.cells[r][c]), 8, 400 + 20 * c, 117 + 20 * r);
        }
    }
    for (int32_t i = 0; i < 9; ++i) {
        Paste(screen, 60, score[static_cast<size_t>(i)], 10, 555 - 20 * i, 256);
    }
    Paste(screen, 60, games, 10, 473, 331);
    return screen;
}

// A tile whose surface could not be made leaves its place showing what lies
// behind; the carry above the nine shown digits is never shown.
TEST_F(ScreenTest, EveryPartOfAPlayFrameLandsAtItsPlaceInDrawingOrder) {
    WriteFile("cubeshards2.bmp", EncodeBitmap(Strip(10, 8)));
    WriteFile("score.bmp", EncodeBitmap(Strip(60, 10)));
    WriteFile("menu1.bmp", EncodeBitmap(Background()));
    LoadTileSheet();
    FailStep(Fault::CreateOffscreenSurface, kTileWithoutSurface, 1);
    LoadTileSheet();  // remade, giving back the first
    LoadDigitSheet();
    Bitmap background;
    background.Load("menu1.bmp");
    backgroundSheet = new SpriteSheet(1, 640, 480);
    backgroundSheet->LoadFrame(background, 0, 0, 0);

    Cells cells{};
    for (size_t i = 0; i < cells.size(); ++i) {
        cells[i] = static_cast<int16_t>((i * 5) % 8);
    }
    const RotationState shown{.lastCol = 2, .lastRow = 1, .cells = {{0, 5, 5}, {5, 5, 5}}};
    const Digits score{7, 1, 2, 3, 4, 5, 6, 8, 9, 1};
    Piece next;
    next.rotation = 2;
    next.rotations[2] = shown;
    gamesLeft = 2;
    // The hole must show a cleared screen, not what the back buffer held.
    FillSurface(backBuffer, 99);
    DrawFrame(next, cells.data(), score.data());
    const Bytes expected = Expected(cells, shown, score, gamesLeft).pixels;
    const auto wrong = std::mismatch(expected.begin(), expected.end(), Shown().pixels.begin());
    EXPECT_EQ(wrong.first, expected.end())
        << "first wrong pixel at " << (wrong.first - expected.begin()) % 640 << ", "
        << (wrong.first - expected.begin()) / 640;
    EXPECT_EQ(FramesPresented(), 1u);
    gamesLeft = 3;
    backgroundSheet->ReleaseSurfaces();
    delete backgroundSheet;
    backgroundSheet = nullptr;
    ReleaseTileSheet();
    ReleaseDigitSheet();
    ReleaseTileSheet();
    EXPECT_EQ(tileSheet, nullptr);
}

// "Loading..." in white at (20, 20) on a cleared screen, just as the display
// writes it itself. A surface that can no longer flip must not hang start-up;
// a frame takes its forty milliseconds whether or not it could be shown;
// releasing twice (the fixture releases again) releases once.
TEST_F(ScreenTest, LoadingShowsItsTextAndFramesArePacedAndNeverWaitedOnForEver) {
    WriteFile("colours.bmp", EncodeBitmap(Picture(1, 1)));
    Bitmap colours;
    colours.Load("colours.bmp");
    colours.ApplyPalette(primaryPalette);
    colours.ApplyPalette(backBufferPalette);
    FillSurface(backBuffer, 99);
    FailStep(Fault::Flip, 0, 3);
    ShowLoadingScreen();
    ASSERT_EQ(StepCalls(Fault::Flip), 4u);
    const Bytes loading = Shown().pixels;
    FillSurface(backBuffer, 0);
    platform::DeviceContext* context = nullptr;
    ASSERT_EQ(backBuffer->GetDC(&context), platform::kOk);
    platform::SetTextColor(context, 0xFFFFFF);
    platform::SetBkMode(context, platform::TRANSPARENT);
    platform::TextOut(context, 20, 20, "Loading...", 10);
    backBuffer->ReleaseDC(context);
    PresentFrame();
    EXPECT_TRUE(Shown().pixels == loading);
    FailStep(Fault::Flip);
    ShowLoadingScreen();
    EXPECT_EQ(StepCalls(Fault::Flip), 105u) << "a hundred tries after the one above";
    const uint32_t before = platform::headless::Ticks();
    PresentFrame();  // its flip fails too
    platform::headless::ClearFaults();
    PresentFrame();
    EXPECT_EQ(platform::headless::Ticks() - before, 80u);
    ReleaseScreenSurfaces();
    ReleaseDisplay();
    EXPECT_TRUE(!primarySurface && !backBuffer && !directDraw && !primaryPalette &&
                !backBufferPalette);
}

}  // namespace
