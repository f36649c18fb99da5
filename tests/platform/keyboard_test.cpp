// The keyboard device as the game sets it up and reads it, on the headless
// backend's scripted keys and manual clock.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "platform/headless/control.h"
#include "platform/input.h"
#include "platform/keys.h"

namespace platform {
namespace {

using Snapshot = std::array<uint8_t, 256>;

class KeyboardTest : public testing::Test {
protected:
    void SetUp() override {
        headless::Reset(0xFFFFFFF0u);  // the clock wraps round during each test
        ASSERT_EQ(CreateInput(nullptr, kInputVersion, &input_, nullptr), kOk);
        ASSERT_EQ(input_->CreateDevice(kSystemKeyboard, &keyboard_, nullptr), kOk);
    }
    void TearDown() override {
        keyboard_->Release();
        input_->Release();
    }

    Result Read(Snapshot* keys) { return keyboard_->GetDeviceState(256, keys->data()); }

    InputSystem* input_ = nullptr;
    KeyboardDevice* keyboard_ = nullptr;
};

TEST_F(KeyboardTest, ReportsExactlyTheKeysThatAreDownWhileAcquired) {
    Snapshot keys;
    ASSERT_EQ(keyboard_->SetDataFormat(&kKeyboardFormat), kOk);
    ASSERT_EQ(keyboard_->Acquire(), kOk);
    const uint32_t start = headless::Ticks();
    headless::SetKey(DIK_SPACE, true);
    headless::ScheduleKey(start + 20, DIK_LEFT, true);
    headless::ScheduleKey(start + 30, DIK_ESCAPE, true);
    headless::ScheduleKey(start + 30, DIK_ESCAPE, false);  // the later change counts
    headless::ScheduleKey(start + 40, DIK_SPACE, false);   // after the clock's wrap
    for (uint32_t after : {15u, 30u, 45u}) {
        headless::SetTicks(start + after);
        keys.fill(0x55);
        ASSERT_EQ(Read(&keys), kOk);
        for (int code = 0; code < 256; ++code) {
            const bool down =
                (code == DIK_SPACE && after < 40) || (code == DIK_LEFT && after >= 20);
            ASSERT_EQ(keys[code], down ? kKeyDown : 0) << "scan code " << code << " at " << after;
        }
    }
    ASSERT_EQ(keyboard_->Unacquire(), kOk);
    EXPECT_EQ(Read(&keys), kErrNotAcquired);
}

// A read within 10 ms of the last waits out the rest, so that a polling loop
// reaches a key pressed later, even while the reads fail.
TEST_F(KeyboardTest, BackToBackReadsLetTheClockMove) {
    ASSERT_EQ(keyboard_->SetDataFormat(&kKeyboardFormat), kOk);
    ASSERT_EQ(keyboard_->Acquire(), kOk);
    Snapshot keys;
    const uint32_t start = headless::Ticks();
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(headless::Ticks(), start) << "the first read does not wait";
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(headless::Ticks(), start + 10) << "a read in the same millisecond waits 10";
    headless::AdvanceTicks(4);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(headless::Ticks(), start + 20) << "a read 4 ms later waits the other 6";
    headless::AdvanceTicks(40);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(headless::Ticks(), start + 60) << "a read 40 ms later does not wait";

    // A hundred failing reads, 10 ms apart, then the key.
    headless::ScheduleKey(start + 1065, DIK_RETURN, true);
    headless::FailStep(Fault::GetDeviceState, 0, 100);
    keys.fill(0);
    int polls = 0;
    while (keys[DIK_RETURN] == 0 && polls < 10000) {
        Read(&keys);
        ++polls;
    }
    EXPECT_EQ(headless::Ticks(), start + 1070);
    EXPECT_EQ(polls, 101);
    EXPECT_EQ(headless::KeyboardReads(), 4u + 1u) << "failed reads read nothing";
}

}  // namespace
}  // namespace platform
