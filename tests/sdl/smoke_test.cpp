// The whole platform layer on the real backend, under SDL's dummy drivers:
// the game's window, a flipped frame, the keyboard, a short sound, and the
// window system's close and expose requests arriving as window messages.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/result.h"
#include "platform/sdl/session.h"
#include "platform/sound.h"
#include "platform/time.h"
#include "platform/window.h"
#include "tests/sdl/shown_pixels.h"

namespace platform {
namespace {

std::vector<uint32_t> received;

intptr_t RecordingProcedure(WindowHandle window, uint32_t message, uintptr_t wParam,
                            intptr_t lParam) {
    received.push_back(message);
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProc(window, message, wParam, lParam);
}

WindowHandle OpenGameWindow() {
    static uint16_t atom = 0;
    if (atom == 0) {
        WindowClass windowClass;
        windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC;
        windowClass.procedure = RecordingProcedure;
        windowClass.instance = GetProgramInstance();
        windowClass.cursor = Cursor::Arrow;
        windowClass.background = Brush::Black;
        windowClass.className = "SmokeClass";
        atom = RegisterClass(&windowClass);
    }
    EXPECT_NE(atom, 0) << LastErrorText();
    received.clear();
    return CreateWindowEx(0, "SmokeClass", "Smoke Window", WS_POPUP | WS_VISIBLE, 0, 0,
                          GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                          nullptr, GetProgramInstance(), nullptr);
}

SDL_Window* SdlWindow() {
    return SDL_GetWindowFromID(sdl::WindowId());
}

void PushWindowEvent(SDL_WindowEventID what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(what);
    event.window.windowID = sdl::WindowId();
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

TEST(SdlSmoke, WindowDisplayKeyboardAndSound) {
    WindowHandle window = OpenGameWindow();
    ASSERT_NE(window, nullptr) << LastErrorText();
    ASSERT_NE(SdlWindow(), nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(SdlWindow()), "Smoke Window");
    EXPECT_EQ(received, std::vector<uint32_t>{WM_CREATE});
    ShowCursor(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    ShowCursor(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    // The display: a frame drawn into the back buffer and flipped.
    DisplayDevice* display = nullptr;
    ASSERT_EQ(CreateDisplay(nullptr, &display, nullptr), kOk) << LastErrorText();
    display->SetCooperativeLevel(
        window, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX);
    ASSERT_EQ(display->SetDisplayMode(640, 480, 8), kOk) << LastErrorText();
    SurfaceDesc primaryDesc;
    primaryDesc.size = sizeof primaryDesc;
    primaryDesc.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    primaryDesc.backBufferCount = 1;
    primaryDesc.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Surface* primary = nullptr;
    ASSERT_EQ(display->CreateSurface(&primaryDesc, &primary, nullptr), kOk) << LastErrorText();
    SurfaceCaps backCaps{DDSCAPS_BACKBUFFER};
    Surface* back = nullptr;
    ASSERT_EQ(primary->GetAttachedSurface(&backCaps, &back), kOk);
    PaletteEntry colours[256] = {};
    colours[7] = {0x30, 0xC0, 0x60, 0};
    Palette* palette = nullptr;
    ASSERT_EQ(display->CreatePalette(DDPCAPS_8BIT, colours, &palette, nullptr), kOk);
    primary->SetPalette(palette);

    SurfaceDesc lockDesc;
    lockDesc.size = sizeof lockDesc;
    ASSERT_EQ(back->Lock(nullptr, &lockDesc, DDLOCK_WAIT, nullptr), kOk);
    for (uint32_t y = 0; y < lockDesc.height; ++y) {
        std::memset(static_cast<uint8_t*>(lockDesc.surface) + y * lockDesc.pitch, 7,
                    lockDesc.width);
    }
    back->Unlock(nullptr);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);

    EXPECT_EQ(testing::ShownAt(SdlWindow(), 320, 240), 0x30C060u);

    // The keyboard: nobody is pressing anything.
    InputSystem* input = nullptr;
    ASSERT_EQ(CreateInput(GetProgramInstance(), kInputVersion, &input, nullptr), kOk);
    KeyboardDevice* keyboard = nullptr;
    ASSERT_EQ(input->CreateDevice(kSystemKeyboard, &keyboard, nullptr), kOk);
    ASSERT_EQ(keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), kOk);
    ASSERT_EQ(keyboard->SetDataFormat(&kKeyboardFormat), kOk);
    ASSERT_EQ(keyboard->Acquire(), kOk);
    std::array<uint8_t, 256> keys;
    keys.fill(0xFF);
    ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), kOk);
    EXPECT_EQ(keys, (std::array<uint8_t, 256>{}));

