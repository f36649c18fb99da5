#include <gtest/gtest.h>

#include "tests/flow/keyboard_fixture.h"

namespace {

namespace headless = platform::headless;
using platform::DIK_DOWN;
using platform::DIK_ESCAPE;
using platform::DIK_LEFT;
using platform::DIK_RETURN;
using platform::DIK_RIGHT;
using platform::DIK_SPACE;
using platform::Fault;
using Actions = std::vector<Action>;

TEST_F(KeyboardTest, AHeldSidewaysKeyFiresOnEverySecondPoll) {
    Hold({DIK_RIGHT});
    EXPECT_EQ(Polls(4), (Actions{ActionRight, ActionNone, ActionRight, ActionNone}));
    Hold({DIK_LEFT});
    EXPECT_EQ(Polls(4), (Actions{ActionLeft, ActionNone, ActionLeft, ActionNone}));
}

TEST_F(KeyboardTest, RightWinsOverLeft) {
    Hold({DIK_LEFT, DIK_RIGHT});
    EXPECT_EQ(Polls(4), (Actions{ActionRight, ActionNone, ActionRight, ActionNone}));
}

TEST_F(KeyboardTest, DownFiresOnEveryPollAndKeepsTheLatch) {
    Hold({DIK_DOWN});
    EXPECT_EQ(Polls(3), (Actions{ActionDown, ActionDown, ActionDown}));
    Hold({DIK_DOWN, DIK_RIGHT});
    EXPECT_EQ(Polls(4), (Actions{ActionRight, ActionDown, ActionDown, ActionDown}));
}

TEST_F(KeyboardTest, DownStopsTurningAndQuitting) {
    Hold({DIK_DOWN, DIK_SPACE, DIK_ESCAPE});
    EXPECT_EQ(Polls(6), Actions(6, ActionDown));
}

TEST_F(KeyboardTest, EscapeWaitsForAPollInWhichNoEarlierKeyFires) {
    Hold({DIK_RIGHT, DIK_ESCAPE});
    EXPECT_EQ(Polls(2), (Actions{ActionRight, ActionQuit}));
    Hold({DIK_SPACE, DIK_ESCAPE});
    EXPECT_EQ(Polls(2), (Actions{ActionRotate, ActionQuit}));
}

TEST_F(KeyboardTest, SpaceTurnsOnlyWhenMoreThanATenthOfASecondHasPassed) {
    Hold({DIK_SPACE});
    EXPECT_EQ(PollKeyboard(), ActionNone);  // start-up set the throttle to now
    headless::AdvanceTicks(1);
    ASSERT_EQ(PollKeyboard(), ActionRotate);
    const uint32_t fired = headless::Ticks();
    headless::SetTicks(fired + 40);
    EXPECT_EQ(PollKeyboard(), ActionNone);
    headless::SetTicks(fired + 100);
    EXPECT_EQ(PollKeyboard(), ActionNone);
    headless::SetTicks(fired + 101);
    EXPECT_EQ(PollKeyboard(), ActionRotate);
}

TEST_F(KeyboardTest, HeldSpaceTurnsEveryThirdFrame) {
    Hold({DIK_SPACE});
    EXPECT_EQ(Polls(7), (Actions{ActionRotate, ActionNone, ActionNone, ActionRotate, ActionNone,
                                 ActionNone, ActionRotate}));
}

TEST_F(KeyboardTest, AThrottledSpaceLetsLaterKeysThroughAndClearsTheLatch) {
    Hold({DIK_SPACE});
    ASSERT_EQ(Poll(), ActionRotate);
    keyLatch = 1;
    EXPECT_EQ(Poll(), ActionNone);
    EXPECT_EQ(keyLatch, 0);
    Hold({DIK_SPACE, DIK_ESCAPE});
    EXPECT_EQ(Poll(), ActionQuit);
}

TEST_F(KeyboardTest, TheTurnThrottleHoldsWhenItsDeadlineWraps) {
    const uint32_t fired = 0xFFFFFFC0u;  // fired + 100 wraps past 0
    headless::SetTicks(fired);
    Hold({DIK_SPACE});
    nextRotateTime = fired - 1;
    ASSERT_EQ(PollKeyboard(), ActionRotate);
    headless::SetTicks(fired + 60);
    EXPECT_EQ(PollKeyboard(), ActionNone);
    headless::SetTicks(fired + 100);
    EXPECT_EQ(PollKeyboard(), ActionNone);
    headless::SetTicks(fired + 101);
    EXPECT_EQ(PollKeyboard(), ActionRotate);
}

TEST_F(KeyboardTest, TheTurnStillWorksAfterTheTickCountWraps) {
    headless::SetTicks(0xFFFFFF00u);
    Hold({DIK_SPACE});
    nextRotateTime = 0xFFFFFF00u - 1;
    ASSERT_EQ(PollKeyboard(), ActionRotate);
    headless::SetTicks(0x100);
    EXPECT_EQ(PollKeyboard(), ActionRotate);
}

TEST_F(KeyboardTest, HeldReturnPausesOnceAndBlocksTheSidewaysKeys) {
    Hold({DIK_RETURN});
    EXPECT_EQ(Polls(4), (Actions{ActionPause, ActionNone, ActionNone, ActionNone}));
    EXPECT_EQ(keyLatch, 1);
    Hold({DIK_RETURN, DIK_LEFT, DIK_RIGHT});
    EXPECT_EQ(Polls(3), Actions(3, ActionNone));
    Hold({});
    EXPECT_EQ(Poll(), ActionNone);
    EXPECT_EQ(keyLatch, 0);
    Hold({DIK_RETURN});
    EXPECT_EQ(Poll(), ActionPause);
}

TEST_F(KeyboardTest, ReturnPressedWhileRightIsHeldNeedsAFreshPress) {
    Hold({DIK_RIGHT});
    ASSERT_EQ(Poll(), ActionRight);
    Hold({DIK_RIGHT, DIK_RETURN});
    EXPECT_EQ(Polls(4), Actions(4, ActionNone));
    Hold({DIK_RIGHT});
    EXPECT_EQ(Polls(2), (Actions{ActionNone, ActionRight}));
}

TEST_F(KeyboardTest, AFailedSnapshotGivesNothingAndLeavesTheLatch) {
    Hold({DIK_RIGHT});
    ASSERT_EQ(Poll(), ActionRight);
    headless::FailStep(Fault::GetDeviceState, 0, 2);
    EXPECT_EQ(Polls(2), (Actions{ActionNone, ActionNone}));
    EXPECT_EQ(keyLatch, 1);
    // The latch still blocks the next good poll, which clears it.
    EXPECT_EQ(Polls(2), (Actions{ActionNone, ActionRight}));

    Hold({});
    ASSERT_EQ(Poll(), ActionNone);
    headless::FailStep(Fault::GetDeviceState, 0, 1);
    Hold({DIK_RIGHT});
    EXPECT_EQ(Poll(), ActionNone);
    EXPECT_EQ(keyLatch, 0);
}

TEST_F(KeyboardTest, WithoutAKeyboardAPollGivesNothing) {
    ReleaseKeyboard();
    Hold({DIK_RIGHT});
    EXPECT_EQ(Poll(), ActionNone);
    EXPECT_EQ(keyLatch, 0);
}

}  // namespace
