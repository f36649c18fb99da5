// The keyboard device: a snapshot of 256 key bytes taken from the backend.
#include "platform/input.h"

#include <cstring>
#include <new>

#include "platform/backend.h"
#include "platform/common/failure.h"
#include "platform/common/live_objects.h"

namespace platform {
namespace {

constexpr uint32_t kKeyCount = 256;

// The least time between two reads of a loop that does nothing but read, such
// as the pause. A key press still shows within this time, and the loop wakes
// the processor a hundred times a second instead of a thousand: on a virtual
// machine each wake-up costs tens of microseconds, which at a thousand a
// second is several percent of a core.
constexpr uint32_t kPollSpacingMilliseconds = 10;

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
        return detail::Refuse(kErrInvalidParams, "no keyboard input: unknown input version");
    }
    if (backend::Fails(Fault::CreateInput)) {
        return detail::Refuse(kErrGeneric, "no keyboard input: the input system could not start");
    }
    *input = new (std::nothrow) InputSystem;
    if (*input == nullptr) {
        return detail::Refuse(kErrOutOfMemory, "no keyboard input: out of memory");
    }
    detail::NoteMade(detail::LiveKind::InputSystem);
    return kOk;
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
        return detail::Refuse(kErrNoDevice, "no keyboard: only the system keyboard exists");
    }
    if (backend::Fails(Fault::CreateKeyboard)) {
        return detail::Refuse(kErrGeneric, "no keyboard: the keyboard device could not be made");
    }
    *keyboard = new (std::nothrow) KeyboardDevice;
    if (*keyboard == nullptr) {
        return detail::Refuse(kErrOutOfMemory, "no keyboard: out of memory");
    }
    detail::NoteMade(detail::LiveKind::KeyboardDevice);
    return kOk;
}

uint32_t InputSystem::Release() {
    uint32_t left = --references_;
    if (left == 0) {
        delete this;
        detail::NoteGone(detail::LiveKind::InputSystem);
    }
    return left;
}

Result KeyboardDevice::SetCooperativeLevel(WindowHandle /*window*/, uint32_t flags) {
    if (!ValidCooperativeLevel(flags)) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot share the keyboard: bad cooperative level");
    }
    if (backend::Fails(Fault::SetKeyboardCooperativeLevel)) {
        return detail::Refuse(kErrGeneric, "cannot share the keyboard: another program holds it");
    }
    cooperative_ = true;
    return kOk;
}

Result KeyboardDevice::SetDataFormat(const DataFormat* format) {
    if (format == nullptr || format->stateSize != kKeyboardFormat.stateSize) {
        return detail::Refuse(kErrInvalidParams, "cannot read the keyboard: unknown data format");
    }
    // The format cannot change under a reader.
    if (acquired_) {
        return detail::Refuse(kErrGeneric, "cannot change the keyboard format while it is read");
    }
    if (backend::Fails(Fault::SetDataFormat)) {
        return detail::Refuse(kErrGeneric, "cannot read the keyboard: the format was refused");
    }
    formatSet_ = true;
    return kOk;
}

Result KeyboardDevice::Acquire() {
    if (!formatSet_) {
        return detail::Refuse(kErrInvalidParams, "cannot read the keyboard: no data format set");
    }
    if (backend::Fails(Fault::Acquire)) {
        return detail::Refuse(kErrGeneric, "cannot read the keyboard: it could not be acquired");
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
    const uint32_t sinceLastRead = now - lastReadTick_;
    if (hasRead_ && sinceLastRead < kPollSpacingMilliseconds) {
        backend::WaitForEvent(kPollSpacingMilliseconds - sinceLastRead);
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
        detail::NoteGone(detail::LiveKind::KeyboardDevice);
    }
    return left;
}

}  // namespace platform
