// The real backend's screen under SDL's dummy video driver: what the window
// shows, read back through SDL itself.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_session.h"
#include "platform/result.h"
#include "tests/sdl/shown_pixels.h"

namespace platform {
namespace {

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

    const SDL_Point output = testing::WindowPixelsSize(window);
    EXPECT_EQ(testing::ShownAt(window, output.x / 4, output.y / 2), 0xFF2000u);
    EXPECT_EQ(testing::ShownAt(window, output.x * 3 / 4, output.y / 2), 0x0040FFu);
    for (int x = 0; x < output.x; x += 7) {
        ASSERT_NE(testing::ShownAt(window, x, output.y - 1), 0xFFFFFFu) << "row padding shown";
    }

    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, 1280, 480);
    host::PumpEvents();
    ASSERT_EQ(testing::WindowPixelsSize(window).x, 1280);
    EXPECT_EQ(testing::ShownAt(window, 100, 240), 0x000000u) << "left bar";
    EXPECT_EQ(testing::ShownAt(window, 800, 240), 0x0040FFu);
    host::CloseWindow();
}

// A frame whose pixels and palette equal those on the screen leaves the
// window alone; one pixel or one colour changed, and the window shows it.
TEST(SdlBackend, PaintsAFrameOnlyWhenItDiffersFromTheOneShown) {
    ASSERT_TRUE(host::OpenWindow("Stackwell")) << LastErrorText();
    SDL_Window* window = SDL_GetWindowFromID(sdl::WindowId());
    ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();
    const SDL_Point output = testing::WindowPixelsSize(window);
    // Paints the window green behind the backend's back: only painting the
    // frame again would cover it.
    const auto paintGreen = [window] {
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x00, 0xFF, 0x00));
    };

    std::vector<uint8_t> pixels(640 * 480, 1);
    PaletteEntry palette[256] = {};
    palette[1] = {0xFF, 0x20, 0x00, 0};
    palette[2] = {0x00, 0x40, 0xFF, 0};
    host::Present(pixels.data(), 640, 640, 480, palette);
    paintGreen();
    host::Present(pixels.data(), 640, 640, 480, palette);
    EXPECT_EQ(testing::ShownAt(window, output.x / 2, output.y / 2), 0x00FF00u) << "painted again";

    pixels.back() = 2;
    host::Present(pixels.data(), 640, 640, 480, palette);
    EXPECT_EQ(testing::ShownAt(window, output.x / 2, output.y / 2), 0xFF2000u) << "pixel changed";
    paintGreen();
    palette[1] = palette[2];
    host::Present(pixels.data(), 640, 640, 480, palette);
    EXPECT_EQ(testing::ShownAt(window, output.x / 2, output.y / 2), 0x0040FFu) << "colour changed";
    host::CloseWindow();
}

}  // namespace
}  // namespace platform
