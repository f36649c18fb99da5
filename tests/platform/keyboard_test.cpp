// The keyboard device as the game sets it up and reads it, on the headless
// backend's scripted keys and manual clock.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

#include "platform/hosts/headless/headless_control.h"
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

// A read shows the keys held as it is taken and every key pressed since the
// read before, however briefly and however often, once.
TEST_F(KeyboardTest, ShowsTheKeysHeldAndEachKeyPressedSinceTheLastReadOnce) {
    Snapshot keys;
    ASSERT_EQ(keyboard_->SetDataFormat(&kKeyboardFormat), kOk);
    ASSERT_EQ(keyboard_->Acquire(), kOk);
    const uint32_t start = headless::Ticks();
    headless::SetKey(DIK_SPACE, true);
    headless::SetKey(DIK_RIGHT, true);  // a tap before the first read
    headless::SetKey(DIK_RIGHT, false);
    headless::ScheduleKey(start + 20, DIK_LEFT, true);
    headless::ScheduleKey(start + 30, DIK_ESCAPE, true);  // a tap within the millisecond
    headless::ScheduleKey(start + 30, DIK_ESCAPE, false);
    for (uint32_t tick : {16u, 18u, 22u, 25u}) {  // two taps between two reads
        headless::ScheduleKey(start + tick, DIK_RETURN, tick == 16u || tick == 22u);
    }
    headless::ScheduleKey(start + 40, DIK_SPACE, false);  // after the clock's wrap
    for (uint32_t after : {15u, 30u, 45u}) {
        headless::SetTicks(start + after);
        keys.fill(0x55);
        ASSERT_EQ(Read(&keys), kOk);
        for (int code = 0; code < 256; ++code) {
            const bool down = (code == DIK_SPACE && after < 40) ||
                              (code == DIK_LEFT && after >= 20) ||
                              (code == DIK_RIGHT && after == 15) ||
                              ((code == DIK_ESCAPE || code == DIK_RETURN) && after == 30);
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

    // A hundred failing reads, 10 ms apart, with a tap between two of them:
    // the first read that works shows it.
    headless::ScheduleKey(start + 1045, DIK_RETURN, true);
    headless::ScheduleKey(start + 1046, DIK_RETURN, false);
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
