#include <gtest/gtest.h>

#include "tests/support/program_run.h"

namespace {

using test_support::FilledCells;
using test_support::FrameRecord;
using test_support::ProgramRun;
using test_support::Screen;

class WholeGame : public ::testing::Test {
protected:
    WholeGame() {
        platform::headless::Reset();
        test_support::ResetRunCounters();
    }
    ~WholeGame() override { platform::headless::Reset(); }
};

TEST_F(WholeGame, ThreeGamesLostAtTheTopThenTheEndScreenWithTheScore) {
    ProgramRun run;
    bool rowsPrepared = false;
    int64_t framesShowingScore = 0;
    std::vector<int32_t> gamesLeftShown;
    bool endShowsScore = false;
    run.onFrame = [&](const platform::headless::Frame& frame, const FrameRecord& record) {
        if (record.screen == Screen::End) {
            endShowsScore = test_support::EndScoreShows(frame, run.Pictures(), 27);
        }
        if (record.screen != Screen::Play) {
            return;
        }
        // Three full rows wait at the bottom of the first game's well.
        if (!rowsPrepared) {
            for (int32_t row = 20; row < kBoardRows; ++row) {
                test_support::FillRow(board, row, 2, {});
            }
            rowsPrepared = true;
        }
        const auto& digits = run.Pictures().digits;
        if (test_support::PlayScoreShows(frame, digits, 27)) {
            ++framesShowingScore;
        }
        for (int32_t shown = 1; shown <= 3; ++shown) {
            if (test_support::ShowsSprite(frame, 473, 331, digits, shown)) {
                if (gamesLeftShown.empty() || gamesLeftShown.back() != shown) {
                    gamesLeftShown.push_back(shown);
                }
                EXPECT_EQ(shown, record.gamesLeft);
            }
        }
    };

    EXPECT_EQ(run.Start(), 0);

    const std::vector<Screen> expected = {Screen::Title, Screen::Loading, Screen::Play,
                                          Screen::End};
    EXPECT_EQ(run.ScreenSequence(), expected);
    EXPECT_EQ(run.Count(Screen::Title), 2);
    EXPECT_EQ(run.Count(Screen::End), 2);
    EXPECT_EQ(gamesLeftShown, (std::vector<int32_t>{3, 2, 1}));
    EXPECT_EQ(gamesLeft, 0);
    // Only the three prepared rows were ever full: 3 to the power 3.
    EXPECT_EQ(rowsCleared, 3);
    EXPECT_GT(framesShowingScore, 100);
    EXPECT_TRUE(endShowsScore);

    // Each game ended with a piece resting in the top row.
    int32_t gamesOver = 0;
    const auto& log = run.Log();
    for (size_t i = 1; i < log.size(); ++i) {
        if (log[i - 1].screen == Screen::Play && log[i - 1].gamesLeft != log[i].gamesLeft) {
            ++gamesOver;
            bool topRowTaken = false;
            for (int32_t column = 0; column < kBoardColumns; ++column) {
                topRowTaken = topRowTaken || log[i - 1].cells[static_cast<size_t>(column)] != 0;
            }
            EXPECT_TRUE(topRowTaken);
            // The next game starts on an empty well but for its first piece.
            if (log[i].screen == Screen::Play) {
                EXPECT_LE(FilledCells(log[i].cells), 4);
            }
        }
    }
    EXPECT_EQ(gamesOver, 3);
}

TEST_F(WholeGame, MovesAndTurnsReachThePieceInPlay) {
    test_support::Player player;
    // Left twice, a turn, then Escape; the first pass makes a gravity step.
    player.playKeys = [](int64_t playFrame) -> std::vector<uint8_t> {
        if (playFrame == 1 || playFrame == 3) {
            return {platform::DIK_LEFT};
        }
        if (playFrame == 5) {
            return {platform::DIK_SPACE};
        }
        if (playFrame < 7) {
            return {};
        }
        return {platform::DIK_ESCAPE};
    };
    ProgramRun run(player);
    EXPECT_EQ(run.Start(), 0);

    // The first piece came in at column 4 and went two columns left.
    const auto& log = run.Log();
    auto firstColumn = [](const Board& cells) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            for (int32_t row = 0; row < kBoardRows; ++row) {
                if (cells[static_cast<size_t>(row * kBoardColumns + column)] != 0) {
                    return column;
                }
            }
        }
        return -1;
    };
    std::vector<const FrameRecord*> play;
    for (const auto& record : log) {
        if (record.screen == Screen::Play) {
            play.push_back(&record);
        }
    }
    ASSERT_EQ(play.size(), 7u);
    EXPECT_EQ(firstColumn(play[0]->cells), 4);
    EXPECT_EQ(firstColumn(play[1]->cells), 3);
    EXPECT_EQ(firstColumn(play[3]->cells), 2);
    // Only the square looks the same after a turn.
    const bool square = std::count(play[4]->cells.begin(), play[4]->cells.end(), 7) == 4;
    EXPECT_EQ(play[5]->cells == play[4]->cells, square);
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(run.ScreenSequence().back(), Screen::End);
}

}  // namespace
