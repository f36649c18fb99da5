// The keyboard on DirectInput, fed by the system's own input injection: a key
// that went down and up between two reads shows once, a held key every time.
#include "platform/win32/win32_windows_api.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/input.h"
#include "platform/keys.h"
#include "tests/win32/game_window.h"

namespace {

using namespace platform;

constexpr int kReadsToWaitFor = 200;  // each read after the first waits up to 10 ms

void SendKey(uint8_t scanCode, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | (down ? 0u : static_cast<DWORD>(KEYEVENTF_KEYUP));
    ASSERT_EQ(SendInput(1, &input, sizeof input), 1u);
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = win32_tests::MakeGameWindow();
        ASSERT_NE(window, nullptr) << LastErrorText();
        ASSERT_EQ(CreateInput(GetProgramInstance(), kInputVersion, &input, nullptr), kOk)
            << LastErrorText();
        ASSERT_EQ(input->CreateDevice(kSystemKeyboard, &keyboard, nullptr), kOk) << LastErrorText();
        ASSERT_EQ(keyboard->SetCooperativeLevel(window, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND), kOk)
            << LastErrorText();
        ASSERT_EQ(keyboard->SetDataFormat(&kKeyboardFormat), kOk) << LastErrorText();
        ASSERT_EQ(keyboard->Acquire(), kOk) << LastErrorText();
        ASSERT_FALSE(Down(DIK_RETURN));
    }
    void TearDown() override {
        if (keyboard != nullptr) {
            keyboard->Unacquire();
            keyboard->Release();
        }
        if (input != nullptr) {
            input->Release();
        }
        DestroyWindow(window);
    }
    bool Down(uint8_t scanCode) {
        uint8_t keys[256] = {};
        EXPECT_EQ(keyboard->GetDeviceState(sizeof keys, keys), kOk) << LastErrorText();
        return keys[scanCode] == kKeyDown;
    }
    // Reads until the key shows down; false when it never does.
    bool ShowsDown(uint8_t scanCode) {
        for (int read = 0; read < kReadsToWaitFor; ++read) {
            if (Down(scanCode)) {
                return true;
            }
        }
        return false;
    }

    WindowHandle window = nullptr;
    InputSystem* input = nullptr;
    KeyboardDevice* keyboard = nullptr;
};

TEST_F(KeyboardTest, AKeyTappedBetweenTwoReadsShowsDownInOneSnapshot) {
    SendKey(DIK_RETURN, true);
    SendKey(DIK_RETURN, false);
    ASSERT_TRUE(ShowsDown(DIK_RETURN));
    EXPECT_FALSE(Down(DIK_RETURN));
    EXPECT_FALSE(Down(DIK_RETURN));
}

TEST_F(KeyboardTest, AHeldKeyShowsDownUntilItIsLetGo) {
    SendKey(DIK_SPACE, true);
    ASSERT_TRUE(ShowsDown(DIK_SPACE));
    EXPECT_TRUE(Down(DIK_SPACE));
    EXPECT_TRUE(Down(DIK_SPACE));
    SendKey(DIK_SPACE, false);
    bool released = false;
    for (int read = 0; read < kReadsToWaitFor && !released; ++read) {
        released = !Down(DIK_SPACE);
    }
    EXPECT_TRUE(released);
}

// Extended keys come with the 0x80 bit of their scan code.
TEST_F(KeyboardTest, ArrowKeysHaveTheirExtendedScanCodes) {
    INPUT left{};
    left.type = INPUT_KEYBOARD;
    left.ki.wScan = DIK_LEFT & 0x7F;
    left.ki.dwFlags = KEYEVENTF_SCANCODE | KEYEVENTF_EXTENDEDKEY;
    ASSERT_EQ(SendInput(1, &left, sizeof left), 1u);
    EXPECT_TRUE(ShowsDown(DIK_LEFT));
    left.ki.dwFlags |= KEYEVENTF_KEYUP;
    ASSERT_EQ(SendInput(1, &left, sizeof left), 1u);
}

}  // namespace
