#include <gtest/gtest.h>

#include "flow/keyboard.h"
#include "tests/support/play_rig.h"

namespace {

namespace headless = platform::headless;
using namespace platform;
using Keys = std::vector<uint8_t>;
using Actions = std::vector<Action>;
constexpr Action N = ActionNone;

// Exactly these keys are down from now on.
void Hold(const Keys& keys) {
    for (int code = 0; code < 256; ++code) {
        headless::SetKey(static_cast<uint8_t>(code),
                         std::count(keys.begin(), keys.end(), code) != 0);
    }
}

// Polls a frame apart, as in the fall loop.
Actions Polls(size_t count) {
    Actions actions;
    for (size_t i = 0; i < count; ++i) {
        headless::AdvanceTicks(40);
        actions.push_back(PollKeyboard());
    }
    return actions;
}

struct Keyboard : ::testing::Test {
    void SetUp() override { nextRotateTime = headless::Ticks(); }  // as start-up sets it
    test_support::PlayRig rig;
};

// Keys held for a while and the actions of their polls, one a frame.
using Stretches = std::vector<std::pair<Keys, Actions>>;

TEST_F(Keyboard, HeldKeysGiveTheirActionsThroughTheLatchAndTheTurnThrottle) {
    const Stretches cases[] = {
        {{{DIK_RIGHT}, {ActionRight, N, ActionRight, N}},
         {{DIK_LEFT}, {ActionLeft, N, ActionLeft}}},
        {{{DIK_LEFT, DIK_RIGHT}, {ActionRight, N, ActionRight, N}}},
        {{{DIK_DOWN}, {ActionDown, ActionDown}},
         {{DIK_DOWN, DIK_RIGHT}, {ActionRight, ActionDown, ActionDown}}},
        {{{DIK_DOWN, DIK_SPACE, DIK_ESCAPE}, Actions(6, ActionDown)}},
        {{{DIK_RIGHT, DIK_ESCAPE}, {ActionRight, ActionQuit}},
         {{DIK_SPACE, DIK_ESCAPE}, {ActionRotate, ActionQuit}}},
        {{{DIK_SPACE}, {ActionRotate}},
         {{DIK_RIGHT}, {ActionRight}},
         {{DIK_SPACE}, {N}},
         {{DIK_RIGHT}, {ActionRight}},
         {{DIK_SPACE}, {ActionRotate}},
         {{DIK_SPACE, DIK_ESCAPE}, {ActionQuit}}},
        {{{DIK_RETURN}, {ActionPause, N, N}},
         {{DIK_RETURN, DIK_LEFT, DIK_RIGHT}, {N, N}},
         {{}, {N}},
         {{DIK_RETURN}, {ActionPause}}},
        {{{DIK_RIGHT}, {ActionRight}},
         {{DIK_RIGHT, DIK_RETURN}, {N, N, N}},
         {{DIK_RIGHT}, {N, ActionRight}}},
    };
    for (size_t c = 0; c < std::size(cases); ++c) {
        keyLatch = 0;
        nextRotateTime = headless::Ticks();
        for (const auto& [held, actions] : cases[c]) {
            Hold(held);
            EXPECT_EQ(Polls(actions.size()), actions) << "case " << c;
        }
    }
}

// Also where the deadline, 100 ms after the turn, wraps past 0. Each check
// starts from a fresh turn: reads closer than 10 ms apart wait.
TEST_F(Keyboard, SpaceTurnsOnlyWhenMoreThanATenthOfASecondHasPassed) {
    Hold({DIK_SPACE});
    EXPECT_EQ(PollKeyboard(), N);  // start-up set the throttle to now
    for (uint32_t fired : {headless::Ticks() + 1000, 0xFFFFFFC0u}) {
        for (uint32_t after : {40u, 100u, 101u}) {
            headless::SetTicks(fired);
            Hold({DIK_SPACE});
            nextRotateTime = fired - 1;
            ASSERT_EQ(PollKeyboard(), ActionRotate);
            headless::SetTicks(fired + after);
            EXPECT_EQ(PollKeyboard(), after > 100 ? ActionRotate : N) << fired << " + " << after;
        }
    }
}

// A tap of Return pauses; the pause ends at the first poll after the next
// tap of Return, however short, which stays latched, and a tap of Escape
// meanwhile does nothing. The music stops meanwhile, so the pause's end can
// start it again.
TEST_F(Keyboard, TapsOfReturnPauseAndEndThePause) {
    ASSERT_EQ(musicSound->Play(1), 0);
    const uint32_t start = headless::Ticks();
    headless::ScheduleKey(start + 5, DIK_RETURN, true);
    headless::ScheduleKey(start + 6, DIK_RETURN, false);
    ASSERT_EQ(Polls(1), Actions{ActionPause});  // at +40; the pause polls every 10 ms
    headless::ScheduleKey(start + 73, DIK_ESCAPE, true);
    headless::ScheduleKey(start + 74, DIK_ESCAPE, false);
    headless::ScheduleKey(start + 101, DIK_RETURN, true);
    headless::ScheduleKey(start + 102, DIK_RETURN, false);
    EXPECT_EQ(PauseGame(), 0);
    EXPECT_EQ(headless::Ticks(), start + 110);
    EXPECT_EQ(keyLatch, 1);
    EXPECT_EQ(Polls(2), (Actions{N, N}));
}

TEST_F(Keyboard, AFailedSnapshotGivesNothingAndLeavesTheLatch) {
    Hold({DIK_RIGHT});
    ASSERT_EQ(Polls(1), Actions{ActionRight});
    headless::FailStep(Fault::GetDeviceState, 0, 2);
    EXPECT_EQ(Polls(4), (Actions{N, N, N, ActionRight}));
    ReleaseKeyboard();
    EXPECT_EQ(Polls(1), Actions{N}) << "no keyboard, no action";
}

}  // namespace
