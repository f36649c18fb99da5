// Full rows: found top first, scored n to the power n, taken out of the well
// with the crunch.
#include <gtest/gtest.h>

#include <set>

#include "audio/sound_clip.h"
#include "platform/hosts/headless/headless_control.h"
#include "rules/counters.h"
#include "rules/score.h"

namespace {

// Row r holds r % 7 + 1 but for a gap in column r % 10, so that rows can be
// told apart after they have moved; the listed rows are then filled.
Board RowsWithFull(const std::set<int32_t>& full) {
    Board cells{};
    for (int32_t row = 0; row < kBoardRows; ++row) {
        const auto first = cells.begin() + row * kBoardColumns;
        std::fill_n(first, kBoardColumns, static_cast<int16_t>(row % 7 + 1));
        first[row % kBoardColumns] = full.contains(row) ? 9 : 0;
    }
    return cells;
}

// The rows that are not full, in order, resting on the floor.
Board WithoutFullRows(const Board& before, const std::set<int32_t>& full) {
    Board cells{};
    int32_t target = kBoardRows - 1;
    for (int32_t row = kBoardRows - 1; row >= 0; --row) {
        if (!full.contains(row)) {
            std::copy_n(before.begin() + row * kBoardColumns, kBoardColumns,
                        cells.begin() + target-- * kBoardColumns);
        }
    }
    return cells;
}

// The crunch has two copies, so that a second play during one removal would
// be heard layered over the first.
TEST(FullRows, AreListedTopFirstAndRemovedWithOneCrunchAndEverythingAboveDropping) {
    platform::headless::Reset();
    ASSERT_EQ(InitSoundDevice(), 1);
    const std::vector<uint8_t> crunch(400, 140);
    crunchSound = new Sound();
    ASSERT_EQ(crunchSound->CreateBuffer(400, 2), 1);
    ASSERT_EQ(crunchSound->Fill(crunch.data(), 400), 1);
    ASSERT_EQ(crunchSound->MakeCopies(2), 1);
    std::vector<uint8_t> once(crunch);
    once.resize(500, 128);
    FullRows fullRows{};
    int32_t count = 99;
    EXPECT_FALSE(FindFullRows(RowsWithFull({}), fullRows, count));
    EXPECT_EQ(count, 0);
    for (const std::set<int32_t>& full : std::vector<std::set<int32_t>>{
             {22}, {0}, {19, 20, 21, 22}, {20, 22}, {0, 9, 22}, {3, 12, 17}}) {
        SCOPED_TRACE(*full.begin());
        Board cells = RowsWithFull(full);
        ASSERT_TRUE(FindFullRows(cells, fullRows, count));
        ASSERT_EQ(count, static_cast<int32_t>(full.size()));
        EXPECT_TRUE(std::equal(full.begin(), full.end(), fullRows.begin()));
        RemoveFullRows(count, fullRows, cells);
        EXPECT_EQ(cells, WithoutFullRows(RowsWithFull(full), full));
        std::vector<uint8_t> heard(500);
        platform::headless::PullAudio(heard.data(), 500);
        EXPECT_EQ(heard, once);
    }
    ReleaseSounds();
    ReleaseSoundDevice();
    Board filled;
    filled.fill(5);
    EXPECT_TRUE(FindFullRows(filled, fullRows, count));
    EXPECT_EQ(count, kBoardRows);
    EXPECT_EQ(fullRows[kBoardRows - 1], kBoardRows - 1);
    RemoveFullRows(count, fullRows, filled);  // and without a crunch to play
    EXPECT_EQ(filled, Board{});
}

// Entries 0 to 8 the shown digits of value, entry 9 all that lies above them.
Score ScoreOf(int64_t value) {
    Score score{};
    for (size_t entry = 0; entry < 9; ++entry) {
        score[entry] = static_cast<int32_t>(value % 10);
        value /= 10;
    }
    score[9] = static_cast<int32_t>(value);
    return score;
}

// Carried through every digit; the entry above the nine shown digits keeps
// what overflows, never reduced; the rows add up over the whole run. (Each
// landing's n to the power n is checked in the long random runs.)
TEST(Score, ALandingOfNRowsIsWorthNToThePowerN) {
    struct Case {
        int64_t before;
        int32_t rows;
        int64_t after;
    };
    rowsCleared = 0;
    for (const Case& c :
         {Case{0, 4, 256}, Case{9, 1, 10}, Case{999, 3, 1026}, Case{999'999'999, 1, 1'000'000'000},
          Case{99'999'999'999, 4, 100'000'000'255}}) {
        Score score = ScoreOf(c.before);
        AddRowScore(score, c.rows);
        EXPECT_EQ(score, ScoreOf(c.after)) << c.before << " + " << c.rows << " rows";
    }
    EXPECT_EQ(rowsCleared, 4 + 1 + 3 + 1 + 4);
}

}  // namespace
