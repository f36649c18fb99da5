#include "platform/emulated/emulated_sound_mixer.h"

#include <algorithm>
#include <array>

namespace platform::detail {
namespace {

constexpr uint32_t kBlock = 512;

void AddVoice(Voice& voice, int32_t* sums, uint32_t count) {
    const std::vector<uint8_t>& samples = *voice.samples;
    const auto size = static_cast<uint32_t>(samples.size());
    uint32_t done = 0;
    while (done < count) {
        uint32_t take = std::min(count - done, size - voice.position);
        const uint8_t* from = samples.data() + voice.position;
        for (uint32_t i = 0; i < take; ++i) {
            sums[done + i] += static_cast<int32_t>(from[i]) - kSilence;
        }
        done += take;
        voice.position += take;
        if (voice.position == size) {
            voice.position = 0;
            if (!voice.looping) {
                voice.playing = false;
                return;
            }
        }
    }
}

}  // namespace

void Mixer::Add(Voice* voice) {
    voices_.push_back(voice);
}

void Mixer::Remove(Voice* voice) {
    std::erase(voices_, voice);
}

void Mixer::Mix(uint8_t* samples, uint32_t count) {
    std::array<int32_t, kBlock> sums;
    for (uint32_t start = 0; start < count; start += kBlock) {
        uint32_t length = std::min(kBlock, count - start);
        std::fill_n(sums.begin(), length, 0);
        for (Voice* voice : voices_) {
            if (voice->playing) {
                AddVoice(*voice, sums.data(), length);
            }
        }
        for (uint32_t i = 0; i < length; ++i) {
            samples[start + i] = static_cast<uint8_t>(std::clamp(sums[i] + kSilence, 0, 255));
        }
    }
}

}  // namespace platform::detail
