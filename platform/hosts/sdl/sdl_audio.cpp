// The sound output: one SDL audio device that pulls unsigned 8-bit mono
// samples at 22050 per second from the game's mixer. SDL converts them to
// whatever the sound card wants.
#include <SDL.h>

#include <cstring>
#include <string>

#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_session.h"
#include "platform/sound.h"

namespace platform {
namespace {

struct Output {
    SDL_AudioDeviceID device = 0;
    host::MixFunction mix = nullptr;
    void* context = nullptr;
};

Output output;

// Short enough that a sound starts within about 25 ms of the game asking.
constexpr Uint16 kBufferSamples = 512;
constexpr Uint8 kSilence = 128;

// The game cannot run without a sound device, but SDL's dummy one will do.
void ReportFailure(const char* what) {
    host::SetErrorText((std::string(what) + ": " + SDL_GetError() +
                        " (to play without sound, start the game with SDL_AUDIODRIVER=dummy)")
                           .c_str());
}

// Runs on SDL's audio thread with the device locked.
void FillBuffer(void* userdata, Uint8* stream, int length) {
    auto* out = static_cast<Output*>(userdata);
    // A mixer that writes nothing leaves silence rather than stale samples.
    std::memset(stream, kSilence, static_cast<size_t>(length));
    out->mix(out->context, stream, static_cast<uint32_t>(length));
}

}  // namespace

bool host::OpenAudio(MixFunction mix, void* context) {
    if (output.device != 0) {
        SetErrorText("the audio device is already open");
        return false;
    }
    if (mix == nullptr) {
        SetErrorText("cannot open the audio device: no mixer");
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        ReportFailure("SDL audio did not start");
        return false;
    }
    sdl::StopSoundAtExit();
    output.mix = mix;
    output.context = context;
    SDL_AudioSpec wanted{};
    wanted.freq = static_cast<int>(kSampleRate);
    wanted.format = AUDIO_U8;
    wanted.channels = 1;
    wanted.samples = kBufferSamples;
    wanted.callback = FillBuffer;
    wanted.userdata = &output;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts our format to the card's.
    output.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (output.device == 0) {
        ReportFailure("the audio output did not open");
        output = Output{};
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(output.device, 0);
    return true;
}

void host::CloseAudio() {
    if (output.device == 0) {
        return;
    }
    // Waits for a callback under way, so the mixer is not entered again.
    SDL_CloseAudioDevice(output.device);
    output = Output{};
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void host::LockAudio() {
    if (output.device != 0) {
        SDL_LockAudioDevice(output.device);
    }
}

void host::UnlockAudio() {
    if (output.device != 0) {
        SDL_UnlockAudioDevice(output.device);
    }
}

}  // namespace platform
