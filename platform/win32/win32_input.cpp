// The keyboard on DirectInput: the system keyboard in the 256-byte format.
//
// A snapshot is the immediate state with every key that went down since the
// previous read added from the device's buffered events, so a key pressed and
// let go between two reads shows as down once.
#include "platform/win32/win32_native.h"

#include <cstring>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/input.h"
#include "platform/keys.h"

namespace platform {

using win32::Refuse;

namespace {

constexpr uint32_t kKeyCount = 256;
// Key events kept between two reads; far more than a player can press in one.
constexpr DWORD kBufferedEvents = 64;
// The least time between two reads of a loop that does nothing but read, as on
// every backend: such a loop wakes the processor a hundred times a second.
constexpr uint32_t kPollSpacingMilliseconds = 10;

IDirectInput8A* NativeInput(void* native) {
    return static_cast<IDirectInput8A*>(native);
}

IDirectInputDevice8A* NativeDevice(void* native) {
    return static_cast<IDirectInputDevice8A*>(native);
}

// Waits for input to the game's thread, at most the given time.
void WaitForInput(uint32_t milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

// Takes the messages of the filter's range from the queue and hands them to
// their window. Every filter lets the quit message through; it is put back
// for the game to take.
void Handle(UINT first, UINT last) {
    MSG message;
    while (PeekMessageA(&message, nullptr, first, last, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Lets the system deliver what it has for the game's thread: sent messages
// reach the window procedure, and the window keeps answering while the game
// only reads the keyboard. The keyboard's own messages, which the game reads
// as snapshots instead, are taken and handled here: left in the queue they
// would pile up behind the one message the game takes per round, and a close
// typed on the keyboard (Alt+F4) would wait behind all of them. The system
// commands they give (Alt+F4's close) are handled too, so that a close comes
// while the keyboard is read, as on every backend: the window procedure gets
// WM_CLOSE, and the game sees the quit message that follows.
void LetMessagesIn() {
    Handle(WM_KEYFIRST, WM_KEYLAST);
    Handle(WM_SYSCOMMAND, WM_SYSCOMMAND);
}

// Adds the keys that went down in the device's buffer; false when the device
// could not be read.
bool AddBufferedPresses(IDirectInputDevice8A* device, uint8_t* keys) {
    for (;;) {
        DIDEVICEOBJECTDATA events[kBufferedEvents];
        DWORD count = kBufferedEvents;
        const HRESULT read = device->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0);
        if (FAILED(read)) {
            return false;
        }
        for (DWORD i = 0; i < count; ++i) {
            if ((events[i].dwData & kKeyDown) != 0 && events[i].dwOfs < kKeyCount) {
                keys[events[i].dwOfs] = kKeyDown;
            }
        }
        if (count < kBufferedEvents) {
            return true;
        }
    }
}

}  // namespace

Result CreateInput(InstanceHandle instance, uint32_t version, InputSystem** input, void* outer) {
    if (input == nullptr) {
        return kErrInvalidParams;
    }
    *input = nullptr;
    if (outer != nullptr || version != kInputVersion) {
        return detail::Refuse(kErrInvalidParams, "no keyboard input: unknown input version");
    }
    // The game asks for the keyboard of its input version; the system's current
    // interface gives the same keyboard.
    void* system = nullptr;
    const HRESULT made = DirectInput8Create(win32::Native(instance), DIRECTINPUT_VERSION,
                                            IID_IDirectInput8A, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "no keyboard input");
    }
    *input = new InputSystem;
    (*input)->native_ = system;
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
    IDirectInputDevice8A* system = nullptr;
    const HRESULT made = NativeInput(native_)->CreateDevice(GUID_SysKeyboard, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "no keyboard");
    }
    *keyboard = new KeyboardDevice;
    (*keyboard)->native_ = system;
    detail::NoteMade(detail::LiveKind::KeyboardDevice);
    return kOk;
}

uint32_t InputSystem::Release() {
    const uint32_t left = --references_;
    if (left == 0) {
        NativeInput(native_)->Release();
        delete this;
        detail::NoteGone(detail::LiveKind::InputSystem);
    }
    return left;
}

Result KeyboardDevice::SetCooperativeLevel(WindowHandle window, uint32_t flags) {
    const HRESULT set = NativeDevice(native_)->SetCooperativeLevel(win32::Native(window), flags);
    if (FAILED(set)) {
        return Refuse(set, "cannot share the keyboard");
    }
    cooperative_ = true;
    return kOk;
}

Result KeyboardDevice::SetDataFormat(const DataFormat* format) {
    if (format == nullptr || format->stateSize != kKeyboardFormat.stateSize) {
        return detail::Refuse(kErrInvalidParams, "cannot read the keyboard: unknown data format");
    }
    IDirectInputDevice8A* device = NativeDevice(native_);
    const HRESULT set = device->SetDataFormat(&c_dfDIKeyboard);
    if (FAILED(set)) {
        return Refuse(set, "cannot read the keyboard");
    }
    // The buffer that catches presses shorter than the time between two reads.
    DIPROPDWORD size{};
    size.diph.dwSize = sizeof size;
    size.diph.dwHeaderSize = sizeof size.diph;
    size.diph.dwHow = DIPH_DEVICE;
    size.dwData = kBufferedEvents;
    const HRESULT buffered = device->SetProperty(DIPROP_BUFFERSIZE, &size.diph);
    if (FAILED(buffered)) {
        return Refuse(buffered, "cannot keep the keyboard's presses");
    }
    formatSet_ = true;
    return kOk;
}

Result KeyboardDevice::Acquire() {
    const HRESULT acquired = NativeDevice(native_)->Acquire();
    if (FAILED(acquired)) {
        return Refuse(acquired, "cannot read the keyboard");
    }
    acquired_ = true;
    return kOk;
}

Result KeyboardDevice::Unacquire() {
    acquired_ = false;
    const HRESULT released = NativeDevice(native_)->Unacquire();
    return FAILED(released) ? Refuse(released, "cannot let the keyboard go") : kOk;
}

Result KeyboardDevice::GetDeviceState(uint32_t size, void* state) {
    if (state == nullptr || size != kKeyboardFormat.stateSize) {
        return kErrInvalidParams;
    }
    uint32_t now = ::GetTickCount();
    const uint32_t sinceLastRead = now - lastReadTick_;
    if (hasRead_ && sinceLastRead < kPollSpacingMilliseconds) {
        WaitForInput(kPollSpacingMilliseconds - sinceLastRead);
        now = ::GetTickCount();
    }
    lastReadTick_ = now;
    hasRead_ = true;
    LetMessagesIn();

    IDirectInputDevice8A* device = NativeDevice(native_);
    uint8_t keys[kKeyCount] = {};
    HRESULT read = device->GetDeviceState(kKeyCount, keys);
    if (read == DIERR_INPUTLOST || read == DIERR_NOTACQUIRED) {
        // Another program took the keyboard for a while; the game wants it back.
        if (acquired_ && SUCCEEDED(device->Acquire())) {
            read = device->GetDeviceState(kKeyCount, keys);
        }
    }
    if (FAILED(read)) {
        return Refuse(read, "cannot read the keyboard");
    }
    if (!AddBufferedPresses(device, keys)) {
        return Refuse(DIERR_INPUTLOST, "cannot read the keyboard");
    }
    std::memcpy(state, keys, sizeof keys);
    return kOk;
}

uint32_t KeyboardDevice::Release() {
    const uint32_t left = --references_;
    if (left == 0) {
        NativeDevice(native_)->Release();
        delete this;
        detail::NoteGone(detail::LiveKind::KeyboardDevice);
    }
    return left;
}

}  // namespace platform
