// The keyboard device: a snapshot of 256 key bytes taken from the backend.
#include "platform/input.h"

#include <cstring>
#include <new>

#include "platform/backend.h"

namespace platform {
namespace {

constexpr uint32_t kKeyCount = 256;

// Exactly one of each pair must be asked for.
bool ValidCooperativeLevel(uint32_t flags) {
    constexpr uint32_t kKnown =
        DISCL_EXCLUSIVE | DISCL_NONEXCLUSIVE | DISCL_FOREGROUND | DISCL_BACKGROUND;
    bool oneSharing = ((flags & DISCL_EXCLUSIVE) != 0) != ((flags & DISCL_NONEXCLUSIVE) != 0);
    bool oneFocus = ((flags & DISCL_FOREGROUND) != 0) != ((flags & DISCL_BACKGROUND) != 0);
    return (flags & ~kKnown) == 0 && oneSharing && oneFocus;
}

}  // namespace

Result CreateInput(InstanceHandle /*instance*/, uint32_t version, InputSystem** input,
                   void* outer) {
    if (input == nullptr) {
        return kErrInvalidParams;
    }
    *input = nullptr;
    if (outer != nullptr || version != kInputVersion) {
        return kErrInvalidParams;
    }
    if (backend::Fails(Fault::CreateInput)) {
        return kErrGeneric;
    }
    *input = new (std::nothrow) InputSystem;
    return *input != nullptr ? kOk : kErrOutOfMemory;
}

Result InputSystem::CreateDevice(DeviceId device, KeyboardDevice** keyboard, void* outer) {
    if (keyboard == nullptr) {
        return kErrInvalidParams;
    }
    *keyboard = nullptr;
    if (outer != nullptr) {
        return kErrInvalidParams;
    }
    if (device.value != kSystemKeyboard.value) {
        return kErrNoDevice;
    }
    if (backend::Fails(Fault::CreateKeyboard)) {
        return kErrGeneric;
    }
    *keyboard = new (std::nothrow) KeyboardDevice;
    return *keyboard != nullptr ? kOk : kErrOutOfMemory;
}

uint32_t InputSystem::Release() {
    uint32_t left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

Result KeyboardDevice::SetCooperativeLevel(WindowHandle /*window*/, uint32_t flags) {
    if (!ValidCooperativeLevel(flags)) {
        return kErrInvalidParams;
    }
    if (backend::Fails(Fault::SetKeyboardCooperativeLevel)) {
        return kErrGeneric;
    }
    cooperative_ = true;
    return kOk;
}

Result KeyboardDevice::SetDataFormat(const DataFormat* format) {
    if (format == nullptr || format->stateSize != kKeyboardFormat.stateSize) {
        return kErrInvalidParams;
    }
    // The format cannot change under a reader.
    if (acquired_) {
        return kErrGeneric;
    }
    if (backend::Fails(Fault::SetDataFormat)) {
        return kErrGeneric;
    }
    formatSet_ = true;
    return kOk;
}

Result KeyboardDevice::Acquire() {
    if (!formatSet_) {
        return kErrInvalidParams;
    }
    if (backend::Fails(Fault::Acquire)) {
        return kErrGeneric;
    }
    acquired_ = true;
    return kOk;
}

Result KeyboardDevice::Unacquire() {
    acquired_ = false;
    return kOk;
}

Result KeyboardDevice::GetDeviceState(uint32_t size, void* state) {
    if (state == nullptr || size != kKeyboardFormat.stateSize) {
        return kErrInvalidParams;
    }
    // Back-to-back reads wait for an event first, so a loop that does nothing
    // but poll lets the processor rest between polls.
    uint32_t now = backend::Ticks();
    if (hasRead_ && now == lastReadTick_) {
        backend::WaitForEvent(1);
        now = backend::Ticks();
    }
    lastReadTick_ = now;
    hasRead_ = true;
    backend::PumpEvents();

    if (!acquired_) {
        return kErrNotAcquired;
    }
    if (backend::Fails(Fault::GetDeviceState)) {
        return kErrNotAcquired;
    }
    uint8_t keys[kKeyCount] = {};
    if (!backend::ReadKeyboard(keys)) {
        return kErrGeneric;
    }
    std::memcpy(state, keys, sizeof keys);
    return kOk;
}

uint32_t KeyboardDevice::Release() {
    uint32_t left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

}  // namespace platform
