// The emulated keyboard: snapshots of 256 key bytes taken from the host.
#include "platform/driver/driver.h"
#include "platform/hosts/host.h"

namespace platform::driver {

using detail::Refuse;

namespace {

// The input system and the keyboard hold nothing of their own: the host keeps
// the keys.
int inputObject;
int keyboardObject;

}  // namespace

Result OpenInput(InstanceHandle /*instance*/, Native* input) {
    if (host::Fails(Fault::CreateInput)) {
        return Refuse(kErrGeneric, "no keyboard input: the input system could not start");
    }
    *input = &inputObject;
    return kOk;
}

void CloseInput(Native /*input*/) {}

Result OpenKeyboard(Native /*input*/, Native* keyboard) {
    if (host::Fails(Fault::CreateKeyboard)) {
        return Refuse(kErrGeneric, "no keyboard: the keyboard device could not be made");
    }
    *keyboard = &keyboardObject;
    return kOk;
}

void CloseKeyboard(Native /*keyboard*/) {}

Result SetKeyboardCooperativeLevel(Native /*keyboard*/, WindowHandle /*window*/,
                                   uint32_t /*flags*/) {
    if (host::Fails(Fault::SetKeyboardCooperativeLevel)) {
        return Refuse(kErrGeneric, "cannot share the keyboard: another program holds it");
    }
    return kOk;
}

Result SetKeyboardFormat(Native /*keyboard*/) {
    if (host::Fails(Fault::SetDataFormat)) {
        return Refuse(kErrGeneric, "cannot read the keyboard: the format was refused");
    }
    return kOk;
}

Result Acquire(Native /*keyboard*/) {
    if (host::Fails(Fault::Acquire)) {
        return Refuse(kErrGeneric, "cannot read the keyboard: it could not be acquired");
    }
    return kOk;
}

Result Unacquire(Native /*keyboard*/) {
    return kOk;
}

Result ReadKeyboard(Native /*keyboard*/, uint8_t* keys) {
    if (host::Fails(Fault::GetDeviceState)) {
        return Refuse(kErrNotAcquired, "cannot read the keyboard: it was taken away");
    }
    if (!host::ReadKeyboard(keys)) {
        return Refuse(kErrGeneric, "cannot read the keyboard");
    }
    return kOk;
}

void LetEventsIn() {
    host::PumpEvents();
}

void WaitForEvent(uint32_t milliseconds) {
    host::WaitForEvent(milliseconds);
}

}  // namespace platform::driver