    // The sound: a 150 ms tone played once, which stops by itself at its end.
    SoundDevice* sound = nullptr;
    ASSERT_EQ(CreateSoundDevice(nullptr, &sound, nullptr), kOk) << LastErrorText();
    ASSERT_EQ(sound->SetCooperativeLevel(window, DSSCL_NORMAL), kOk);
    const WaveFormat format{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
    SoundBufferDesc bufferDesc;
    bufferDesc.size = sizeof bufferDesc;
    bufferDesc.flags = DSBCAPS_STATIC;
    bufferDesc.bufferBytes = kSampleRate * 150 / 1000;
    bufferDesc.format = &format;
    SoundBuffer* tone = nullptr;
    ASSERT_EQ(sound->CreateSoundBuffer(&bufferDesc, &tone, nullptr), kOk) << LastErrorText();
    void* first = nullptr;
    uint32_t firstBytes = 0;
    void* second = nullptr;
    uint32_t secondBytes = 0;
    ASSERT_EQ(tone->Lock(0, bufferDesc.bufferBytes, &first, &firstBytes, &second, &secondBytes, 0),
              kOk);
    for (uint32_t i = 0; i < firstBytes; ++i) {
        static_cast<uint8_t*>(first)[i] = (i / 25) % 2 != 0 ? 160 : 96;  // about 440 Hz
    }
    tone->Unlock(first, firstBytes, second, secondBytes);
    ASSERT_EQ(tone->Play(0, 0, 0), kOk);
    uint32_t status = 0;
    ASSERT_EQ(tone->GetStatus(&status), kOk);
    EXPECT_NE(status & DSBSTATUS_PLAYING, 0u);
    // The sound card's thread plays it at its own pace: give it two seconds.
    for (int wait = 0; wait < 200 && (status & DSBSTATUS_PLAYING) != 0; ++wait) {
        Sleep(10);
        tone->GetStatus(&status);
    }
    EXPECT_EQ(status & DSBSTATUS_PLAYING, 0u) << "played once, the tone ends by itself";

    // The window system's requests arrive as messages between reads.
    Message message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    PushWindowEvent(SDL_WINDOWEVENT_EXPOSED);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_PAINT);
    EXPECT_EQ(message.window, window);

    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    ASSERT_EQ(message.message, WM_CLOSE);
    received.clear();
    DispatchMessage(&message);  // the default handling destroys the window
    EXPECT_EQ(received, (std::vector<uint32_t>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SdlWindow(), nullptr);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_QUIT);

    // Whatever the game still does with a display whose window has gone is
    // harmless.
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);

    tone->Release();
    sound->Release();
    keyboard->Unacquire();
    keyboard->Release();
    input->Release();
    back->Release();
    primary->Release();
    display->Release();
}

TEST(SdlSmoke, AKeyboardWaitHandsOnTheEventItWokeFor) {
    WindowHandle window = OpenGameWindow();
    ASSERT_NE(window, nullptr) << LastErrorText();
    InputSystem* input = nullptr;
    ASSERT_EQ(CreateInput(GetProgramInstance(), kInputVersion, &input, nullptr), kOk);
    KeyboardDevice* keyboard = nullptr;
    ASSERT_EQ(input->CreateDevice(kSystemKeyboard, &keyboard, nullptr), kOk);
    keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
    keyboard->SetDataFormat(&kKeyboardFormat);
    keyboard->Acquire();
    Message message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    }

    // Two reads back to back: the second waits for an event, and the close
    // request it wakes for must still reach the game.
    std::array<uint8_t, 256> keys;
    ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), kOk);
    PushWindowEvent(SDL_WINDOWEVENT_CLOSE);
    ASSERT_EQ(keyboard->GetDeviceState(256, keys.data()), kOk);
    ASSERT_TRUE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, WM_CLOSE);

    keyboard->Release();
    input->Release();
    DestroyWindow(window);
}

}  // namespace
}  // namespace platform
