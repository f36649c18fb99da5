// Any file where a sound should be: reading its samples, making a sound of it
// with a copy, and playing, mixing and stopping that sound must never touch
// memory the sound does not own.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/sound_clip.h"
#include "fuzz/input_file.h"
#include "platform/hosts/headless/headless_control.h"

namespace {

// The sound device lives for the whole run, as it does in the game.
void SetUpSoundDevice() {
    static const bool ready = [] {
        platform::headless::Reset();
        return InitSoundDevice() == 1;
    }();
    if (!ready) {
        std::abort();
    }
}

// Reads every byte of the block a successful read claims to hold.
void TouchEverySample(const uint8_t* samples, int32_t count) {
    if (count <= 0) {
        return;
    }
    if (samples == nullptr) {
        std::abort();
    }
    volatile uint8_t sum = 0;
    for (int32_t i = 0; i < count; ++i) {
        sum = static_cast<uint8_t>(sum + samples[i]);
    }
}

void Mix(uint32_t count) {
    uint8_t samples[512];
    platform::headless::PullAudio(samples, count < sizeof samples ? count : sizeof samples);
}

// What the game does with its sounds: play once, play looped, pause and
// resume, stop and rewind, with the mixer running in between. The stretches
// mixed are short, but long enough for a short sound to end or loop in them.
void PlayLikeTheGame(Sound& sound) {
    sound.Play(0);
    Mix(100);
    sound.Play(1);
    sound.Play(1);
    Mix(160);
    sound.Stop();
    sound.Play(0);
    Mix(40);
    sound.StopAndRewind();
    Mix(10);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetUpSoundDevice();
    const char* file = fuzz::ServeInput("sound.wav", data, size);

    uint8_t* samples = nullptr;
    const int32_t count = ReadWaveFile(file, &samples);
    if (count < 0 || (count == 0 && samples != nullptr)) {
        std::abort();  // a failed read hands over no block
    }
    TouchEverySample(samples, count);
    delete[] samples;

    Sound sound;
    sound.Load(file, 2);
    PlayLikeTheGame(sound);
    return 0;
}
