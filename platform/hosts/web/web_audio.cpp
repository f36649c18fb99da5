// The sound output: the game's mixer, run at the pace of the page's clock,
// hands its samples to the page (index.html), which plays them through Web
// Audio once the player's first key or click lets it.
//
// The browser runs the game's code only between its own tasks, and the game
// sleeps between frames and key reads, so the sound is mixed a little ahead
// at every sleep rather than pulled from another thread.
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/hosts/host.h"
#include "platform/hosts/web/web_page.h"
#include "platform/sound.h"

namespace platform {
namespace {

// Mixed ahead of the clock: more than the longest sleep between two of the
// game's steps (a frame's 40 ms), so the sound never runs dry between them.
constexpr uint64_t kLeadSamples = kSampleRate / 8;
// A page out of sight is given no time by the browser; when it comes back,
// the sound takes up from now instead of making up the lost seconds.
constexpr uint64_t kMostBehind = kSampleRate;
constexpr uint32_t kChunkSamples = 1024;
constexpr uint8_t kSilence = 128;

struct Output {
    bool open = false;
    host::MixFunction mix = nullptr;
    void* context = nullptr;
    double openedAt = 0;
    uint64_t mixed = 0;
};

Output output;

// clang-format off
EM_JS(void, HandSamplesToPage, (const uint8_t* samples, int count), {
    if (Module.onSound) {
        Module.onSound(HEAPU8.slice(samples, samples + count));
    }
});
// clang-format on

uint64_t SamplesDue() {
    const double elapsed = std::max(0.0, emscripten_get_now() - output.openedAt);
    return static_cast<uint64_t>(elapsed * kSampleRate / 1000.0) + kLeadSamples;
}

}  // namespace

void web::KeepSoundFed() {
    if (!output.open) {
        return;
    }
    const uint64_t due = SamplesDue();
    if (due > output.mixed + kMostBehind) {
        output.mixed = due - kLeadSamples;
    }
    std::array<uint8_t, kChunkSamples> chunk;
    while (output.mixed < due) {
        const auto count =
            static_cast<uint32_t>(std::min<uint64_t>(kChunkSamples, due - output.mixed));
        chunk.fill(kSilence);
        output.mix(output.context, chunk.data(), count);
        HandSamplesToPage(chunk.data(), static_cast<int>(count));
        output.mixed += count;
    }
}

bool host::OpenAudio(MixFunction mix, void* context) {
    if (output.open) {
        SetErrorText("the audio device is already open");
        return false;
    }
    if (mix == nullptr) {
        SetErrorText("cannot open the audio device: no mixer");
        return false;
    }
    output = Output{true, mix, context, emscripten_get_now(), 0};
    return true;
}

void host::CloseAudio() {
    output = Output{};
}

// The mixer runs only on the game's own thread, between its steps.
void host::LockAudio() {}
void host::UnlockAudio() {}

}  // namespace platform
