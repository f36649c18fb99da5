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

constexpr Action N = ActionNone;

// Keys held for a while, and the actions their polls give, one a frame.
struct Stretch {
    KeySet held;
    Actions actions;
};

struct Sequence {
    const char* name;
    std::vector<Stretch> stretches;
};

const Sequence kSequences[] = {
    {"HeldSidewaysKeyFiresOnEverySecondPoll",
     {{{DIK_RIGHT}, {ActionRight, N, ActionRight, N}},
      {{DIK_LEFT}, {ActionLeft, N, ActionLeft, N}}}},
    {"RightWinsOverLeft", {{{DIK_LEFT, DIK_RIGHT}, {ActionRight, N, ActionRight, N}}}},
    {"DownFiresOnEveryPollAndKeepsTheLatch",
     {{{DIK_DOWN}, {ActionDown, ActionDown}},
      {{DIK_DOWN, DIK_RIGHT}, {ActionRight, ActionDown, ActionDown, ActionDown}}}},
    {"DownStopsTurningAndQuitting", {{{DIK_DOWN, DIK_SPACE, DIK_ESCAPE}, Actions(6, ActionDown)}}},
    {"EscapeWaitsForAPollInWhichNoEarlierKeyFires",
     {{{DIK_RIGHT, DIK_ESCAPE}, {ActionRight, ActionQuit}},
      {{DIK_SPACE, DIK_ESCAPE}, {ActionRotate, ActionQuit}}}},
    {"HeldSpaceTurnsEveryThirdFrame",
     {{{DIK_SPACE}, {ActionRotate, N, N, ActionRotate, N, N, ActionRotate}}}},
    {"AThrottledSpaceLetsLaterKeysThroughAndClearsTheLatch",
     {{{DIK_SPACE}, {ActionRotate}},
      {{DIK_RIGHT}, {ActionRight}},
      {{DIK_SPACE}, {N}},
      {{DIK_RIGHT}, {ActionRight}},
      {{DIK_SPACE}, {ActionRotate}},
      {{DIK_SPACE, DIK_ESCAPE}, {ActionQuit}}}},
    {"HeldReturnPausesOnceAndBlocksTheSidewaysKeys",
     {{{DIK_RETURN}, {ActionPause, N, N}},
      {{DIK_RETURN, DIK_LEFT, DIK_RIGHT}, {N, N}},
      {{}, {N}},
      {{DIK_RETURN}, {ActionPause}}}},
    {"ReturnPressedWhileRightIsHeldNeedsAFreshPress",
     {{{DIK_RIGHT}, {ActionRight}},
      {{DIK_RIGHT, DIK_RETURN}, {N, N, N}},
      {{DIK_RIGHT}, {N, ActionRight}}}},
};

void PrintTo(const Sequence& sequence, std::ostream* out) {
    *out << sequence.name;
}

class PollSequenceTest : public KeyboardTest, public ::testing::WithParamInterface<Sequence> {};

TEST_P(PollSequenceTest, GivesItsActions) {
    for (const Stretch& stretch : GetParam().stretches) {
        Hold(stretch.held);
        EXPECT_EQ(Polls(static_cast<int>(stretch.actions.size())), stretch.actions);
    }
}

INSTANTIATE_TEST_SUITE_P(Keys, PollSequenceTest, ::testing::ValuesIn(kSequences),
                         [](const ::testing::TestParamInfo<Sequence>& sequence) {
                             return std::string(sequence.param.name);
                         });

// Also where the deadline, 100 ms after the turn, wraps past 0. Each check
// starts from a fresh turn, so that no two reads come within the keyboard's
// 10 ms spacing.
TEST_F(KeyboardTest, SpaceTurnsOnlyWhenMoreThanATenthOfASecondHasPassed) {
    Hold({DIK_SPACE});
    EXPECT_EQ(PollKeyboard(), N);  // start-up set the throttle to now
    for (uint32_t fired : {headless::Ticks() + 1000, 0xFFFFFFC0u}) {
        for (uint32_t after : {40u, 100u, 101u}) {
            SCOPED_TRACE(::testing::Message() << fired << " + " << after);
            headless::SetTicks(fired);
            Hold({DIK_SPACE});
            nextRotateTime = fired - 1;
            ASSERT_EQ(PollKeyboard(), ActionRotate);
            headless::SetTicks(fired + after);
            EXPECT_EQ(PollKeyboard(), after > 100 ? ActionRotate : N);
        }
    }
}

TEST_F(KeyboardTest, AFailedSnapshotGivesNothingAndLeavesTheLatch) {
    Hold({DIK_RIGHT});
    ASSERT_EQ(Poll(), ActionRight);
    headless::FailStep(Fault::GetDeviceState, 0, 2);
    EXPECT_EQ(Polls(2), (Actions{N, N}));
    EXPECT_EQ(keyLatch, 1);
    // The latch still blocks the next good poll, which clears it.
    EXPECT_EQ(Polls(2), (Actions{N, ActionRight}));

    ReleaseKeyboard();
    EXPECT_EQ(Poll(), N) << "no keyboard, no action";
}

}  // namespace
