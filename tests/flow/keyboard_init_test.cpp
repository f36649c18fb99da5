#include <gtest/gtest.h>

#include "flow/keyboard.h"
#include "platform/headless/control.h"
#include "platform/keys.h"

namespace {

namespace headless = platform::headless;
using platform::Fault;

// The set-up steps in the order they are made.
constexpr Fault kSteps[] = {Fault::CreateInput, Fault::CreateKeyboard,
                            Fault::SetKeyboardCooperativeLevel, Fault::SetDataFormat,
                            Fault::Acquire};

class KeyboardSetUpFailureTest : public ::testing::TestWithParam<size_t> {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { ReleaseKeyboard(); }
};

TEST_P(KeyboardSetUpFailureTest, StopsAtTheFailingStep) {
    const size_t failing = GetParam();
    headless::FailStep(kSteps[failing]);
    EXPECT_EQ(InitKeyboard(), 0);
    for (size_t step = 0; step < std::size(kSteps); ++step) {
        EXPECT_EQ(headless::StepCalls(kSteps[step]), step <= failing ? 1u : 0u) << step;
    }
    // Shut-down after the failed start-up releases what was made, once.
    ReleaseKeyboard();
    EXPECT_EQ(keyboardDevice, nullptr);
    EXPECT_EQ(directInput, nullptr);
    ReleaseKeyboard();
    // Once the fault is gone the keyboard comes up readable.
    headless::ClearFaults();
    ASSERT_EQ(InitKeyboard(), 1);
    keyLatch = 0;
    headless::SetKey(platform::DIK_ESCAPE, true);
    EXPECT_EQ(PollKeyboard(), ActionQuit);
}

INSTANTIATE_TEST_SUITE_P(EachStep, KeyboardSetUpFailureTest,
                         ::testing::Range<size_t>(0, std::size(kSteps)));

}  // namespace
