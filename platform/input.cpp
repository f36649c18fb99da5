// The input system and the keyboard device: checks, states, references and
// the spacing of back-to-back reads, the same on every driver.
#include "platform/input.h"

#include <cstring>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/driver/driver.h"

namespace platform {

using detail::Refuse;

namespace {

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

Result CreateInput(InstanceHandle instance, uint32_t version, InputSystem** input, void* outer) {
    if (input == nullptr) {
        return kErrInvalidParams;
    }
    *input = nullptr;
    if (outer != nullptr || version != kInputVersion) {
        return Refuse(kErrInvalidParams, "no keyboard input: unknown input version");
    }
    driver::Native native = nullptr;
    const Result opened = driver::OpenInput(instance, &native);
    if (Failed(opened)) {
        return opened;
    }
    *input = new InputSystem(native);
    detail::NoteMade(detail::LiveKind::InputSystem);
    return kOk;
}

InputSystem::~InputSystem() {
    driver::CloseInput(native_);
    detail::NoteGone(detail::LiveKind::InputSystem);
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
        return Refuse(kErrNoDevice, "no keyboard: only the system keyboard exists");
    }
    driver::Native native = nullptr;
    const Result opened = driver::OpenKeyboard(native_, &native);
    if (Failed(opened)) {
        return opened;
    }
    *keyboard = new KeyboardDevice(native);
    detail::NoteMade(detail::LiveKind::KeyboardDevice);
    return kOk;
}

uint32_t InputSystem::Release() {
    const uint32_t left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

KeyboardDevice::~KeyboardDevice() {
    driver::CloseKeyboard(native_);
    detail::NoteGone(detail::LiveKind::KeyboardDevice);
}

Result KeyboardDevice::SetCooperativeLevel(WindowHandle window, uint32_t flags) {
    if (!ValidCooperativeLevel(flags)) {
        return Refuse(kErrInvalidParams, "cannot share the keyboard: bad cooperative level");
    }
    return driver::SetKeyboardCooperativeLevel(native_, window, flags);
}

Result KeyboardDevice::SetDataFormat(const DataFormat* format) {
    if (format == nullptr || format->stateSize != kKeyboardFormat.stateSize) {
        return Refuse(kErrInvalidParams, "cannot read the keyboard: unknown data format");
    }
    // The format cannot change under a reader.
    if (acquired_) {
        return Refuse(kErrGeneric, "cannot change the keyboard format while it is read");
    }
    const Result set = driver::SetKeyboardFormat(native_);
    if (!Failed(set)) {
        formatSet_ = true;
    }
    return set;
}

Result KeyboardDevice::Acquire() {
    if (!formatSet_) {
        return Refuse(kErrInvalidParams, "cannot read the keyboard: no data format set");
    }
    const Result acquired = driver::Acquire(native_);
    if (!Failed(acquired)) {
        acquired_ = true;
    }
    return acquired;
}

Result KeyboardDevice::Unacquire() {
    if (!acquired_) {
        return kOk;
    }
    acquired_ = false;
    return driver::Unacquire(native_);
}

Result KeyboardDevice::GetDeviceState(uint32_t size, void* state) {
    if (state == nullptr || size != kKeyboardFormat.stateSize) {
        return kErrInvalidParams;
    }
    // Back-to-back reads wait for an event first, so a loop that does nothing
    // but poll lets the processor rest between polls.
    uint32_t now = driver::Ticks();
    const uint32_t sinceLastRead = now - lastReadTick_;
    if (hasRead_ && sinceLastRead < kPollSpacingMilliseconds) {
        driver::WaitForEvent(kPollSpacingMilliseconds - sinceLastRead);
        now = driver::Ticks();
    }
    lastReadTick_ = now;
    hasRead_ = true;
    driver::LetEventsIn();
    if (!acquired_) {
        return Refuse(kErrNotAcquired, "cannot read the keyboard: it is not acquired");
    }
    uint8_t keys[256] = {};
    const Result read = driver::ReadKeyboard(native_, keys);
    if (!Failed(read)) {
        std::memcpy(state, keys, sizeof keys);
    }
    return read;
}

uint32_t KeyboardDevice::Release() {
    const uint32_t left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

}  // namespace platform
