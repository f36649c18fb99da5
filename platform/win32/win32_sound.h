// What the sound device's files share: the system's objects behind the
// platform's device and buffers.
#pragma once

#include "platform/win32/win32_windows_api.h"

#include <vector>

#include "platform/sound.h"

namespace platform {

struct SoundDevice::State {
    IDirectSound* system = nullptr;
    std::vector<SoundBuffer*> buffers;  // every buffer still made, freed with the device
    uint32_t references = 1;
};

struct SoundBuffer::State {
    IDirectSoundBuffer* system = nullptr;
    SoundDevice::State* device = nullptr;
    uint32_t references = 1;
};

}  // namespace platform
