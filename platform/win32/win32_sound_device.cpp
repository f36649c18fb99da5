// The sound device on DirectSound: the default output, static buffers and
// their duplicates, all freed when the device goes.
#include "platform/win32/win32_sound.h"

#include <algorithm>
#include <new>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/win32/win32_native.h"

namespace platform {

using win32::Refuse;

namespace {

WAVEFORMATEX SystemFormat(const WaveFormat& format) {
    WAVEFORMATEX system{};
    system.wFormatTag = format.formatTag;
    system.nChannels = format.channels;
    system.nSamplesPerSec = format.samplesPerSec;
    system.nAvgBytesPerSec = format.avgBytesPerSec;
    system.nBlockAlign = format.blockAlign;
    system.wBitsPerSample = format.bitsPerSample;
    system.cbSize = 0;
    return system;
}

}  // namespace

Result CreateSoundDevice(const void* device, SoundDevice** sound, void* outer) {
    if (sound == nullptr) {
        return kErrInvalidParams;
    }
    *sound = nullptr;
    if (device != nullptr || outer != nullptr) {
        return kErrInvalidParams;
    }
    IDirectSound* system = nullptr;
    const HRESULT made = DirectSoundCreate(nullptr, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "no audio device");
    }
    auto* created = new SoundDevice;
    created->state_->system = system;
    *sound = created;
    return kOk;
}

SoundDevice::SoundDevice() : state_(new State) {
    detail::NoteMade(detail::LiveKind::SoundDevice);
}

SoundDevice::~SoundDevice() {
    detail::NoteGone(detail::LiveKind::SoundDevice);
}

Result SoundDevice::SetCooperativeLevel(WindowHandle window, uint32_t level) {
    const HRESULT set = state_->system->SetCooperativeLevel(win32::Native(window), level);
    return FAILED(set) ? Refuse(set, "cannot share the sound device") : kOk;
}

Result SoundDevice::CreateSoundBuffer(const SoundBufferDesc* description, SoundBuffer** buffer,
                                      void* outer) {
    if (buffer == nullptr) {
        return kErrInvalidParams;
    }
    *buffer = nullptr;
    if (description == nullptr || description->size != sizeof(SoundBufferDesc) ||
        description->format == nullptr || outer != nullptr) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot make a sound buffer: it needs a description and a format");
    }
    WAVEFORMATEX format = SystemFormat(*description->format);
    DSBUFFERDESC system{};
    system.dwSize = sizeof system;
    system.dwFlags = description->flags;
    system.dwBufferBytes = description->bufferBytes;
    system.dwReserved = description->reserved;
    system.lpwfxFormat = &format;
    IDirectSoundBuffer* made = nullptr;
    const HRESULT created = state_->system->CreateSoundBuffer(&system, &made, nullptr);
    if (FAILED(created)) {
        return Refuse(created, "cannot make a sound buffer");
    }
    auto state = std::make_unique<SoundBuffer::State>();
    state->system = made;
    return Adopt(std::move(state), buffer);
}

Result SoundDevice::DuplicateSoundBuffer(SoundBuffer* original, SoundBuffer** duplicate) {
    if (duplicate == nullptr) {
        return kErrInvalidParams;
    }
    *duplicate = nullptr;
    if (original == nullptr || original->state_->device != state_.get()) {
        return kErrInvalidParams;
    }
    IDirectSoundBuffer* made = nullptr;
    const HRESULT copied = state_->system->DuplicateSoundBuffer(original->state_->system, &made);
    if (FAILED(copied)) {
        return Refuse(copied, "cannot copy a sound buffer");
    }
    auto state = std::make_unique<SoundBuffer::State>();
    state->system = made;
    return Adopt(std::move(state), duplicate);
}

Result SoundDevice::Adopt(std::unique_ptr<SoundBuffer::State> state, SoundBuffer** buffer) {
    state->device = state_.get();
    auto* made = new SoundBuffer(std::move(state));
    state_->buffers.push_back(made);
    *buffer = made;
    return kOk;
}

uint32_t SoundDevice::AddRef() {
    return ++state_->references;
}

uint32_t SoundDevice::Release() {
    const uint32_t left = --state_->references;
    if (left != 0) {
        return left;
    }
    // The buffers go before the device that plays them.
    for (SoundBuffer* buffer : state_->buffers) {
        buffer->state_->system->Release();
        delete buffer;
    }
    state_->buffers.clear();
    state_->system->Release();
    delete this;
    return 0;
}

}  // namespace platform
