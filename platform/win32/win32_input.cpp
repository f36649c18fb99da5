// The keyboard on DirectInput: the system keyboard in the 256-byte format.
//
// A snapshot is the immediate state with every key that went down since the
// previous read added from the device's buffered events, so a key pressed and
// let go between two reads shows as down once.
#include "platform/win32/win32_native.h"

#include "platform/driver/driver.h"
#include "platform/keys.h"

namespace platform::driver {

using win32::Refuse;

namespace {

constexpr uint32_t kKeyCount = 256;
// Key events kept between two reads; far more than a player can press in one.
constexpr DWORD kBufferedEvents = 64;

IDirectInput8A* NativeInput(void* native) {
    return static_cast<IDirectInput8A*>(native);
}

IDirectInputDevice8A* NativeDevice(void* native) {
    return static_cast<IDirectInputDevice8A*>(native);
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
// while the keyboard is read, as on every system: the window procedure gets
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

// Waits for input to the game's thread, at most the given time.
void WaitForEvent(uint32_t milliseconds) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds, QS_ALLINPUT);
}

void LetEventsIn() {
    LetMessagesIn();
}

Result OpenInput(InstanceHandle instance, Native* input) {
    // The game asks for the keyboard of its input version; the system's current
    // interface gives the same keyboard.
    void* system = nullptr;
    const HRESULT made = DirectInput8Create(win32::Native(instance), DIRECTINPUT_VERSION,
                                            IID_IDirectInput8A, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "no keyboard input");
    }
    *input = system;
    return kOk;
}

void CloseInput(Native input) {
    NativeInput(input)->Release();
}

Result OpenKeyboard(Native input, Native* keyboard) {
    IDirectInputDevice8A* system = nullptr;
    const HRESULT made = NativeInput(input)->CreateDevice(GUID_SysKeyboard, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "no keyboard");
    }
    *keyboard = system;
    return kOk;
}

void CloseKeyboard(Native keyboard) {
    NativeDevice(keyboard)->Release();
}

Result SetKeyboardCooperativeLevel(Native keyboard, WindowHandle window, uint32_t flags) {
    const HRESULT set = NativeDevice(keyboard)->SetCooperativeLevel(win32::Native(window), flags);
    return FAILED(set) ? Refuse(set, "cannot share the keyboard") : kOk;
}

Result SetKeyboardFormat(Native keyboard) {
    IDirectInputDevice8A* device = NativeDevice(keyboard);
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
    return FAILED(buffered) ? Refuse(buffered, "cannot keep the keyboard's presses") : kOk;
}

Result Acquire(Native keyboard) {
    const HRESULT acquired = NativeDevice(keyboard)->Acquire();
    return FAILED(acquired) ? Refuse(acquired, "cannot read the keyboard") : kOk;
}

Result Unacquire(Native keyboard) {
    const HRESULT released = NativeDevice(keyboard)->Unacquire();
    return FAILED(released) ? Refuse(released, "cannot let the keyboard go") : kOk;
}

Result ReadKeyboard(Native keyboard, uint8_t* keys) {
    IDirectInputDevice8A* device = NativeDevice(keyboard);
    HRESULT read = device->GetDeviceState(kKeyCount, keys);
    if (read == DIERR_INPUTLOST || read == DIERR_NOTACQUIRED) {
        // Another program took the keyboard for a while; the game wants it back.
        if (SUCCEEDED(device->Acquire())) {
            read = device->GetDeviceState(kKeyCount, keys);
        }
    }
    if (FAILED(read)) {
        return Refuse(read, "cannot read the keyboard");
    }
    if (!AddBufferedPresses(device, keys)) {
        return Refuse(DIERR_INPUTLOST, "cannot read the keyboard");
    }
    return kOk;
}

}  // namespace platform::driver
