// One sound buffer: its samples (perhaps shared with duplicates), its play
// position and status.
#include <algorithm>
#include <cstring>

#include "platform/common/live_objects.h"
#include "platform/common/sound_state.h"

namespace platform {

SoundBuffer::SoundBuffer(std::unique_ptr<State> state) : state_(std::move(state)) {
    detail::NoteMade(detail::LiveKind::SoundBuffer);
}

SoundBuffer::~SoundBuffer() {
    detail::NoteGone(detail::LiveKind::SoundBuffer);
}

Result SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes,
                         void** second, uint32_t* secondBytes, uint32_t flags) {
    if (first == nullptr || firstBytes == nullptr || flags != 0) {
        return kErrInvalidParams;
    }
    const auto size = static_cast<uint32_t>(state_->voice.samples->size());
    if (bytes == 0 || bytes > size || offset >= size) {
        return kErrInvalidParams;
    }
    uint32_t firstLength = std::min(bytes, size - offset);
    uint32_t secondLength = bytes - firstLength;
    if (secondLength != 0 && (second == nullptr || secondBytes == nullptr)) {
        return kErrInvalidParams;
    }
    if (state_->locked) {
        return kErrGeneric;
    }
    if (backend::Fails(Fault::LockSoundBuffer)) {
        return kErrGeneric;
    }
    {
        AudioLock lock;
        if (state_->voice.lost) {
            return kErrBufferLost;
        }
    }
    try {
        state_->staging.resize(bytes);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    // Only the game thread writes samples, so they can be read without the lock.
    const uint8_t* samples = state_->voice.samples->data();
    std::memcpy(state_->staging.data(), samples + offset, firstLength);
    std::memcpy(state_->staging.data() + firstLength, samples, secondLength);
    state_->locked = true;
    state_->lockOffset = offset;
    state_->lockFirstBytes = firstLength;
    state_->lockSecondBytes = secondLength;
    *first = state_->staging.data();
    *firstBytes = firstLength;
    if (second != nullptr) {
        *second = secondLength != 0 ? state_->staging.data() + firstLength : nullptr;
    }
    if (secondBytes != nullptr) {
        *secondBytes = secondLength;
    }
    return kOk;
}

Result SoundBuffer::Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) {
    uint8_t* staging = state_->staging.data();
    bool secondMatches = secondBytes == 0 || (second == staging + state_->lockFirstBytes &&
                                              secondBytes <= state_->lockSecondBytes);
    if (!state_->locked || first != staging || firstBytes > state_->lockFirstBytes ||
        !secondMatches) {
        return kErrInvalidParams;
    }
    state_->locked = false;
    AudioLock lock;
    // Memory taken away while the lock was out has nothing to write back to.
    if (state_->voice.lost) {
        return kErrBufferLost;
    }
    uint8_t* samples = state_->voice.samples->data();
    std::memcpy(samples + state_->lockOffset, staging, firstBytes);
    std::memcpy(samples, staging + state_->lockFirstBytes, secondBytes);
    return kOk;
}

Result SoundBuffer::Restore() {
    AudioLock lock;
    state_->voice.lost = false;
    return kOk;
}

Result SoundBuffer::GetStatus(uint32_t* status) {
    if (status == nullptr) {
        return kErrInvalidParams;
    }
    AudioLock lock;
    const detail::Voice& voice = state_->voice;
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

Result SoundBuffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags) {
    if (reserved != 0 || priority != 0 || (flags & ~DSBPLAY_LOOPING) != 0) {
        return kErrInvalidParams;
    }
    AudioLock lock;
    detail::Voice& voice = state_->voice;
    if (voice.lost) {
        return kErrBufferLost;
    }
    voice.playing = true;
    voice.looping = (flags & DSBPLAY_LOOPING) != 0;
    return kOk;
}

Result SoundBuffer::Stop() {
    AudioLock lock;
    state_->voice.playing = false;
    return kOk;
}

Result SoundBuffer::SetCurrentPosition(uint32_t position) {
    AudioLock lock;
    if (position >= state_->voice.samples->size()) {
        return kErrInvalidParams;
    }
    state_->voice.position = position;
    return kOk;
}

Result SoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
    if (play == nullptr && write == nullptr) {
        return kErrInvalidParams;
    }
    AudioLock lock;
    if (play != nullptr) {
        *play = state_->voice.position;
    }
    if (write != nullptr) {
        *write = state_->voice.position;
    }
    return kOk;
}

uint32_t SoundBuffer::AddRef() {
    return ++state_->references;
}

uint32_t SoundBuffer::Release() {
    uint32_t left = --state_->references;
    if (left != 0) {
        return left;
    }
    detail::DeviceCore* device = state_->device;
    {
        AudioLock lock;
        device->mixer.Remove(&state_->voice);
        std::erase(device->buffers, this);
    }
    delete this;
    return 0;
}

}  // namespace platform
