// The display on DirectDraw, in the exclusive 640 x 480 x 8 mode: the game's
// drawing calls checked through the pixels the system gives back.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/display.h"
#include "platform/text.h"
#include "tests/win32/game_window.h"

namespace {

using namespace platform;

constexpr uint8_t kKey = 253;

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = win32_tests::MakeGameWindow();
        ASSERT_NE(window, nullptr) << LastErrorText();
        ASSERT_EQ(CreateDisplay(nullptr, &display, nullptr), kOk) << LastErrorText();
        ASSERT_EQ(display->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), kOk)
            << LastErrorText();
        ASSERT_EQ(display->SetDisplayMode(640, 480, 8), kOk) << LastErrorText();
        SurfaceDesc description{};
        description.size = sizeof description;
        description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        description.backBufferCount = 1;
        description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        ASSERT_EQ(display->CreateSurface(&description, &primary, nullptr), kOk) << LastErrorText();
        const SurfaceCaps backCaps{DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary->GetAttachedSurface(&backCaps, &back), kOk) << LastErrorText();
        PaletteEntry colours[256] = {};
        for (int i = 0; i < 256; ++i) {
            colours[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 40, 0};
        }
        colours[7] = {255, 255, 255, 0};
        ASSERT_EQ(display->CreatePalette(DDPCAPS_8BIT, colours, &palette, nullptr), kOk)
            << LastErrorText();
        ASSERT_EQ(primary->SetPalette(palette), kOk) << LastErrorText();
        ASSERT_EQ(back->SetPalette(palette), kOk) << LastErrorText();
    }
    void TearDown() override {
        for (Surface* surface : {source, back, primary}) {
            if (surface != nullptr) {
                surface->Release();
            }
        }
        if (display != nullptr) {
            display->Release();
        }
        DestroyWindow(window);
    }

    Surface* MakeSurface(uint32_t width, uint32_t height) {
        SurfaceDesc description{};
        description.size = sizeof description;
        description.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
        description.width = width;
        description.height = height;
        description.caps.caps = DDSCAPS_OFFSCREENPLAIN;
        Surface* made = nullptr;
        EXPECT_EQ(display->CreateSurface(&description, &made, nullptr), kOk) << LastErrorText();
        return made;
    }
    static void Fill(Surface* surface, uint8_t index) {
        BltFx fx{};
        fx.size = sizeof fx;
        fx.fillColor = index;
        ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), kOk)
            << LastErrorText();
    }
    // The surface's pixels, rows packed.
    static std::vector<uint8_t> Pixels(Surface* surface) {
        SurfaceDesc locked{};
        locked.size = sizeof locked;
        EXPECT_EQ(surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), kOk) << LastErrorText();
        std::vector<uint8_t> pixels;
        if (locked.surface == nullptr) {
            return pixels;
        }
        EXPECT_GE(locked.pitch, static_cast<int32_t>(locked.width));
        const auto* rows = static_cast<const uint8_t*>(locked.surface);
        for (uint32_t y = 0; y < locked.height; ++y) {
            pixels.insert(pixels.end(), rows + y * locked.pitch,
                          rows + y * locked.pitch + locked.width);
        }
        surface->Unlock(nullptr);
        return pixels;
    }
    static uint8_t At(const std::vector<uint8_t>& pixels, int x, int y) {
        return pixels[static_cast<size_t>(y) * 640 + x];
    }

    WindowHandle window = nullptr;
    DisplayDevice* display = nullptr;
    Surface* primary = nullptr;
    Surface* back = nullptr;
    Surface* source = nullptr;
    Palette* palette = nullptr;
};

TEST_F(DisplayTest, AKeyedBlitLeavesKeyColouredPixelsAndARectangleOutsideIsRefused) {
    source = MakeSurface(3, 2);
    ASSERT_NE(source, nullptr);
    SurfaceDesc locked{};
    locked.size = sizeof locked;
    ASSERT_EQ(source->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr), kOk);
    auto* rows = static_cast<uint8_t*>(locked.surface);
    const uint8_t picture[2][3] = {{kKey, 11, kKey}, {12, kKey, 13}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            rows[y * locked.pitch + x] = picture[y][x];
        }
    }
    ASSERT_EQ(source->Unlock(nullptr), kOk);
    const ColorKey key{kKey, kKey};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), kOk);
    Fill(back, 9);

    ASSERT_EQ(back->BltFast(100, 50, source, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), kOk)
        << LastErrorText();
    EXPECT_EQ(back->BltFast(638, 50, source, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT),
              kErrInvalidRect);

    const std::vector<uint8_t> shown = Pixels(back);
    ASSERT_EQ(shown.size(), 640u * 480u);
    const uint8_t expected[2][3] = {{9, 11, 9}, {12, 9, 13}};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(At(shown, 100 + x, 50 + y), expected[y][x]) << x << "," << y;
        }
    }
    EXPECT_EQ(At(shown, 638, 50), 9);
    EXPECT_EQ(At(shown, 639, 51), 9);
}

// Without DDPCAPS_ALLOW256 the first and last entries stay the system's black
// and white, whatever is set; with it every entry is the game's.
TEST_F(DisplayTest, OnlyAPaletteAllowingAll256KeepsTheFirstAndLastEntries) {
    PaletteEntry colours[256] = {};
    colours[0] = {10, 20, 30, 0};
    colours[255] = {40, 50, 60, 0};
    PaletteEntry read[256] = {};
    ASSERT_EQ(palette->SetEntries(0, 0, 256, colours), kOk);
    ASSERT_EQ(palette->GetEntries(0, 0, 256, read), kOk);
    EXPECT_EQ(read[0].red, 0);
    EXPECT_EQ(read[255].red, 255);

    Palette* all = nullptr;
    ASSERT_EQ(display->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, colours, &all, nullptr), kOk);
    ASSERT_EQ(all->GetEntries(0, 0, 256, read), kOk);
    EXPECT_EQ(read[0].red, 10);
    EXPECT_EQ(read[255].red, 40);
    colours[0] = {11, 21, 31, 0};
    ASSERT_EQ(all->SetEntries(0, 0, 256, colours), kOk);
    ASSERT_EQ(all->GetEntries(0, 0, 256, read), kOk);
    EXPECT_EQ(read[0].red, 11);
}

// The system's font, in the palette entry nearest to the colour asked for.
TEST_F(DisplayTest, TextIsPaintedInTheNearestPaletteEntry) {
    Fill(back, 0);
    DeviceContext* context = nullptr;
    ASSERT_EQ(back->GetDC(&context), kOk) << LastErrorText();
    SetTextColor(context, Rgb(250, 250, 250));
    SetBkMode(context, TRANSPARENT);
    EXPECT_TRUE(TextOut(context, 20, 20, "Loading...", 10));
    ASSERT_EQ(back->ReleaseDC(context), kOk);

    const std::vector<uint8_t> shown = Pixels(back);
    ASSERT_EQ(shown.size(), 640u * 480u);
    int painted = 0;
    int elsewhere = 0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            const uint8_t index = At(shown, x, y);
            if (index == 0) {
                continue;
            }
            EXPECT_EQ(index, 7) << x << "," << y;
            const bool nearText = x >= 20 && x < 220 && y >= 20 && y < 60;
            ++(nearText ? painted : elsewhere);
        }
    }
    EXPECT_GT(painted, 30);
    EXPECT_EQ(elsewhere, 0);
}

}  // namespace
