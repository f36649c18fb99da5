// The keyboard device as the game sets it up, reads it and lets it go.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ostream>
#include <string>

#include "platform/headless/control.h"
#include "platform/input.h"
#include "platform/keys.h"

namespace platform {
namespace {

constexpr uint32_t kBackgroundShared = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;

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
        if (result != kOk) {
            return result;
        }
        result = input_->CreateDevice(kSystemKeyboard, &keyboard_, nullptr);
        if (result != kOk) {
            return result;
        }
        result = keyboard_->SetCooperativeLevel(nullptr, kBackgroundShared);
        if (result != kOk) {
            return result;
        }
        result = keyboard_->SetDataFormat(&kKeyboardFormat);
        if (result != kOk) {
            return result;
        }
        return keyboard_->Acquire();
    }

    Result Read(Snapshot* keys) { return keyboard_->GetDeviceState(256, keys->data()); }

    InputSystem* input_ = nullptr;
    KeyboardDevice* keyboard_ = nullptr;
};

TEST_F(KeyboardTest, ReportsExactlyTheKeysThatAreDown) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
    headless::SetKey(DIK_LEFT, true);
    headless::SetKey(DIK_SPACE, true);
    Snapshot keys;
    keys.fill(0x55);
    ASSERT_EQ(Read(&keys), kOk);
    for (int code = 0; code < 256; ++code) {
        bool down = code == DIK_LEFT || code == DIK_SPACE;
        EXPECT_EQ(keys[code], down ? kKeyDown : 0) << "scan code " << code;
    }
    headless::SetKey(DIK_LEFT, false);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(keys[DIK_LEFT], 0);
    EXPECT_EQ(keys[DIK_SPACE], kKeyDown);
}

TEST_F(KeyboardTest, ReadsOnlyWhileAcquired) {
    ASSERT_EQ(CreateInput(nullptr, kInputVersion, &input_, nullptr), kOk);
    ASSERT_EQ(input_->CreateDevice(kSystemKeyboard, &keyboard_, nullptr), kOk);
    Snapshot keys{};
    // No data format yet: nothing to acquire.
    EXPECT_LT(keyboard_->Acquire(), 0);
    ASSERT_EQ(keyboard_->SetDataFormat(&kKeyboardFormat), kOk);
    EXPECT_EQ(Read(&keys), kErrNotAcquired);
    ASSERT_EQ(keyboard_->Acquire(), kOk);
    EXPECT_EQ(keyboard_->Acquire(), kOk);
    EXPECT_EQ(Read(&keys), kOk);
    // The format is fixed while the device is acquired.
    EXPECT_LT(keyboard_->SetDataFormat(&kKeyboardFormat), 0);
    ASSERT_EQ(keyboard_->Unacquire(), kOk);
    EXPECT_EQ(Read(&keys), kErrNotAcquired);
}

struct StepFault {
    Fault fault;
    const char* name;
};

void PrintTo(const StepFault& step, std::ostream* out) {
    *out << step.name;
}

class KeyboardStepFaultTest : public KeyboardTest, public testing::WithParamInterface<StepFault> {};

TEST_P(KeyboardStepFaultTest, SetUpStopsAtTheFailingStep) {
    headless::FailStep(GetParam().fault);
    EXPECT_LT(SetUpKeyboard(), 0);
    EXPECT_EQ(headless::StepCalls(GetParam().fault), 1u);
    EXPECT_NE(std::string(LastErrorText()).find("keyboard"), std::string::npos) << LastErrorText();
    // Nothing after the failing step was tried.
    if (GetParam().fault != Fault::Acquire) {
        EXPECT_EQ(headless::StepCalls(Fault::Acquire), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, KeyboardStepFaultTest,
    testing::Values(StepFault{Fault::CreateInput, "CreateInput"},
                    StepFault{Fault::CreateKeyboard, "CreateKeyboard"},
                    StepFault{Fault::SetKeyboardCooperativeLevel, "CooperativeLevel"},
                    StepFault{Fault::SetDataFormat, "DataFormat"},
                    StepFault{Fault::Acquire, "Acquire"}),
    [](const testing::TestParamInfo<StepFault>& step) { return step.param.name; });

TEST_F(KeyboardTest, AFailedReadLeavesTheSnapshotAloneAndTheNextReadWorks) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
    headless::SetKey(DIK_RETURN, true);
    headless::FailStep(Fault::GetDeviceState, 0, 2);
    Snapshot keys;
    keys.fill(0x11);
    EXPECT_LT(Read(&keys), 0);
    EXPECT_LT(Read(&keys), 0);
    EXPECT_EQ(keys[DIK_RETURN], 0x11);
    EXPECT_EQ(keys[0], 0x11);
    ASSERT_EQ(Read(&keys), kOk);
    EXPECT_EQ(keys[DIK_RETURN], kKeyDown);
    EXPECT_EQ(keys[0], 0);
}

TEST_F(KeyboardTest, BackToBackReadsLetTheClockMove) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
    Snapshot keys;
    uint32_t start = headless::Ticks();
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
}

TEST_F(KeyboardTest, APollingLoopReachesAKeyPressedLaterInSimulatedTime) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
    uint32_t start = headless::Ticks();
    headless::ScheduleKey(start + 250, DIK_RETURN, true);
    Snapshot keys{};
    int polls = 0;
    while (keys[DIK_RETURN] == 0 && polls < 10000) {
        ASSERT_EQ(Read(&keys), kOk);
        ++polls;
    }
    EXPECT_EQ(keys[DIK_RETURN], kKeyDown);
    EXPECT_EQ(headless::Ticks(), start + 250);
    EXPECT_EQ(polls, 26) << "one read every 10 ms";
    EXPECT_EQ(headless::KeyboardReads(), 26u);
}

TEST_F(KeyboardTest, AFailingPollLoopStillLetsTheClockMove) {
    ASSERT_EQ(SetUpKeyboard(), kOk);
    headless::FailStep(Fault::GetDeviceState, 0, 100);
    uint32_t start = headless::Ticks();
    Snapshot keys{};
    int failures = 0;
    while (Read(&keys) != kOk) {
        ++failures;
    }
    EXPECT_EQ(failures, 100);
    EXPECT_EQ(headless::Ticks(), start + 1000);
}

}  // namespace
}  // namespace platform
