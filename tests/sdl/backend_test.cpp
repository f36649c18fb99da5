// The real backend under SDL's dummy video and audio drivers: what it shows,
// reads and plays, checked through SDL itself.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/result.h"
#include "platform/sdl/session.h"
#include "tests/sdl/shown_pixels.h"

namespace platform {
namespace {

class SdlBackend : public ::testing::Test {
protected:
    void TearDown() override {
        backend::CloseAudio();
        backend::CloseWindow();
    }

    static SDL_Window* Window() { return SDL_GetWindowFromID(sdl::WindowId()); }

    // The window's size in pixels, bars included.
    static SDL_Point ReadWholeWindow() {
        const SDL_Point size = testing::WindowPixelsSize(Window());
        EXPECT_GT(size.x, 0);
        return size;
    }

    // The colour shown at a pixel of the window, as 0xRRGGBB.
    static uint32_t ShownAt(int x, int y) { return testing::ShownAt(Window(), x, y); }
};

TEST_F(SdlBackend, OpensOneFullScreenWindowWithTheTitle) {
    ASSERT_TRUE(backend::OpenWindow("Stackwell")) << LastErrorText();
    ASSERT_NE(Window(), nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(Window()), "Stackwell");
    EXPECT_EQ(SDL_GetWindowFlags(Window()) & SDL_WINDOW_FULLSCREEN_DESKTOP,
              SDL_WINDOW_FULLSCREEN_DESKTOP);
    // Covers the desktop even where no window manager makes it full screen.
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(Window(), &width, &height);
    EXPECT_EQ(width, desktop.w);
    EXPECT_EQ(height, desktop.h);
    int32_t reportedWidth = 0;
    int32_t reportedHeight = 0;
    backend::DesktopSize(&reportedWidth, &reportedHeight);
    EXPECT_EQ(reportedWidth, desktop.w);
    EXPECT_EQ(reportedHeight, desktop.h);

    const uint8_t iconPixels[] = {0, 1, 1, 7};  // 7 has no colour: left transparent
    const uint32_t iconColours[] = {0x000000, 0xFFCC00};
    backend::SetIcon(IconImage{2, 2, iconPixels, iconColours, 2});

    EXPECT_FALSE(backend::OpenWindow("another"));
    EXPECT_NE(std::string(LastErrorText()).find("second window"), std::string::npos);

    backend::CloseWindow();
    EXPECT_EQ(sdl::WindowId(), 0u);
    EXPECT_TRUE(backend::OpenWindow("again")) << "a closed window makes room for a new one";
}

TEST_F(SdlBackend, ShowsTheFrameThroughItsPalette) {
    ASSERT_TRUE(backend::OpenWindow("Stackwell"));
    ASSERT_TRUE(backend::OpenScreen(640, 480)) << LastErrorText();
    EXPECT_FALSE(backend::OpenScreen(640, 480)) << "one screen at a time";

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
    backend::Present(pixels.data(), kPitch, 640, 480, palette);

    // The dummy desktop has the picture's aspect, so the picture fills it.
    const SDL_Point output = ReadWholeWindow();
    EXPECT_EQ(ShownAt(output.x / 4, output.y / 2), 0xFF2000u);
    EXPECT_EQ(ShownAt(output.x * 3 / 4, output.y / 2), 0x0040FFu);
    for (int x = 0; x < output.x; x += 7) {
        EXPECT_NE(ShownAt(x, output.y - 1), 0xFFFFFFu) << "the row padding must never show";
    }
}

TEST_F(SdlBackend, KeepsTheAspectWithBlackBarsOnAWideWindow) {
    ASSERT_TRUE(backend::OpenWindow("Stackwell"));
    ASSERT_TRUE(backend::OpenScreen(640, 480));
    SDL_SetWindowFullscreen(Window(), 0);
    SDL_SetWindowSize(Window(), 1280, 480);
    backend::PumpEvents();

    std::vector<uint8_t> pixels(640 * 480, 1);
    PaletteEntry palette[256] = {};
    palette[1] = {0xFF, 0xFF, 0xFF, 0};
    backend::Present(pixels.data(), 640, 640, 480, palette);

    ReadWholeWindow();
    EXPECT_EQ(ShownAt(100, 240), 0x000000u) << "left bar";
    EXPECT_EQ(ShownAt(640, 240), 0xFFFFFFu) << "picture";
    EXPECT_EQ(ShownAt(1180, 240), 0x000000u) << "right bar";
}

// The paused game draws nothing, so a window resized meanwhile must get the
// last frame back from the screen itself.
TEST_F(SdlBackend, AResizedWindowShowsTheLastFrameAgainWithoutANewOne) {
    ASSERT_TRUE(backend::OpenWindow("Stackwell"));
    ASSERT_TRUE(backend::OpenScreen(640, 480));
    std::vector<uint8_t> pixels(640 * 480, 1);
    PaletteEntry palette[256] = {};
    palette[1] = {0x10, 0xE0, 0x30, 0};
    backend::Present(pixels.data(), 640, 640, 480, palette);
    pixels.assign(pixels.size(), 0);  // the game's buffer moves on; the window must not

    SDL_SetWindowFullscreen(Window(), 0);
    SDL_SetWindowSize(Window(), 400, 600);
    backend::PumpEvents();

    const SDL_Point output = ReadWholeWindow();
    ASSERT_EQ(output.x, 400);
    EXPECT_EQ(ShownAt(200, 300), 0x10E030u) << "picture";
    EXPECT_EQ(ShownAt(200, 5), 0x000000u) << "top bar";
}

struct MixCounter {
    std::atomic<uint32_t> samples{0};
    std::atomic<bool> wroteMidpoint{true};
};

void CountSamples(void* context, uint8_t* samples, uint32_t count) {
    auto* counter = static_cast<MixCounter*>(context);
    for (uint32_t i = 0; i < count; ++i) {
        if (samples[i] != 128) {
            counter->wroteMidpoint = false;
        }
    }
    counter->samples += count;
}

TEST_F(SdlBackend, PullsSamplesFromTheMixerUntilClosed) {
    MixCounter counter;
    ASSERT_TRUE(backend::OpenAudio(CountSamples, &counter)) << LastErrorText();
    EXPECT_FALSE(backend::OpenAudio(CountSamples, &counter)) << "one device at a time";

    // The audio thread runs at its own pace; give it up to two seconds.
    for (int wait = 0; wait < 200 && counter.samples < 2048; ++wait) {
        backend::SleepFor(10);
    }
    EXPECT_GE(counter.samples, 2048u);
    EXPECT_TRUE(counter.wroteMidpoint) << "the mixer is handed silence to add to";

    backend::LockAudio();
    const uint32_t whileLocked = counter.samples;
    backend::SleepFor(50);
    EXPECT_EQ(counter.samples, whileLocked) << "no mixing while the game holds the lock";
    backend::UnlockAudio();

    backend::CloseAudio();
    const uint32_t afterClose = counter.samples;
    backend::SleepFor(50);
    EXPECT_EQ(counter.samples, afterClose);
}

TEST_F(SdlBackend, CountsFromADifferentStartEachRunFarFromTheWrap) {
    // The game seeds its pieces with the count at start-up; the count must
    // still leave weeks of play before it wraps round.
    EXPECT_LT(backend::Ticks(), (1u << 24) + SDL_GetTicks() + 1000u);
}

}  // namespace
}  // namespace platform
