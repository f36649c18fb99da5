// Audio without a sound card: the mixer runs when a test pulls samples.
#include <cstdlib>
#include <cstring>

#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/headless/headless_state.h"
#include "platform/hosts/host.h"

namespace platform {
namespace {

struct AudioState {
    host::MixFunction mix = nullptr;
    void* context = nullptr;
    int lockDepth = 0;
};

AudioState& Audio() {
    static AudioState audio;
    return audio;
}

// A device left open by an earlier test is forgotten, never mixed again.
void ResetAudio() {
    Audio() = AudioState{};
}

const headless::ResetOnFreshMachine kResetAudio{&ResetAudio};

constexpr uint8_t kSilence = 128;

}  // namespace

bool host::OpenAudio(MixFunction mix, void* context) {
    if (mix == nullptr) {
        SetErrorText("no mixer was given");
        return false;
    }
    if (Audio().mix != nullptr) {
        SetErrorText("the audio output is already in use");
        return false;
    }
    Audio().mix = mix;
    Audio().context = context;
    return true;
}

void host::CloseAudio() {
    Audio().mix = nullptr;
    Audio().context = nullptr;
}

// One thread drives the headless game, so the lock only has to be balanced.
void host::LockAudio() {
    ++Audio().lockDepth;
}

void host::UnlockAudio() {
    --Audio().lockDepth;
}

void headless::PullAudio(uint8_t* samples, uint32_t count) {
    AudioState& audio = Audio();
    // A lock the game left held would stall the SDL host's audio thread.
    if (audio.lockDepth != 0) {
        std::abort();
    }
    if (audio.mix == nullptr) {
        std::memset(samples, kSilence, count);
        return;
    }
    host::LockAudio();
    audio.mix(audio.context, samples, count);
    host::UnlockAudio();
}

bool headless::AudioOpen() {
    return Audio().mix != nullptr;
}

void headless::LoseSoundBuffers() {
    detail::LoseSoundBuffers();
}

}  // namespace platform
