// The real backend when the sound card goes away or the window loses the
// focus in the middle of a run, under SDL's dummy drivers. A dummy sound card
// cannot really be pulled out; what can be checked is that the news of it
// arriving mid-run changes nothing the game relies on, and that every sound
// call after it stays harmless until shut-down.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/display.h"
#include "platform/input.h"
#include "platform/sdl/session.h"
#include "platform/sound.h"
#include "platform/time.h"
#include "platform/window.h"

namespace platform {
namespace {

WindowHandle OpenWindow() {
    static uint16_t atom = 0;
    if (atom == 0) {
        WindowClass windowClass;
        windowClass.procedure = DefWindowProc;
        windowClass.instance = GetProgramInstance();
        windowClass.className = "DeviceLossClass";
        atom = RegisterClass(&windowClass);
    }
    return CreateWindowEx(0, "DeviceLossClass", "Device Loss", WS_POPUP | WS_VISIBLE, 0, 0, 640,
                          480, nullptr, nullptr, GetProgramInstance(), nullptr);
}

// The SDL id of the sound output the backend opened: the one that plays.
SDL_AudioDeviceID OpenedAudioDevice() {
    for (SDL_AudioDeviceID id = 1; id < 64; ++id) {
        if (SDL_GetAudioDeviceStatus(id) == SDL_AUDIO_PLAYING) {
            return id;
        }
    }
    return 0;
}

void Push(const SDL_Event& event) {
    SDL_Event copy = event;
    ASSERT_EQ(SDL_PushEvent(&copy), 1) << SDL_GetError();
}

void PushWindowEvent(SDL_WindowEventID what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = static_cast<Uint8>(what);
    event.window.windowID = sdl::WindowId();
    Push(event);
}

class Keyboard {
public:
    explicit Keyboard(WindowHandle window) {
        EXPECT_EQ(CreateInput(GetProgramInstance(), kInputVersion, &input_, nullptr), kOk);
        EXPECT_EQ(input_->CreateDevice(kSystemKeyboard, &device_, nullptr), kOk);
        device_->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
        device_->SetDataFormat(&kKeyboardFormat);
        device_->Acquire();
    }
    ~Keyboard() {
        device_->Unacquire();
        device_->Release();
        input_->Release();
    }
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // Reads the keys, which also takes in the window system's events.
    std::array<uint8_t, 256> Read() {
        std::array<uint8_t, 256> keys;
        keys.fill(0xFF);
        EXPECT_EQ(device_->GetDeviceState(256, keys.data()), kOk);
        return keys;
    }

private:
    InputSystem* input_ = nullptr;
    KeyboardDevice* device_ = nullptr;
};

SoundBuffer* MakeTone(SoundDevice* sound, uint32_t bytes) {
    static const WaveFormat format{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
    SoundBufferDesc description;
    description.size = sizeof description;
    description.flags = DSBCAPS_STATIC;
    description.bufferBytes = bytes;
    description.format = &format;
    SoundBuffer* tone = nullptr;
    EXPECT_EQ(sound->CreateSoundBuffer(&description, &tone, nullptr), kOk) << LastErrorText();
    void* first = nullptr;
    uint32_t firstBytes = 0;
    void* second = nullptr;
    uint32_t secondBytes = 0;
    if (tone != nullptr &&
        tone->Lock(0, bytes, &first, &firstBytes, &second, &secondBytes, 0) == kOk) {
        for (uint32_t i = 0; i < firstBytes; ++i) {
            static_cast<uint8_t*>(first)[i] = (i / 25) % 2 != 0 ? 160 : 96;
        }
        tone->Unlock(first, firstBytes, second, secondBytes);
    }
    return tone;
}

TEST(SdlDeviceLoss, SoundCallsStayHarmlessAfterTheSoundCardIsReportedGone) {
    WindowHandle window = OpenWindow();
    ASSERT_NE(window, nullptr) << LastErrorText();
    Keyboard keyboard(window);
    SoundDevice* sound = nullptr;
    ASSERT_EQ(CreateSoundDevice(nullptr, &sound, nullptr), kOk) << LastErrorText();
    SoundBuffer* music = MakeTone(sound, kSampleRate);
    ASSERT_NE(music, nullptr);
    ASSERT_EQ(music->Play(0, 0, DSBPLAY_LOOPING), kOk);

    const SDL_AudioDeviceID output = OpenedAudioDevice();
    ASSERT_NE(output, 0u) << "no playing sound output";
    SDL_Event removed{};
    removed.type = SDL_AUDIODEVICEREMOVED;
    removed.adevice.which = output;
    removed.adevice.iscapture = 0;
    Push(removed);
    keyboard.Read();
    Message message;
    EXPECT_FALSE(PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) << "the window was not told";

    // What the game does with its sounds later on: pause and resume the
    // music, play an effect, rewind everything, make one more sound.
    EXPECT_EQ(music->Stop(), kOk);
    EXPECT_EQ(music->Play(0, 0, 0), kOk);
    uint32_t status = 0;
    EXPECT_EQ(music->GetStatus(&status), kOk);
    SoundBuffer* effect = MakeTone(sound, kSampleRate / 10);
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->Play(0, 0, 0), kOk);
    Sleep(30);
    EXPECT_EQ(music->Stop(), kOk);
    EXPECT_EQ(music->SetCurrentPosition(0), kOk);
    EXPECT_EQ(effect->Stop(), kOk);

    // Shut-down after the loss ends cleanly.
    effect->Release();
    music->Release();
    EXPECT_EQ(sound->Release(), 0u);
    DestroyWindow(window);
}

TEST(SdlDeviceLoss, LosingAndRegainingTheFocusLeavesNoKeyDownAndTheScreenFlipping) {
    WindowHandle window = OpenWindow();
    ASSERT_NE(window, nullptr) << LastErrorText();
    Keyboard keyboard(window);
    DisplayDevice* display = nullptr;
    ASSERT_EQ(CreateDisplay(nullptr, &display, nullptr), kOk) << LastErrorText();
    display->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    ASSERT_EQ(display->SetDisplayMode(640, 480, 8), kOk) << LastErrorText();
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.backBufferCount = 1;
    description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Surface* primary = nullptr;
    ASSERT_EQ(display->CreateSurface(&description, &primary, nullptr), kOk);
    Message message;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
    }

    for (SDL_WindowEventID what :
         {SDL_WINDOWEVENT_FOCUS_LOST, SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_HIDDEN}) {
        PushWindowEvent(what);
    }
    EXPECT_EQ(keyboard.Read(), (std::array<uint8_t, 256>{}));
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk) << "flipping while away";
    for (SDL_WindowEventID what :
         {SDL_WINDOWEVENT_SHOWN, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_FOCUS_GAINED}) {
        PushWindowEvent(what);
    }
    EXPECT_EQ(keyboard.Read(), (std::array<uint8_t, 256>{}));
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    // None of it asks the game to close.
    std::vector<uint32_t> messages;
    while (PeekMessage(&message, nullptr, 0, 0, PM_REMOVE)) {
        messages.push_back(message.message);
    }
    for (uint32_t taken : messages) {
        EXPECT_NE(taken, WM_CLOSE);
        EXPECT_NE(taken, WM_QUIT);
    }
    EXPECT_TRUE(IsWindow(window));

    primary->Release();
    display->Release();
    DestroyWindow(window);
}

}  // namespace
}  // namespace platform
