// The whole platform layer set up as the game sets it up on the SDL host,
// with the window system's requests arriving as messages and devices lost.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "platform/display.h"
#include "platform/hosts/sdl/sdl_session.h"
#include "platform/input.h"
#include "platform/keys.h"
#include "platform/result.h"
#include "platform/sound.h"
#include "platform/time.h"
#include "platform/window.h"

namespace platform {
namespace {

// No test of this program opens a real screen or sound card.
struct DummyDrivers : ::testing::Environment {
    void SetUp() override {
        SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
    }
};
const auto* const kDummyDrivers = ::testing::AddGlobalTestEnvironment(new DummyDrivers);

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

class SdlSession : public ::testing::Test {
protected:
    void SetUp() override {
        static const uint16_t atom = [] {
            WindowClass windowClass;
            windowClass.procedure = RecordingProcedure;
            windowClass.className = "SmokeClass";
            return RegisterClass(&windowClass);
        }();
        ASSERT_NE(atom, 0) << LastErrorText();
        window = CreateWindowEx(0, "SmokeClass", "Smoke Window", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                nullptr, nullptr, GetProgramInstance(), nullptr);
        ASSERT_NE(window, nullptr) << LastErrorText();
        ASSERT_EQ(CreateDisplay(nullptr, &display, nullptr), kOk) << LastErrorText();
        display->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        ASSERT_EQ(display->SetDisplayMode(640, 480, 8), kOk) << LastErrorText();
        const SurfaceDesc chain{.size = sizeof(SurfaceDesc),
                                .flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                .backBufferCount = 1,
                                .caps = {DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX}};
        ASSERT_EQ(display->CreateSurface(&chain, &primary, nullptr), kOk) << LastErrorText();
        ASSERT_EQ(CreateInput(GetProgramInstance(), kInputVersion, &input, nullptr), kOk);
        ASSERT_EQ(input->CreateDevice(kSystemKeyboard, &keyboard, nullptr), kOk);
        ASSERT_EQ(keyboard->SetDataFormat(&kKeyboardFormat), kOk);
        ASSERT_EQ(keyboard->Acquire(), kOk);
        ASSERT_EQ(CreateSoundDevice(nullptr, &sound, nullptr), kOk) << LastErrorText();
        TakeMessages();
        received.clear();
    }

    // Releases what SetUp made, however far it got.
    void TearDown() override {
        if (sound != nullptr) {
            EXPECT_EQ(sound->Release(), 0u);  // with the buffers left to it
        }
        const auto release = [](auto* object) {
            if (object != nullptr) {
                object->Release();
            }
        };
        release(keyboard);
        release(input);
        release(primary);
        release(display);
        if (window != nullptr) {
            DestroyWindow(window);
        }
    }

    SoundBuffer* PlayTone(uint32_t bytes, uint32_t flags) {
        static const WaveFormat format{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
        const SoundBufferDesc description{.size = sizeof(SoundBufferDesc),
                                          .flags = DSBCAPS_STATIC,
                                          .bufferBytes = bytes,
                                          .format = &format};
        SoundBuffer* tone = nullptr;
        EXPECT_EQ(sound->CreateSoundBuffer(&description, &tone, nullptr), kOk) << LastErrorText();
        void* samples = nullptr;
        EXPECT_EQ(tone->Lock(0, bytes, &samples, &bytes, nullptr, nullptr, 0), kOk);
        std::memset(samples, 160, bytes);
        tone->Unlock(samples, bytes, nullptr, 0);
        EXPECT_EQ(tone->Play(0, 0, flags), kOk);
        return tone;
    }

    // Reads the keys, which also takes in the window system's events.
    Keys Read() {
        Keys keys;
        keys.fill(0xFF);
        EXPECT_EQ(keyboard->GetDeviceState(256, keys.data()), kOk);
        return keys;
    }

    WindowHandle window = nullptr;
    DisplayDevice* display = nullptr;
    Surface* primary = nullptr;
    InputSystem* input = nullptr;
    KeyboardDevice* keyboard = nullptr;
    SoundDevice* sound = nullptr;
};

// The news of the sound card gone mid-run tells the window nothing and leaves
// every sound call the game makes later harmless, up to shut-down.
TEST_F(SdlSession, SoundCallsStayHarmlessAfterTheSoundCardIsReportedGone) {
    SoundBuffer* music = PlayTone(kSampleRate, DSBPLAY_LOOPING);
    SDL_Event removed{};
    removed.type = SDL_AUDIODEVICEREMOVED;
    for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
            removed.adevice.which = id;
        }
    }
    ASSERT_NE(removed.adevice.which, 0u) << "no playing sound output";
    ASSERT_EQ(SDL_PushEvent(&removed), 1);
    Read();
    EXPECT_EQ(TakeMessages(), Messages{});
    EXPECT_EQ(music->Stop(), kOk);
    EXPECT_EQ(music->Play(0, 0, 0), kOk);
    SoundBuffer* effect = PlayTone(kSampleRate / 10, 0);
    Sleep(30);
    EXPECT_EQ(music->SetCurrentPosition(0), kOk);
    EXPECT_EQ(effect->Stop(), kOk);
}

// A held key shows until the window loses the keyboard, after which no
// key-up would come for it; while away and after the focus comes back the
// screen flips, and nothing but a close ends the game. (Taps and held keys
// between reads are the contract of every driver: tests/contract.)
TEST_F(SdlSession, TheFocusLostLetsGoOfHeldKeysAndOnlyACloseEndsTheGame) {
    // The window system's own key events must reach the queue; the one
    // below is put there directly.
    ASSERT_EQ(SDL_EventState(SDL_KEYDOWN, SDL_QUERY), SDL_ENABLE);
    PushKeyDown(SDL_SCANCODE_LEFT);
    PushKeyDown(SDL_SCANCODE_VOLUMEUP);
    Keys held{};
    held[DIK_LEFT] = kKeyDown;
    EXPECT_EQ(Read(), held);
    EXPECT_EQ(Read(), held);
    PushWindowEvents(
        {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_HIDDEN});
    EXPECT_EQ(Read(), Keys{});
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk) << "flipping while away";
    PushWindowEvents(
        {SDL_WINDOWEVENT_SHOWN, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_FOCUS_GAINED});
    EXPECT_EQ(Read(), Keys{});
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    for (uint32_t taken : TakeMessages()) {
        EXPECT_TRUE(taken != WM_CLOSE && taken != WM_QUIT) << "nothing asks the game to close";
    }
    EXPECT_TRUE(IsWindow(window));
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
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
}

}  // namespace
}  // namespace platform
