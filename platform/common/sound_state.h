// The inside of the sound device and its buffers, shared by the files that
// implement them. The mixer reads this state on the audio thread, so the game
// thread changes it only under the audio lock.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/common/sound_mixer.h"
#include "platform/sound.h"

namespace platform {

class AudioLock {
public:
    AudioLock() { backend::LockAudio(); }
    ~AudioLock() { backend::UnlockAudio(); }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;
};

namespace detail {

// Kept outside SoundDevice so that the mixer callback and the loss of buffers,
// which are not members, can reach it.
struct DeviceCore {
    Mixer mixer;
    std::vector<SoundBuffer*> buffers;
    uint32_t references = 1;
};

}  // namespace detail

struct SoundDevice::State : detail::DeviceCore {};

struct SoundBuffer::State {
    detail::DeviceCore* device = nullptr;
    detail::Voice voice;
    uint32_t references = 1;

    // A lock hands out a copy of the locked bytes; the unlock writes it back
    // under the audio lock, so the mixer never reads samples mid-write.
    bool locked = false;
    uint32_t lockOffset = 0;
    uint32_t lockFirstBytes = 0;
    uint32_t lockSecondBytes = 0;
    std::vector<uint8_t> staging;
};

}  // namespace platform
