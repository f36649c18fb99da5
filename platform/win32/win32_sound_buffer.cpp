// One DirectSound buffer: its lock, status, play, stop and position.
#include "platform/win32/win32_sound.h"

#include <algorithm>

#include "platform/api/api_live_objects.h"
#include "platform/win32/win32_native.h"

namespace platform {

using win32::Refuse;

namespace {

Result Checked(HRESULT result, const char* what) {
    return FAILED(result) ? Refuse(result, what) : kOk;
}

}  // namespace

SoundBuffer::SoundBuffer(std::unique_ptr<State> state) : state_(std::move(state)) {
    detail::NoteMade(detail::LiveKind::SoundBuffer);
}

SoundBuffer::~SoundBuffer() {
    detail::NoteGone(detail::LiveKind::SoundBuffer);
}

Result SoundBuffer::Lock(uint32_t offset, uint32_t bytes, void** first, uint32_t* firstBytes,
                         void** second, uint32_t* secondBytes, uint32_t flags) {
    if (first == nullptr || firstBytes == nullptr) {
        return kErrInvalidParams;
    }
    DWORD firstLength = 0;
    DWORD secondLength = 0;
    void* secondRegion = nullptr;
    const HRESULT locked = state_->system->Lock(offset, bytes, first, &firstLength, &secondRegion,
                                                &secondLength, flags);
    if (FAILED(locked)) {
        return Refuse(locked, "cannot lock a sound buffer");
    }
    *firstBytes = firstLength;
    if (second != nullptr) {
        *second = secondRegion;
    }
    if (secondBytes != nullptr) {
        *secondBytes = secondLength;
    }
    return kOk;
}

Result SoundBuffer::Unlock(void* first, uint32_t firstBytes, void* second, uint32_t secondBytes) {
    return Checked(state_->system->Unlock(first, firstBytes, second, secondBytes),
                   "cannot unlock a sound buffer");
}

Result SoundBuffer::Restore() {
    return Checked(state_->system->Restore(), "cannot restore a sound buffer");
}

Result SoundBuffer::GetStatus(uint32_t* status) {
    if (status == nullptr) {
        return kErrInvalidParams;
    }
    DWORD system = 0;
    const HRESULT got = state_->system->GetStatus(&system);
    *status = system;
    return Checked(got, "cannot read a sound buffer's status");
}

Result SoundBuffer::Play(uint32_t reserved, uint32_t priority, uint32_t flags) {
    return Checked(state_->system->Play(reserved, priority, flags), "cannot play a sound");
}

Result SoundBuffer::Stop() {
    return Checked(state_->system->Stop(), "cannot stop a sound");
}

Result SoundBuffer::SetCurrentPosition(uint32_t position) {
    return Checked(state_->system->SetCurrentPosition(position), "cannot move in a sound");
}

Result SoundBuffer::GetCurrentPosition(uint32_t* play, uint32_t* write) {
    DWORD playing = 0;
    DWORD writing = 0;
    const HRESULT got = state_->system->GetCurrentPosition(&playing, &writing);
    if (play != nullptr) {
        *play = playing;
    }
    if (write != nullptr) {
        *write = writing;
    }
    return Checked(got, "cannot read a sound's position");
}

uint32_t SoundBuffer::AddRef() {
    return ++state_->references;
}

uint32_t SoundBuffer::Release() {
    const uint32_t left = --state_->references;
    if (left != 0) {
        return left;
    }
    std::erase(state_->device->buffers, this);
    state_->system->Release();
    delete this;
    return 0;
}

}  // namespace platform
