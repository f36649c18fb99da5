#include <gtest/gtest.h>

#include "rules/counters.h"
#include "rules/score.h"

namespace {

Score ScoreOf(int64_t value) {
    Score score{};
    for (int32_t& digit : score) {
        digit = static_cast<int32_t>(value % 10);
        value /= 10;
    }
    return score;
}

// A landing of n rows is worth n to the power n, carried through every digit;
// the entry above the nine shown digits keeps what overflows, never reduced.
TEST(ScoreTest, ALandingOfNRowsIsWorthNToThePowerNCarriedThroughEveryDigit) {
    struct Case {
        int64_t before;
        int32_t rows;
        int64_t after;
    };
    for (const Case& c :
         {Case{0, 1, 1}, Case{0, 2, 4}, Case{0, 3, 27}, Case{0, 4, 256}, Case{9, 1, 10},
          Case{999, 3, 1026}, Case{999'999'999, 1, 1'000'000'000}}) {
        Score score = ScoreOf(c.before);
        AddRowScore(score, c.rows);
        EXPECT_EQ(score, ScoreOf(c.after)) << c.before << " + " << c.rows << " rows";
    }
    Score score = ScoreOf(999'999'999);
    score[9] = 99;
    AddRowScore(score, 4);
    Score expected = ScoreOf(255);
    expected[9] = 100;
    EXPECT_EQ(score, expected);
}

TEST(ScoreTest, RemovedRowsAddUpOverTheWholeRun) {
    rowsCleared = 0;
    Score score{};
    for (int32_t n : {4, 4, 2}) {
        AddRowScore(score, n);
    }
    EXPECT_EQ(rowsCleared, 10);
    EXPECT_EQ(score, ScoreOf(256 + 256 + 4));
    rowsCleared = 0;
}

}  // namespace
