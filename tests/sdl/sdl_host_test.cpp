// The SDL host's screen under SDL's dummy video driver: what the window
// shows, read back through SDL itself.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_picture_box.h"
#include "platform/hosts/sdl/sdl_session.h"
#include "platform/result.h"

namespace platform {
namespace {

// What the window shows, as 0xRRGGBB.
struct Shown {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels.at(static_cast<size_t>(y * width + x)); }
};

Shown WindowPixels(SDL_Window* window) {
    SDL_Surface* converted =
        SDL_ConvertSurfaceFormat(SDL_GetWindowSurface(window), SDL_PIXELFORMAT_ARGB8888, 0);
    Shown shown;
    if (converted == nullptr) {
        return shown;
    }
    shown.width = converted->w;
    shown.height = converted->h;
    for (int y = 0; y < converted->h; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(
            static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch);
        for (int x = 0; x < converted->w; ++x) {
            shown.pixels.push_back(row[x] & 0xFFFFFFu);
        }
    }
    SDL_FreeSurface(converted);
    return shown;
}

// The frame shows through its palette, without its row padding; a window
// resized later gets the last frame back, with black bars, from a paused game.
TEST(SdlBackend, ShowsTheFrameThroughItsPaletteAndAgainWhenResized) {
    ASSERT_TRUE(host::OpenWindow("Stackwell")) << LastErrorText();
    SDL_Window* window = SDL_GetWindowFromID(sdl::WindowId());
    ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();

    // Left half index 1, right half index 2, rows padded with index 3.
    constexpr int32_t kPitch = 656;
    std::vector<uint8_t> pixels(kPitch * 480, 3);
    for (int32_t y = 0; y < 480; ++y) {
        std::memset(&pixels[y * kPitch], 1, 320);
        std::memset(&pixels[y * kPitch + 320], 2, 320);
    }
    PaletteEntry palette[256] = {};
    palette[1] = {0xFF, 0x20, 0x00, 0};
    palette[2] = {0x00, 0x40, 0xFF, 0};
    palette[3] = {0xFF, 0xFF, 0xFF, 0};
    host::Present(pixels.data(), kPitch, 640, 480, palette);
    pixels.assign(pixels.size(), 0);  // the game's buffer moves on; the window must not

    const Shown shown = WindowPixels(window);
    EXPECT_EQ(shown.At(shown.width / 4, shown.height / 2), 0xFF2000u);
    EXPECT_EQ(shown.At(shown.width * 3 / 4, shown.height / 2), 0x0040FFu);
    EXPECT_EQ(std::count(shown.pixels.begin(), shown.pixels.end(), 0xFFFFFFu), 0)
        << "row padding shown";

    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, 1280, 480);
    host::PumpEvents();
    const Shown resized = WindowPixels(window);
    ASSERT_EQ(resized.width, 1280);
    EXPECT_EQ(resized.At(100, 240), 0x000000u) << "left bar";
    EXPECT_EQ(resized.At(800, 240), 0x0040FFu);
    host::CloseWindow();
}

// A frame equal to the one shown leaves the window alone, and a changed one
// repaints only its changed blocks; yet after a run of such frames, the window
// holds just what painting the last one whole gives, whether the picture is
// stretched by a fraction, by a whole number or shrunk.
TEST(SdlBackend, PaintsOnlyWhatChangedAndEndsAsAWholeRepaint) {
    ASSERT_TRUE(host::OpenWindow("Stackwell")) << LastErrorText();
    SDL_Window* window = SDL_GetWindowFromID(sdl::WindowId());
    std::mt19937 random(2026);
    const auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PaletteEntry palette[256];
    for (PaletteEntry& entry : palette) {
        entry = {static_cast<uint8_t>(between(0, 255)), static_cast<uint8_t>(between(0, 255)),
                 static_cast<uint8_t>(between(0, 255)), 0};
    }
    std::vector<uint8_t> pixels(640 * 480);
    std::generate(pixels.begin(), pixels.end(),
                  [&] { return static_cast<uint8_t>(between(0, 255)); });
    const auto paintGreen = [window] {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x00, 0xFF, 0x00));
    };

    // The desktop of the dummy driver (1024 x 768), then whole and shrunk boxes.
    const SDL_Point sizes[] = {{0, 0}, {1280, 960}, {500, 1000}};
    for (const SDL_Point size : sizes) {
        if (size.x != 0) {
            SDL_SetWindowFullscreen(window, 0);
            SDL_SetWindowSize(window, size.x, size.y);
        }
        ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();
        host::Present(pixels.data(), 640, 640, 480, palette);
        paintGreen();
        host::Present(pixels.data(), 640, 640, 480, palette);
        const Shown again = WindowPixels(window);
        SCOPED_TRACE(::testing::Message() << again.width << " x " << again.height);
        EXPECT_EQ(again.At(0, 0), 0x00FF00u) << "the same frame painted again";
        // Unchanged rows (the middle) are left green; the changed first row shows.
        pixels.front() = static_cast<uint8_t>(pixels.front() + 1);
        host::Present(pixels.data(), 640, 640, 480, palette);
        const sdl::Box box = sdl::PictureBox(again.width, again.height, 640, 480);
        const Shown changed = WindowPixels(window);
        EXPECT_EQ(changed.At(again.width / 2, again.height / 2), 0x00FF00u);
        EXPECT_NE(changed.At(box.x, box.y), 0x00FF00u);

        // Painted whole again, bars and all, then blocks of rows changed here
        // and there, a few or many at once, edges included.
        host::CloseScreen();
        ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();
        host::Present(pixels.data(), 640, 640, 480, palette);
        for (int frame = 0; frame < 60; ++frame) {
            const int blocks = frame % 10 == 9 ? 40 : between(1, 3);
            for (int block = 0; block < blocks; ++block) {
                const int left = between(0, 639), top = between(0, 479);
                const int right = between(left, 639), bottom = std::min(top + between(0, 30), 479);
                const auto colour = static_cast<uint8_t>(between(0, 255));
                for (int y = top; y <= bottom; ++y) {
                    std::fill(&pixels[y * 640 + left], &pixels[y * 640 + right] + 1, colour);
                }
            }
            host::Present(pixels.data(), 640, 640, 480, palette);
        }
        const std::vector<uint32_t> afterChanges = WindowPixels(window).pixels;
        host::CloseScreen();
        ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();
        host::Present(pixels.data(), 640, 640, 480, palette);
        ASSERT_FALSE(afterChanges.empty());
        EXPECT_TRUE(afterChanges == WindowPixels(window).pixels) << "differs from a whole repaint";
        host::CloseScreen();
    }
    host::CloseWindow();
}

}  // namespace
}  // namespace platform
