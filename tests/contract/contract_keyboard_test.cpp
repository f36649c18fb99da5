// The keyboard and the clock on every driver: a read shows the keys held and
// every key pressed since the read before, once; reads close together wait.
#include <gtest/gtest.h>

#include <array>

#include "platform/input.h"
#include "platform/keys.h"
#include "platform/time.h"
#include "tests/contract/contract_shim.h"

namespace platform {
namespace {

using Snapshot = std::array<uint8_t, 256>;

class Keyboard : public testing::Test {
protected:
    void SetUp() override {
        contract::FreshStart();
        window_ = contract::MakeWindow();
        ASSERT_NE(window_, nullptr) << LastErrorText();
        ASSERT_EQ(CreateInput(GetProgramInstance(), kInputVersion, &input_, nullptr), kOk);
        ASSERT_EQ(input_->CreateDevice(kSystemKeyboard, &keyboard_, nullptr), kOk);
        ASSERT_EQ(keyboard_->SetCooperativeLevel(window_, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND),
                  kOk);
        ASSERT_EQ(keyboard_->SetDataFormat(&kKeyboardFormat), kOk);
        ASSERT_EQ(keyboard_->Acquire(), kOk);
    }
    void TearDown() override {
        keyboard_->Release();
        input_->Release();
        DestroyWindow(window_);
    }
    Result Read(Snapshot* keys) { return keyboard_->GetDeviceState(256, keys->data()); }
    // Reads until the key shows that state, as the game's loop would; false if never.
    bool Shows(uint8_t scanCode, uint8_t state) {
        Snapshot keys{};
        for (int read = 0; read < 100; ++read) {
            if (Read(&keys) == kOk && keys[scanCode] == state) {
                return true;
            }
        }
        return false;
    }

    WindowHandle window_ = nullptr;
    InputSystem* input_ = nullptr;
    KeyboardDevice* keyboard_ = nullptr;
};

// Taps between two reads show in one read, however many; a held key shows in
// every read, through the key-downs of its repeat, extended keys with their
// 0x80 bit; a let-go key no more.
TEST_F(Keyboard, TapsShowOnceAndHeldKeysInEveryRead) {
    for (int tap = 0; tap < 2; ++tap) {
        contract::PressKey(DIK_RETURN, true);
        contract::PressKey(DIK_RETURN, false);
    }
    contract::PressKey(DIK_LEFT, true);
    ASSERT_TRUE(Shows(DIK_RETURN, kKeyDown));
    Snapshot keys;
    for (int read = 0; read < 3; ++read) {
        contract::PressKey(DIK_LEFT, true);  // the key repeats while held
        keys.fill(0x55);
        ASSERT_EQ(Read(&keys), kOk);
        for (int code = 0; code < 256; ++code) {
            ASSERT_EQ(keys[code], code == DIK_LEFT ? kKeyDown : 0) << "scan code " << code;
        }
    }
    contract::PressKey(DIK_LEFT, false);
    EXPECT_TRUE(Shows(DIK_LEFT, 0));
}

// A read within 10 ms of the last waits out the rest, so that a polling loop
// lets the processor rest; the clock moves with every sleep (a real one in
// steps of up to 16 ms).
TEST_F(Keyboard, BackToBackReadsWaitAndTheClockMovesWithSleep) {
    const uint32_t step = contract::ExactClock() ? 0 : 16;
    Snapshot keys;
    ASSERT_EQ(Read(&keys), kOk);
    uint32_t start = GetTickCount();
    ASSERT_EQ(Read(&keys), kOk);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_GE(GetTickCount() - start + step, 20u);
    start = GetTickCount();
    Sleep(40);
    EXPECT_GE(GetTickCount() - start + step, 40u);
    if (!contract::ExactClock()) {
        return;
    }
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(GetTickCount() - start, 40u) << "a read 40 ms later does not wait";
    Sleep(4);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(GetTickCount() - start, 50u) << "a read 4 ms later waits the other 6";
}

}  // namespace
}  // namespace platform
