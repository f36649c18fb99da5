// The SDL host under SDL's dummy drivers: the platform layer set up as the
// game sets it up, with the window system's requests arriving as messages and
// devices lost, and what the window shows, read back through SDL itself.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "app/startup_failure.h"
#include "audio/sound_clip.h"
#include "flow/keyboard.h"
#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_picture_box.h"
#include "platform/hosts/sdl/sdl_session.h"
#include "platform/keys.h"
#include "platform/result.h"
#include "platform/sound.h"
#include "platform/window.h"
#include "program/window_handles.h"
#include "video/game_screen.h"

namespace platform {
namespace {

// No test of this program opens a real screen or sound card.
const bool kDummyDrivers =
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy") && SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");

using Keys = std::array<uint8_t, 256>;
using Messages = std::vector<uint32_t>;

Messages received;

intptr_t RecordingProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    received.push_back(message);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
    }
    return DefWindowProc(window, message, wParam, lParam);
}

void PushWindowEvents(std::initializer_list<SDL_WindowEventID> events) {
    for (SDL_WindowEventID what : events) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = static_cast<Uint8>(what);
        event.window.windowID = sdl::WindowId();
        ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
    }
}

void PushKeyDown(SDL_Scancode key) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.windowID = sdl::WindowId();
    event.key.state = SDL_PRESSED;
    event.key.keysym.scancode = key;
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

Messages TakeMessages() {
    Messages taken;
    Message message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(message.message);
        DispatchMessage(&message);
    }
    return taken;
}

// The window as the game makes it (but with a procedure that records its
// messages), then the game's own start-up of the screen, keyboard and sound.
class SdlSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kDummyDrivers);
        WindowClass windowClass;
        windowClass.procedure = RecordingProcedure;
        windowClass.className = "Session";
        ASSERT_NE(RegisterClass(&windowClass), 0) << LastErrorText();
        mainWindow = CreateWindowEx(0, "Session", "Session", WS_POPUP | WS_VISIBLE, 0, 0,
                                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                    nullptr, nullptr, GetProgramInstance(), nullptr);
        ASSERT_NE(mainWindow, nullptr) << LastErrorText();
        ASSERT_NE(InitDisplay(640, 480, 8), 0) << LastErrorText();
        ASSERT_NE(CreateScreenSurfaces(), 0) << LastErrorText();
        ASSERT_NE(InitKeyboard(), 0) << LastErrorText();
        ASSERT_NE(InitSoundDevice(), 0) << LastErrorText();
        TakeMessages();
        received.clear();
    }

    // Releases what SetUp made, however far it got.
    void TearDown() override {
        ReleaseSheetsAndDevices();
        if (mainWindow != nullptr) {
            DestroyWindow(mainWindow);
        }
    }

    // Reads the keys, which also takes in the window system's events.
    static Keys Read() {
        Keys keys;
        keys.fill(0xFF);
        EXPECT_EQ(keyboardDevice->GetDeviceState(256, keys.data()), kOk);
        return keys;
    }
};

