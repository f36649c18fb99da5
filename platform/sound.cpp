// The sound device and its buffers: checks, locks, references and live-object
// counts, the same on every driver.
#include "platform/sound.h"

#include <algorithm>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/driver/driver.h"

namespace platform {

using detail::Refuse;

namespace {

constexpr uint32_t kLargestBuffer = 0x0FFFFFFFu;

bool IsPlayableFormat(const WaveFormat& format) {
    return format.formatTag == WAVE_FORMAT_PCM && format.channels == 1 &&
           format.samplesPerSec == kSampleRate && format.avgBytesPerSec == kSampleRate &&
           format.blockAlign == 1 && format.bitsPerSample == 8;
}

bool IsValidDescription(const SoundBufferDesc& description) {
    return description.size == sizeof(SoundBufferDesc) &&
           (description.flags & ~DSBCAPS_STATIC) == 0 && description.bufferBytes >= 1 &&
           description.bufferBytes <= kLargestBuffer && description.reserved == 0 &&
           description.format != nullptr && IsPlayableFormat(*description.format);
}

}  // namespace

Result CreateSoundDevice(const void* device, SoundDevice** sound, void* outer) {
    if (sound == nullptr) {
        return kErrInvalidParams;
    }
    *sound = nullptr;
    if (device != nullptr || outer != nullptr) {
        return Refuse(kErrInvalidParams, "no audio device: only the default one exists");
    }
    driver::Native native = nullptr;
    const Result opened = driver::OpenSound(&native);
    if (Failed(opened)) {
        return opened;
    }
    *sound = new SoundDevice(native);
    detail::NoteMade(detail::LiveKind::SoundDevice);
    return kOk;
}

SoundDevice::~SoundDevice() {
    // The buffers go before the device that plays them.
    for (SoundBuffer* buffer : buffers_) {
        delete buffer;
    }
    driver::CloseSound(native_);
    detail::NoteGone(detail::LiveKind::SoundDevice);
}

Result SoundDevice::SetCooperativeLevel(WindowHandle window, uint32_t level) {
    if (level != DSSCL_NORMAL) {
        return Refuse(kErrInvalidParams, "cannot share the sound device: unknown level");
    }
    return driver::SetSoundCooperativeLevel(native_, window, level);
}

Result SoundDevice::CreateSoundBuffer(const SoundBufferDesc* description, SoundBuffer** buffer,
                                      void* outer) {
    if (buffer == nullptr) {
        return kErrInvalidParams;
    }
    *buffer = nullptr;
    if (description == nullptr || outer != nullptr || !IsValidDescription(*description)) {
        return Refuse(kErrInvalidParams,
                      "cannot make a sound buffer: only 8-bit mono at 22050 per second");
    }
    driver::Native made = nullptr;
    const Result created = driver::CreateSoundBuffer(native_, description->bufferBytes, &made);
    if (Failed(created)) {
        return created;
    }
    return Adopt(made, description->bufferBytes, buffer);
}

Result SoundDevice::DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** duplicate) {
    if (duplicate == nullptr) {
        return kErrInvalidParams;
    }
    *duplicate = nullptr;
    if (original == nullptr || original->device_ != this) {
        return Refuse(kErrInvalidParams, "cannot copy a sound buffer: it is not this device's");
    }
    driver::Native made = nullptr;
    const Result copied = driver::DuplicateSoundBuffer(native_, original->native_, &made);
    if (Failed(copied)) {
        return copied;
    }
    return Adopt(made, original->bytes_, duplicate);
}

Result SoundDevice::Adopt(void* native, uint32_t bytes, SoundBuffer** buffer) {
    buffers_.push_back(new SoundBuffer(this, native, bytes));
    *buffer = buffers_.back();
    return kOk;
}

uint32_t SoundDevice::Release() {
    const uint32_t left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

SoundBuffer::SoundBuffer(SoundDevice* device, void* native, uint32_t bytes)
    : device_(device), native_(native), bytes_(bytes) {
    detail::NoteMade(detail::LiveKind::SoundBuffer);
}

SoundBuffer::~SoundBuffer() {
    driver::ReleaseSoundBuffer(device_->native_, native_);
    detail::NoteGone(detail::LiveKind::SoundBuffer);
}

Result SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes,
                         void** second, uint32_t* secondBytes, uint32_t flags) {
    if (first == nullptr || firstBytes == nullptr || flags != 0) {
        return Refuse(kErrInvalidParams, "cannot lock a sound buffer: no place for the bytes");
    }
    if (bytes == 0 || bytes > bytes_ || offset >= bytes_) {
        return Refuse(kErrInvalidParams, "cannot lock a sound buffer: the bytes lie outside it");
    }
    const uint32_t firstLength = std::min(bytes, bytes_ - offset);
    const uint32_t secondLength = bytes - firstLength;
    if (secondLength != 0 && (second == nullptr || secondBytes == nullptr)) {
        return Refuse(kErrInvalidParams, "cannot lock a sound buffer: no place for the rest");
    }
    if (locked_) {
        return Refuse(kErrGeneric, "cannot lock a sound buffer: it is locked already");
    }
    void* firstRegion = nullptr;
    void* secondRegion = nullptr;
    const Result locked = driver::LockSoundBuffer(native_, offset, firstLength, secondLength,
                                                  &firstRegion, &secondRegion);
    if (Failed(locked)) {
        return locked;
    }
    locked_ = true;
    lockFirst_ = firstRegion;
    lockFirstBytes_ = firstLength;
    lockSecond_ = secondLength != 0 ? secondRegion : nullptr;
    lockSecondBytes_ = secondLength;
    *first = lockFirst_;
    *firstBytes = firstLength;
    if (second != nullptr) {
        *second = lockSecond_;
    }
    if (secondBytes != nullptr) {
        *secondBytes = secondLength;
    }
    return kOk;
}

Result SoundBuffer::Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) {
    const bool secondMatches =
        secondBytes == 0 || (second == lockSecond_ && secondBytes <= lockSecondBytes_);
    if (!locked_ || first != lockFirst_ || firstBytes > lockFirstBytes_ || !secondMatches) {
        return Refuse(kErrInvalidParams, "cannot unlock a sound buffer: not the lock it gave");
    }
    locked_ = false;
    return driver::UnlockSoundBuffer(native_, first, firstBytes, second, secondBytes);
}

Result SoundBuffer::Restore() {
    return driver::RestoreSoundBuffer(native_);
}

Result SoundBuffer::GetStatus(uint32_t* status) {
    if (status == nullptr) {
        return kErrInvalidParams;
    }
    *status = 0;
    return driver::SoundBufferStatus(native_, status);
}

Result SoundBuffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags) {
    if (reserved != 0 || priority != 0 || (flags & ~DSBPLAY_LOOPING) != 0) {
        return Refuse(kErrInvalidParams, "cannot play a sound: unknown flags");
    }
    return driver::PlaySoundBuffer(native_, (flags & DSBPLAY_LOOPING) != 0);
}

Result SoundBuffer::Stop() {
    return driver::StopSoundBuffer(native_);
}

Result SoundBuffer::SetCurrentPosition(uint32_t position) {
    if (position >= bytes_) {
        return Refuse(kErrInvalidParams, "cannot move in a sound: past its end");
    }
    return driver::SetSoundBufferPosition(native_, position);
}

uint32_t SoundBuffer::Release() {
    const uint32_t left = --references_;
    if (left == 0) {
        std::erase(device_->buffers_, this);
        delete this;
    }
    return left;
}

}  // namespace platform
