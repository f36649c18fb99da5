// The scripted keyboard of the headless backend.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/backend.h"
#include "platform/headless/control.h"
#include "platform/keys.h"

namespace platform {
namespace {

bool Down(uint8_t scanCode) {
    uint8_t keys[256];
    EXPECT_TRUE(backend::ReadKeyboard(keys));
    return keys[scanCode] == kKeyDown;
}

TEST(HeadlessKeys, ChangesTakeEffectAtTheirTickAndTheLatestWins) {
    headless::Reset();
    const uint32_t start = headless::Ticks();
    headless::ScheduleKey(start + 30, DIK_DOWN, false);
    headless::ScheduleKey(start + 10, DIK_DOWN, true);
    headless::ScheduleKey(start + 10, DIK_ESCAPE, true);
    headless::ScheduleKey(start + 10, DIK_ESCAPE, false);  // same tick: the later one counts
    headless::AdvanceTicks(9);
    EXPECT_FALSE(Down(DIK_DOWN));
    headless::AdvanceTicks(1);
    EXPECT_TRUE(Down(DIK_DOWN));
    EXPECT_FALSE(Down(DIK_ESCAPE));
    headless::AdvanceTicks(20);
    EXPECT_FALSE(Down(DIK_DOWN));

    // Clearing the schedule keeps the keys as they are now.
    headless::SetKey(DIK_LEFT, true);
    headless::ScheduleKey(start + 35, DIK_LEFT, false);
    headless::ScheduleKey(start + 35, DIK_RETURN, true);
    headless::ClearKeySchedule();
    headless::AdvanceTicks(10);
    EXPECT_TRUE(Down(DIK_LEFT));
    EXPECT_FALSE(Down(DIK_RETURN));
}

TEST(HeadlessKeys, TheScheduleFollowsTheClockAcrossItsWrap) {
    headless::Reset(0xFFFFFFF0u);
    headless::ScheduleKey(0x00000008u, DIK_RETURN, true);
    EXPECT_FALSE(Down(DIK_RETURN));
    headless::AdvanceTicks(0x17);  // now 0x00000007
    EXPECT_FALSE(Down(DIK_RETURN));
    headless::AdvanceTicks(1);
    EXPECT_TRUE(Down(DIK_RETURN));
}

TEST(HeadlessKeys, ASourceDecidesTheWholeSnapshotInDeviceBytes) {
    headless::Reset();
    headless::SetKey(DIK_LEFT, true);
    uint32_t seenTick = 0;
    headless::SetKeySource([&](uint32_t tick, uint8_t* keys) {
        seenTick = tick;
        keys[DIK_RIGHT] = 1;
    });
    EXPECT_TRUE(Down(DIK_RIGHT));
    EXPECT_EQ(seenTick, headless::Ticks());
    EXPECT_FALSE(Down(DIK_LEFT)) << "the source replaces the timeline";
    headless::SetKeySource(nullptr);
    EXPECT_TRUE(Down(DIK_LEFT));
}

}  // namespace
}  // namespace platform