// The sound card reported gone mid-run tells the window nothing and leaves
// the music's calls harmless. A held key shows until the window loses the
// keyboard, after which no key-up would come for it; while away and after the
// focus comes back the screen flips, and nothing but a close ends the game.
// (Taps and held keys between reads are the contract of every driver:
// tests/contract.)
TEST_F(SdlSession, LosingTheSoundCardOrTheFocusGoesOnAndOnlyACloseEndsTheGame) {
    static const WaveFormat format{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
    const SoundBufferDesc tone{.size = sizeof(SoundBufferDesc),
                               .flags = DSBCAPS_STATIC,
                               .bufferBytes = kSampleRate,
                               .format = &format};
    SoundBuffer* music = nullptr;
    ASSERT_EQ(soundDevice->CreateSoundBuffer(&tone, &music, nullptr), kOk) << LastErrorText();
    ASSERT_EQ(music->Play(0, 0, DSBPLAY_LOOPING), kOk);
    SDL_Event removed{};
    removed.type = SDL_AUDIODEVICEREMOVED;
    for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
            removed.adevice.which = id;
        }
    }
    ASSERT_NE(removed.adevice.which, 0u) << "no playing sound output";
    ASSERT_EQ(SDL_PushEvent(&removed), 1);
    // The window system's own key events must reach the queue; those below
    // are put there directly.
    ASSERT_EQ(SDL_EventState(SDL_KEYDOWN, SDL_QUERY), SDL_ENABLE);
    PushKeyDown(SDL_SCANCODE_LEFT);
    PushKeyDown(SDL_SCANCODE_VOLUMEUP);
    Keys held{};
    held[DIK_LEFT] = kKeyDown;
    EXPECT_EQ(Read(), held);
    EXPECT_EQ(Read(), held);
    EXPECT_EQ(TakeMessages(), Messages{});
    EXPECT_EQ(music->Stop(), kOk);
    EXPECT_EQ(music->Play(0, 0, 0), kOk);
    PushWindowEvents(
        {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_HIDDEN});
    EXPECT_EQ(Read(), Keys{});
    EXPECT_EQ(primarySurface->Flip(nullptr, DDFLIP_WAIT), kOk) << "flipping while away";
    PushWindowEvents(
        {SDL_WINDOWEVENT_SHOWN, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_FOCUS_GAINED});
    EXPECT_EQ(Read(), Keys{});
    EXPECT_EQ(primarySurface->Flip(nullptr, DDFLIP_WAIT), kOk);
    for (uint32_t taken : TakeMessages()) {
        EXPECT_TRUE(taken != WM_CLOSE && taken != WM_QUIT) << "nothing asks the game to close";
    }
    EXPECT_TRUE(IsWindow(mainWindow));
    // Two reads back to back: the second waits for an event, and the close
    // request it wakes for must still reach the game. The close destroys the
    // window through the default handling, and the display goes on harmlessly
    // without it.
    Read();
    received.clear();
    PushWindowEvents({SDL_WINDOWEVENT_EXPOSED, SDL_WINDOWEVENT_CLOSE});
    Read();
    EXPECT_EQ(TakeMessages(), (Messages{WM_PAINT, WM_CLOSE, WM_QUIT}));
    EXPECT_EQ(received, (Messages{WM_PAINT, WM_CLOSE, WM_DESTROY}));
    EXPECT_EQ(SDL_GetWindowFromID(sdl::WindowId()), nullptr);
    EXPECT_EQ(primarySurface->Flip(nullptr, DDFLIP_WAIT), kOk);
}

// What the window shows, as 0xRRGGBB.
struct Shown {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(int x, int y) const { return pixels.at(static_cast<size_t>(y * width + x)); }
};

Shown WindowPixels(SDL_Window* window) {
    Shown shown;
    SDL_Surface* converted =
        SDL_ConvertSurfaceFormat(SDL_GetWindowSurface(window), SDL_PIXELFORMAT_ARGB8888, 0);
    if (converted != nullptr) {  // 32-bit rows need no padding
        const auto* pixels = static_cast<const uint32_t*>(converted->pixels);
        shown = {converted->w, converted->h, {pixels, pixels + converted->w * converted->h}};
        SDL_FreeSurface(converted);
    }
    for (uint32_t& pixel : shown.pixels) {
        pixel &= 0xFFFFFFu;
    }
    return shown;
}

// The window covers the desktop; the frame shows through its palette, without
// its row padding, and again, with black bars, when the window is resized. A
// frame equal to the one shown leaves the window alone, and a changed one
// repaints only its changed blocks; yet after a run of such frames, the window
// holds just what painting the last one whole gives, whether the picture is
// stretched by a fraction, by a whole number or shrunk.
TEST(SdlBackend, ShowsTheFramePaintingOnlyWhatChangedAndAgainWhenResized) {
    ASSERT_TRUE(host::OpenWindow("Stackwell")) << LastErrorText();
    SDL_Window* window = SDL_GetWindowFromID(sdl::WindowId());
    const Uint32 fullScreen = SDL_WINDOW_FULLSCREEN_DESKTOP;
    EXPECT_EQ(SDL_GetWindowFlags(window) & fullScreen, fullScreen) << "not full screen";
    ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();

    // Left half index 1, right half index 2, rows padded with index 3.
    constexpr int32_t kPitch = 656;
    std::vector<uint8_t> padded(kPitch * 480, 3);
    for (int32_t y = 0; y < 480; ++y) {
        std::memset(&padded[y * kPitch], 1, 320);
        std::memset(&padded[y * kPitch + 320], 2, 320);
    }
    PaletteEntry twoColours[256] = {};
    twoColours[1] = {0xFF, 0x20, 0x00, 0};
    twoColours[2] = {0x00, 0x40, 0xFF, 0};
    twoColours[3] = {0xFF, 0xFF, 0xFF, 0};
    host::Present(padded.data(), kPitch, 640, 480, twoColours);
    padded.assign(padded.size(), 0);  // the game's buffer moves on; the window must not

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
    host::CloseScreen();

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
    // Stretched by a fraction, by a whole number and shrunk.
    const SDL_Point sizes[] = {{1024, 768}, {1280, 960}, {500, 1000}};
    for (const SDL_Point size : sizes) {
        SDL_SetWindowSize(window, size.x, size.y);
        ASSERT_TRUE(host::OpenScreen(640, 480)) << LastErrorText();
        host::Present(pixels.data(), 640, 640, 480, palette);
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x00, 0xFF, 0x00));
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
