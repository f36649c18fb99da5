// One emulated sound buffer: its samples (perhaps shared with duplicates),
// its play position and status.
#include <cstring>
#include <new>

#include "platform/driver/driver.h"
#include "platform/emulated/emulated_sound_state.h"

namespace platform::driver {

using emulated::AudioLock;
using emulated::BufferObject;

namespace {

BufferObject& Buffer(Native buffer) {
    return *static_cast<BufferObject*>(buffer);
}

}  // namespace

Result LockSoundBuffer(Native buffer, uint32_t offset, uint32_t firstBytes, uint32_t secondBytes,
                       void** first, void** second) {
    if (host::Fails(Fault::LockSoundBuffer)) {
        return detail::Refuse(kErrGeneric, "cannot lock a sound buffer: the sound card refused");
    }
    BufferObject& object = Buffer(buffer);
    {
        AudioLock lock;
        if (object.voice.lost) {
            return detail::Refuse(kErrBufferLost, "cannot lock a sound buffer: it was lost");
        }
    }
    try {
        object.staging.resize(firstBytes + secondBytes);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    // Only the game thread writes samples, so they can be read without the lock.
    const uint8_t* samples = object.voice.samples->data();
    std::memcpy(object.staging.data(), samples + offset, firstBytes);
    std::memcpy(object.staging.data() + firstBytes, samples, secondBytes);
    object.lockOffset = offset;
    object.lockFirstBytes = firstBytes;
    *first = object.staging.data();
    *second = object.staging.data() + firstBytes;
    return kOk;
}

Result UnlockSoundBuffer(Native buffer, void* /*first*/, uint32_t firstBytes, void* /*second*/,
                         uint32_t secondBytes) {
    BufferObject& object = Buffer(buffer);
    AudioLock lock;
    // Memory taken away while the lock was out has nothing to write back to.
    if (object.voice.lost) {
        return detail::Refuse(kErrBufferLost, "cannot unlock a sound buffer: it was lost");
    }
    uint8_t* samples = object.voice.samples->data();
    std::memcpy(samples + object.lockOffset, object.staging.data(), firstBytes);
    std::memcpy(samples, object.staging.data() + object.lockFirstBytes, secondBytes);
    return kOk;
}

Result RestoreSoundBuffer(Native buffer) {
    AudioLock lock;
    Buffer(buffer).voice.lost = false;
    return kOk;
}

Result SoundBufferStatus(Native buffer, uint32_t* status) {
    AudioLock lock;
    const detail::Voice& voice = Buffer(buffer).voice;
    *status = 0;
    if (voice.playing) {
        *status |= DSBSTATUS_PLAYING;
        if (voice.looping) {
            *status |= DSBSTATUS_LOOPING;
        }
    }
    if (voice.lost) {
        *status |= DSBSTATUS_BUFFERLOST;
    }
    return kOk;
}

Result PlaySoundBuffer(Native buffer, bool looping) {
    AudioLock lock;
    detail::Voice& voice = Buffer(buffer).voice;
    if (voice.lost) {
        return detail::Refuse(kErrBufferLost, "cannot play a sound: its buffer was lost");
    }
    voice.playing = true;
    voice.looping = looping;
    return kOk;
}

Result StopSoundBuffer(Native buffer) {
    AudioLock lock;
    Buffer(buffer).voice.playing = false;
    return kOk;
}

Result SetSoundBufferPosition(Native buffer, uint32_t position) {
    AudioLock lock;
    Buffer(buffer).voice.position = position;
    return kOk;
}

}  // namespace platform::driver
