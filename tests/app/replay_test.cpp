#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/support/program_run.h"

namespace {

using test_support::FrameRecord;
using test_support::ProgramRun;
using test_support::Screen;

// A recorded session: the keys down at given ticks, from the title to the end
// screen. Moves, turns and drops are spread over about a minute of play.
void ScheduleSession() {
    using namespace platform;
    // Play keys are short taps; the keys that leave a screen are held for
    // longer than any pass takes, so that no poll can miss them.
    auto tap = [](uint32_t tick, uint8_t key, uint32_t held = 30) {
        headless::ScheduleKey(tick, key, true);
        headless::ScheduleKey(tick + held, key, false);
    };
    constexpr uint32_t kFirmPress = 120;
    tap(1200, DIK_RETURN);
    uint32_t state = 12345;
    const uint8_t playKeys[] = {DIK_LEFT, DIK_RIGHT, DIK_SPACE, DIK_DOWN, DIK_LEFT, DIK_DOWN};
    for (uint32_t tick = 1400; tick < 60000; tick += 90) {
        state = state * 1103515245u + 12345u;
        tap(tick, playKeys[(state >> 16) % sizeof playKeys]);
    }
    tap(60100, DIK_ESCAPE, kFirmPress);
    tap(60300, DIK_RETURN, kFirmPress);
}

struct Session {
    int32_t exitCode = -1;
    std::vector<Board> boards;  // the well at every frame of play
    int32_t rows = 0;
    std::vector<uint8_t> endScreen;  // shows the score
};

Session PlaySession() {
    platform::headless::Reset();
    test_support::ResetRunCounters();
    ScheduleSession();
    Session session;
    {
        ProgramRun run;
        // The recorded keys decide; the scripted player only watches.
        platform::headless::SetKeySource(nullptr);
        run.onFrame = [&session](const platform::headless::Frame& frame,
                                 const FrameRecord& record) {
            if (record.screen == Screen::Play) {
                session.boards.push_back(record.cells);
            }
            if (record.screen == Screen::End) {
                session.endScreen = frame.pixels;
            }
        };
        session.exitCode = run.Start();
        session.rows = rowsCleared;
    }
    platform::headless::Reset();
    return session;
}

TEST(Replay, TheSameSeedAndKeysGiveTheSameGame) {
    const Session first = PlaySession();
    const Session second = PlaySession();
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_GT(first.boards.size(), 1000u);
    EXPECT_EQ(first.rows, second.rows);
    EXPECT_FALSE(first.endScreen.empty());
    EXPECT_EQ(first.endScreen, second.endScreen);
    ASSERT_EQ(first.boards.size(), second.boards.size());
    for (size_t i = 0; i < first.boards.size(); ++i) {
        ASSERT_EQ(first.boards[i], second.boards[i]) << "frame " << i;
    }
}

}  // namespace
