// The keyboard device, and the reduction of one snapshot of all keys to the
// player's action.
#include "flow/keyboard.h"

#include "platform/keys.h"
#include "platform/time.h"
#include "program/window_handles.h"

platform::InputSystem* directInput = nullptr;
platform::KeyboardDevice* keyboardDevice = nullptr;
int32_t keyLatch = 0;
uint32_t nextRotateTime = 0;

namespace {

constexpr uint32_t kKeyStateBytes = 256;
constexpr uint32_t kRotateRepeatMilliseconds = 100;

// Compared through the difference, so that the throttle keeps working when
// the tick count wraps after about 49.7 days.
bool TickIsPast(uint32_t now, uint32_t deadline) {
    return static_cast<int32_t>(now - deadline) > 0;
}

bool RotateAllowed() {
    if (!TickIsPast(platform::GetTickCount(), nextRotateTime)) {
        return false;
    }
    nextRotateTime = platform::GetTickCount() + kRotateRepeatMilliseconds;
    return true;
}

}  // namespace

int32_t InitKeyboard() {
    if (platform::CreateInput(appInstance, platform::kInputVersion, &directInput, nullptr) !=
        platform::kOk) {
        return 0;
    }
    if (directInput->CreateDevice(platform::kSystemKeyboard, &keyboardDevice, nullptr) !=
        platform::kOk) {
        return 0;
    }
    // Background and shared: the keys are read whether or not the window has
    // the focus, and other programs can read them too.
    if (keyboardDevice->SetCooperativeLevel(
            mainWindow, platform::DISCL_NONEXCLUSIVE | platform::DISCL_BACKGROUND) !=
        platform::kOk) {
        return 0;
    }
    if (keyboardDevice->SetDataFormat(&platform::kKeyboardFormat) != platform::kOk) {
        return 0;
    }
    return keyboardDevice->Acquire() == platform::kOk ? 1 : 0;
}

void ReleaseKeyboard() {
    // Shut-down may follow a start-up that stopped half way through.
    if (keyboardDevice != nullptr) {
        keyboardDevice->Unacquire();
        keyboardDevice->Release();
        keyboardDevice = nullptr;
    }
    if (directInput != nullptr) {
        directInput->Release();
        directInput = nullptr;
    }
}

Action PollKeyboard() {
    uint8_t keys[kKeyStateBytes] = {};
    if (keyboardDevice == nullptr ||
        keyboardDevice->GetDeviceState(kKeyStateBytes, keys) != platform::kOk) {
        return ActionNone;
    }
    auto down = [&keys](uint8_t scanCode) { return keys[scanCode] != 0; };

    // Sideways keys and the pause key fire once, then wait for a poll that
    // fires nothing.
    if (down(platform::DIK_RIGHT) && keyLatch == 0) {
        keyLatch = 1;
        return ActionRight;
    }
    if (down(platform::DIK_LEFT) && keyLatch == 0) {
        keyLatch = 1;
        return ActionLeft;
    }
    if (down(platform::DIK_DOWN)) {
        return ActionDown;
    }
    if (down(platform::DIK_SPACE) && RotateAllowed()) {
        return ActionRotate;
    }
    if (down(platform::DIK_ESCAPE)) {
        return ActionQuit;
    }
    if (down(platform::DIK_RETURN)) {
        if (keyLatch != 0) {
            return ActionNone;
        }
        keyLatch = 1;
        return ActionPause;
    }
    keyLatch = 0;
    return ActionNone;
}
