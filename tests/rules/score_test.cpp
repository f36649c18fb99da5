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

class ScoreTest : public ::testing::Test {
protected:
    void SetUp() override { rowsCleared = 0; }
    void TearDown() override { rowsCleared = 0; }
};

TEST_F(ScoreTest, ALandingOfNRowsIsWorthNToThePowerN) {
    const int64_t points[] = {0, 1, 4, 27, 256};
    for (int32_t n = 1; n <= 4; ++n) {
        SCOPED_TRACE(n);
        Score score{};
        AddRowScore(score, n);
        EXPECT_EQ(score, ScoreOf(points[n]));
    }
}

TEST_F(ScoreTest, CarriesRunThroughEveryDigit) {
    Score score = ScoreOf(9);
    AddRowScore(score, 1);
    EXPECT_EQ(score, ScoreOf(10));

    score = ScoreOf(999);
    AddRowScore(score, 3);
    EXPECT_EQ(score, ScoreOf(1026));

    score = ScoreOf(999'999'999);
    AddRowScore(score, 1);
    EXPECT_EQ(score, ScoreOf(1'000'000'000));  // nine zeros shown, entry 9 is 1

    score = ScoreOf(999'999'999);
    score[9] = 99;  // entry 9 is never reduced
    AddRowScore(score, 4);
    Score expected = ScoreOf(255);
    expected[9] = 100;
    EXPECT_EQ(score, expected);
}

TEST_F(ScoreTest, RemovedRowsAddUpOverTheWholeRun) {
    Score score{};
    for (int32_t n : {4, 4, 2}) {
        AddRowScore(score, n);
    }
    EXPECT_EQ(rowsCleared, 10);
    EXPECT_EQ(score, ScoreOf(256 + 256 + 4));
}

}  // namespace
