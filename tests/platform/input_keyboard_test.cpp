// The keyboard device as the game sets it up, reads it and lets it go.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "platform/headless/control.h"
#include "platform/input.h"
#include "platform/keys.h"

namespace platform {
namespace {

using Snapshot = std::array<uint8_t, 256>;

class KeyboardTest : public testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override {
        if (keyboard_ != nullptr) {
            keyboard_->Unacquire();
            keyboard_->Release();
        }
        if (input_ != nullptr) {
            input_->Release();
        }
    }

    // The start-up sequence; gives the result of the first step that fails.
    Result SetUpKeyboard() {
        Result result = CreateInput(nullptr, kInputVersion, &input_, nullptr);
        if (result == kOk) {
            result = input_->CreateDevice(kSystemKeyboard, &keyboard_, nullptr);
        }
        if (result == kOk) {
            result = keyboard_->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND);
        }
        if (result == kOk) {
            result = keyboard_->SetDataFormat(&kKeyboardFormat);
        }
        return result == kOk ? keyboard_->Acquire() : result;
    }

    Result Read(Snapshot* keys) { return keyboard_->GetDeviceState(256, keys->data()); }

    InputSystem* input_ = nullptr;
    KeyboardDevice* keyboard_ = nullptr;
};

TEST_F(KeyboardTest, ReportsExactlyTheKeysThatAreDownWhileAcquired) {
    ASSERT_EQ(CreateInput(nullptr, kInputVersion, &input_, nullptr), kOk);
    ASSERT_EQ(input_->CreateDevice(kSystemKeyboard, &keyboard_, nullptr), kOk);
    Snapshot keys;
    EXPECT_LT(keyboard_->Acquire(), 0) << "no data format yet: nothing to acquire";
    ASSERT_EQ(keyboard_->SetDataFormat(&kKeyboardFormat), kOk);
    EXPECT_EQ(Read(&keys), kErrNotAcquired);
    ASSERT_EQ(keyboard_->Acquire(), kOk);
    EXPECT_EQ(keyboard_->Acquire(), kOk);
    EXPECT_LT(keyboard_->SetDataFormat(&kKeyboardFormat), 0) << "fixed while acquired";

    headless::SetKey(DIK_LEFT, true);
    headless::SetKey(DIK_SPACE, true);
    keys.fill(0x55);
    ASSERT_EQ(Read(&keys), kOk);
    for (int code = 0; code < 256; ++code) {
        const bool down = code == DIK_LEFT || code == DIK_SPACE;
        EXPECT_EQ(keys[code], down ? kKeyDown : 0) << "scan code " << code;
    }
    headless::SetKey(DIK_LEFT, false);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(keys[DIK_LEFT], 0);
    EXPECT_EQ(keys[DIK_SPACE], kKeyDown);

    ASSERT_EQ(keyboard_->Unacquire(), kOk);
    EXPECT_EQ(Read(&keys), kErrNotAcquired);
}

TEST_F(KeyboardTest, SetUpStopsAtTheFailingStepAndSaysSo) {
    for (Fault fault : {Fault::CreateInput, Fault::CreateKeyboard,
                        Fault::SetKeyboardCooperativeLevel, Fault::SetDataFormat, Fault::Acquire}) {
        SCOPED_TRACE(static_cast<int>(fault));
        TearDown();
        SetUp();
        input_ = nullptr;
        keyboard_ = nullptr;
        headless::FailStep(fault);
        EXPECT_LT(SetUpKeyboard(), 0);
        EXPECT_EQ(headless::StepCalls(fault), 1u);
        EXPECT_NE(std::string(LastErrorText()).find("keyboard"), std::string::npos)
            << LastErrorText();
        if (fault != Fault::Acquire) {
            EXPECT_EQ(headless::StepCalls(Fault::Acquire), 0u) << "nothing after it was tried";
        }
    }
}

TEST_F(KeyboardTest, AFailedReadLeavesTheSnapshotAloneAndTheNextReadWorks) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
    headless::SetKey(DIK_RETURN, true);
    headless::FailStep(Fault::GetDeviceState, 0, 2);
    Snapshot keys;
    keys.fill(0x11);
    EXPECT_LT(Read(&keys), 0);
    EXPECT_LT(Read(&keys), 0);
    Snapshot untouched;
    untouched.fill(0x11);
    EXPECT_EQ(keys, untouched);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(keys[DIK_RETURN], kKeyDown);
    EXPECT_EQ(keys[0], 0);
}

// A read within 10 ms of the last waits out the rest, so that a polling
// loop reaches a key pressed later, even while the reads fail.
TEST_F(KeyboardTest, BackToBackReadsLetTheClockMove) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
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
