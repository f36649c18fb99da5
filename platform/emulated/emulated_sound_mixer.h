// Mixes the sound buffers that are playing into one stream of unsigned 8-bit
// samples. Runs with the audio lock held.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::detail {

inline constexpr uint8_t kSilence = 128;

// What the mixer needs of one sound buffer. Duplicates share samples.
struct Voice {
    std::shared_ptr<std::vector<uint8_t>> samples;
    uint32_t position = 0;
    bool playing = false;
    bool looping = false;
    bool lost = false;
};

class Mixer {
public:
    // Makes room for one more voice, so that Add cannot fail under the lock.
    void ReserveOneMore() { voices_.reserve(voices_.size() + 1); }
    void Add(Voice* voice);
    void Remove(Voice* voice);
    const std::vector<Voice*>& Voices() const { return voices_; }

    // Adds every playing voice around the midpoint, clips, and moves each
    // voice on. A voice played once stops at its end and goes back to 0.
    void Mix(uint8_t* samples, uint32_t count);

private:
    std::vector<Voice*> voices_;
};

}  // namespace platform::detail
