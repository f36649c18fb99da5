#include <gtest/gtest.h>

#include "tests/support/program_run.h"

namespace {

using test_support::FrameRecord;
using test_support::ProgramRun;
using test_support::Screen;

class Quitting : public ::testing::Test {
protected:
    Quitting() {
        platform::headless::Reset();
        test_support::ResetRunCounters();
    }
    ~Quitting() override { platform::headless::Reset(); }

    // Asks the window to close once the given screen has shown that many frames.
    static void CloseAt(ProgramRun& run, Screen screen, int64_t frames) {
        run.onFrame = [&run, screen, frames](const platform::headless::Frame&,
                                             const FrameRecord& record) {
            if (record.screen == screen && run.Count(screen) == frames) {
                platform::headless::RequestClose();
            }
        };
    }
};

TEST_F(Quitting, EscapeInPlayEndsTheRunAndTheEndScreenFollows) {
    test_support::Player player;
    player.playKeys = [](int64_t playFrame) -> std::vector<uint8_t> {
        return {playFrame < 30 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    };
    ProgramRun run(player);
    EXPECT_EQ(run.Start(), 0);
    EXPECT_EQ(run.Count(Screen::Play), 30);
    EXPECT_EQ(run.ScreenSequence().back(), Screen::End);
    EXPECT_EQ(gamesLeft, 2);
}

TEST_F(Quitting, ClosingTheWindowDuringTheTitleEndsTheRunBeforeTheFirstPiece) {
    ProgramRun run;
    CloseAt(run, Screen::Title, 1);
    EXPECT_EQ(run.Start(), 0);
    EXPECT_FALSE(platform::headless::WindowOpen());
    // No round was played and, with the window gone, no end screen was shown.
    const std::vector<Screen> expected = {Screen::Title, Screen::Loading};
    EXPECT_EQ(run.ScreenSequence(), expected);
    // The title gave way at once, without Return.
    EXPECT_EQ(run.Count(Screen::Title), 1);
    EXPECT_EQ(gamesLeft, 2);
}

TEST_F(Quitting, ClosingTheWindowInTheSecondGameEndsTheRunAtTheNextPiece) {
    ProgramRun run;
    int64_t playFramesWhenClosed = -1;
    run.onFrame = [&](const platform::headless::Frame&, const FrameRecord& record) {
        if (record.screen == Screen::Play && record.gamesLeft == 2 && playFramesWhenClosed < 0) {
            playFramesWhenClosed = run.Count(Screen::Play);
            platform::headless::RequestClose();
        }
    };
    EXPECT_EQ(run.Start(), 0);
    EXPECT_FALSE(platform::headless::WindowOpen());
    EXPECT_EQ(gamesLeft, 1);
    EXPECT_EQ(run.ScreenSequence().back(), Screen::Play);
    // Down held: the first piece of the game lands within a well's depth of frames.
    EXPECT_LT(run.Count(Screen::Play) - playFramesWhenClosed, 25);
}

TEST_F(Quitting, TheExitCodeIsThatOfTheQuitMessage) {
    ProgramRun run;
    run.onFrame = [&](const platform::headless::Frame&, const FrameRecord& record) {
        if (record.screen == Screen::Play && run.Count(Screen::Play) == 3) {
            platform::PostQuitMessage(5);
        }
    };
    EXPECT_EQ(run.Start(), 5);
    // The window is still there, so the end screen shows the score.
    EXPECT_EQ(run.ScreenSequence().back(), Screen::End);
    EXPECT_EQ(gamesLeft, 2);
}

}  // namespace
