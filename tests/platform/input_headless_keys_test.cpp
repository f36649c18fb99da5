// The scripted keyboard of the headless backend.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/backend.h"
#include "platform/headless/control.h"
#include "platform/keys.h"

namespace platform {
namespace {

class HeadlessKeysTest : public testing::Test {
protected:
    void SetUp() override { headless::Reset(); }

    bool Down(uint8_t scanCode) {
        uint8_t keys[256];
        EXPECT_TRUE(backend::ReadKeyboard(keys));
        return keys[scanCode] == kKeyDown;
    }
};

TEST_F(HeadlessKeysTest, ChangesTakeEffectAtTheirTickAndTheLatestWins) {
    uint32_t start = headless::Ticks();
    headless::ScheduleKey(start + 30, DIK_DOWN, false);
    headless::ScheduleKey(start + 10, DIK_DOWN, true);
    headless::ScheduleKey(start + 10, DIK_ESCAPE, true);
    headless::ScheduleKey(start + 10, DIK_ESCAPE, false);  // same tick: the later one counts
    headless::AdvanceTicks(9);
    EXPECT_FALSE(Down(DIK_DOWN));
    headless::AdvanceTicks(1);
    EXPECT_TRUE(Down(DIK_DOWN));
    headless::AdvanceTicks(5);
    EXPECT_TRUE(Down(DIK_DOWN));
    EXPECT_FALSE(Down(DIK_ESCAPE));
    headless::AdvanceTicks(15);
    EXPECT_FALSE(Down(DIK_DOWN));
}

TEST_F(HeadlessKeysTest, ClearingTheScheduleKeepsTheKeysAsTheyAreNow) {
    uint32_t start = headless::Ticks();
    headless::SetKey(DIK_LEFT, true);
    headless::ScheduleKey(start + 5, DIK_LEFT, false);
    headless::ScheduleKey(start + 5, DIK_RETURN, true);
    headless::ClearKeySchedule();
    headless::AdvanceTicks(10);
    EXPECT_TRUE(Down(DIK_LEFT));
    EXPECT_FALSE(Down(DIK_RETURN));
}

TEST_F(HeadlessKeysTest, TheScheduleFollowsTheClockAcrossItsWrap) {
    headless::Reset(0xFFFFFFF0u);
    headless::ScheduleKey(0x00000008u, DIK_RETURN, true);
    EXPECT_FALSE(Down(DIK_RETURN));
    headless::AdvanceTicks(0x17);  // now 0x00000007
    EXPECT_FALSE(Down(DIK_RETURN));
    headless::AdvanceTicks(1);
    EXPECT_TRUE(Down(DIK_RETURN));
}

TEST_F(HeadlessKeysTest, ASourceDecidesTheWholeSnapshotInDeviceBytes) {
    headless::SetKey(DIK_LEFT, true);
    uint32_t seenTick = 0;
    headless::SetKeySource([&](uint32_t tick, uint8_t* keys) {
        seenTick = tick;
        keys[DIK_RIGHT] = 1;
    });
    uint8_t keys[256];
    ASSERT_TRUE(backend::ReadKeyboard(keys));
    EXPECT_EQ(seenTick, headless::Ticks());
    EXPECT_EQ(keys[DIK_RIGHT], kKeyDown);
    EXPECT_EQ(keys[DIK_LEFT], 0) << "the source replaces the timeline";
    headless::SetKeySource(nullptr);
    EXPECT_TRUE(Down(DIK_LEFT));
}

}  // namespace
}  // namespace platform
