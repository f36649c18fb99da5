// The emulated sound device and its buffers behind the driver's opaque
// pointers. The mixer reads this state on the audio thread, so the game
// thread changes it only under the audio lock.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/emulated/emulated_sound_mixer.h"
#include "platform/hosts/host.h"

namespace platform::emulated {

class AudioLock {
public:
    AudioLock() { host::LockAudio(); }
    ~AudioLock() { host::UnlockAudio(); }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;
};

struct SoundObject {
    detail::Mixer mixer;
};

struct BufferObject {
    detail::Voice voice;
    // A lock hands out a copy of the locked bytes; the unlock writes it back
    // under the audio lock, so the mixer never reads samples mid-write.
    uint32_t lockOffset = 0;
    uint32_t lockFirstBytes = 0;
    std::vector<uint8_t> staging;
};

}  // namespace platform::emulated
