// Random play from seeded generators, every frame of play checked against the
// game's own state. A short soak runs with the tests; STACKWELL_SOAK_RUNS asks
// for a longer one (make soak).
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/support/program_run.h"
#include "tests/support/screen_check.h"

namespace {

using test_support::Keys;

// Checks every frame of play of one run, and now and then lays full rows in
// the lowest empty rows of the well for the next landing to clear.
struct PlayChecker {
    void Check(const platform::headless::Frame& frame) {
        ++frames;
        for (int32_t i = 0; i < kBoardRows * kBoardColumns; ++i) {
            const int16_t cell = board[static_cast<size_t>(i)];
            ASSERT_TRUE(cell >= 0 && cell <= 7) << "cell " << i << " holds " << cell;
            ASSERT_TRUE(
                test_support::CellShows(frame, i / kBoardColumns, i % kBoardColumns, tiles, cell))
                << "cell " << i << " is not drawn as the board says";
        }
        const int64_t score = test_support::PlayScoreShown(frame, digits);
        ASSERT_GE(score, 0) << "a score digit shows no digit 0 to 9";
        ASSERT_EQ(test_support::DigitShown(frame, 473, 331, digits), gamesLeft);
        // Rows and score only grow: a landing that clears n rows (at most four
        // a piece, and the laid ones) adds n to the power n. (What a move does
        // to the well is checked move by move with the rules.)
        const int32_t rows = rowsCleared - previousRows;
        ASSERT_TRUE(rows >= 0 && rows <= 4 + rowsLaid) << previousRows << " -> " << rowsCleared;
        static const int64_t kPowers[] = {0, 1, 4, 27, 256, 3125, 46656, 823543, 16777216};
        ASSERT_EQ(score - previousScore, kPowers[rows]) << rows << " rows cleared";
        rowsSeen += rows;
        rowsLaid = rows > 0 ? 0 : rowsLaid;
        if (rowsLaid == 0 && random() % 100 == 0) {
            LayFullRows(static_cast<int32_t>(1 + random() % 4));
        }
        previousRows = rowsCleared;
        previousScore = score;
    }

    void LayFullRows(int32_t rows) {
        for (int32_t row = kBoardRows - 1, emptyBelow = 0; row >= 1; --row) {
            const auto first = board.begin() + row * kBoardColumns;
            const bool empty =
                std::all_of(first, first + kBoardColumns, [](int16_t c) { return c == 0; });
            emptyBelow = empty ? emptyBelow + 1 : 0;
            if (emptyBelow == rows) {
                std::generate(first, first + rows * kBoardColumns,
                              [this] { return static_cast<int16_t>(1 + random() % 7); });
                rowsLaid = rows;
                return;
            }
        }
    }

    std::mt19937 random;
    int64_t frames = 0, rowsSeen = 0;
    const test_support::PictureFile tiles = test_support::ReadPictureFile("cubeshards2.bmp");
    const test_support::PictureFile digits = test_support::ReadPictureFile("score.bmp");
    int32_t rowsLaid = 0;  // full rows laid and not yet cleared
    int32_t previousRows = 0;
    int64_t previousScore = 0;
};

TEST(Soak, RandomPlayKeepsTheWellTheScoreAndTheDevicesInOrder) {
    const char* asked = std::getenv("STACKWELL_SOAK_RUNS");
    const int64_t runs = asked != nullptr && *asked != '\0' ? std::strtoll(asked, nullptr, 10) : 7;
    int64_t games = 0, playFrames = 0, rowsSeen = 0;
    for (uint32_t seed = 1; seed <= runs && !testing::Test::HasFailure(); ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        PlayChecker checker{std::mt19937(~seed)};
        test_support::Script script;
        script.startTick = 1000 + seed * 7919u;  // the game seeds its pieces from the clock
        script.titleReads = random() % 6;
        script.endReads = random() % 6;
        // One run in five ends with Escape somewhere in play; the others go on
        // until their three games are over.
        script.playReads = random() % 5 == 0 ? 50 + random() % 3000 : 1'000'000;
        // Mostly down, steering and turns, now and then two keys or a pause.
        script.playKeys = [&random](int64_t) {
            using namespace platform;
            static const Keys choices[] = {{DIK_DOWN},           {DIK_DOWN},
                                           {DIK_DOWN},           {},
                                           {DIK_LEFT},           {DIK_RIGHT},
                                           {DIK_SPACE},          {},
                                           {DIK_LEFT, DIK_DOWN}, {DIK_RIGHT, DIK_SPACE}};
            return random() % 50 == 0 ? Keys{DIK_RETURN} : choices[random() % std::size(choices)];
        };
        script.onFrame = [&](const platform::headless::Frame& frame, test_support::Phase phase) {
            if (phase == test_support::Phase::Play && !testing::Test::HasFatalFailure()) {
                checker.Check(frame);
            }
        };
        const test_support::Outcome outcome = test_support::RunProgram(script);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_FALSE(outcome.overran);
        EXPECT_EQ(outcome.leftAlive, "");
        games += 3 - gamesLeft;
        playFrames += checker.frames;
        rowsSeen += checker.rowsSeen;
    }
    // Most runs play all three games; the checks saw real play.
    EXPECT_GE(games, 2 * runs);
    EXPECT_GT(playFrames, 100 * runs);
    EXPECT_GT(rowsSeen, runs);
    std::cout << "soak: " << runs << " runs, " << games << " games, " << playFrames
              << " frames of play checked, " << rowsSeen << " rows cleared\n";
}

}  // namespace
