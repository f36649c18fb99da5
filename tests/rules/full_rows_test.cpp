#include <gtest/gtest.h>

#include "rules/score.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

// Each row r filled with the value r % 7 + 1 except for one gap, so that
// every row can be told apart after rows have moved.
Board MarkedRows() {
    Board cells{};
    for (int32_t row = 0; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            CellAt(cells, row, column) = static_cast<int16_t>(row % 7 + 1);
        }
        CellAt(cells, row, row % kBoardColumns) = 0;
    }
    return cells;
}

void FillRow(Board& cells, int32_t row) {
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        CellAt(cells, row, column) = static_cast<int16_t>(column % 7 + 1);
    }
}

void ExpectRowEquals(const Board& actual, int32_t actualRow, const Board& expected,
                     int32_t expectedRow) {
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        EXPECT_EQ(actual[actualRow * kBoardColumns + column],
                  expected[expectedRow * kBoardColumns + column])
            << "row " << actualRow << " (from " << expectedRow << ") column " << column;
    }
}

TEST(FullRowsTest, RowsWithAGapAreNotFull) {
    const Board cells = MarkedRows();
    FullRows fullRows{};
    int32_t count = 99;
    EXPECT_FALSE(FindFullRows(cells, fullRows, count));
    EXPECT_EQ(count, 0);
}

TEST(FullRowsTest, FullRowsAreListedTopFirstWhateverTheirBlocks) {
    Board cells = MarkedRows();
    FillRow(cells, 22);
    FillRow(cells, 0);
    FillRow(cells, 9);
    CellAt(cells, 9, 3) = -1;  // any value but 0 fills a cell
    FullRows fullRows{};
    int32_t count = 0;
    EXPECT_TRUE(FindFullRows(cells, fullRows, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(fullRows[0], 0);
    EXPECT_EQ(fullRows[1], 9);
    EXPECT_EQ(fullRows[2], 22);
}

TEST(FullRowsTest, AWellFilledToTheTopListsEveryRow) {
    Board cells;
    cells.fill(5);
    FullRows fullRows{};
    int32_t count = 0;
    EXPECT_TRUE(FindFullRows(cells, fullRows, count));
    ASSERT_EQ(count, kBoardRows);
    for (int32_t row = 0; row < kBoardRows; ++row) {
        EXPECT_EQ(fullRows[row], row);
    }
}

TEST(FullRowsTest, RemovingARowDropsEverythingAboveItByOne) {
    const Board before = MarkedRows();
    Board cells = before;
    RemoveRow(13, cells);
    for (int32_t row = 0; row < kBoardColumns; ++row) {
        EXPECT_EQ(CellAt(cells, 0, row), 0);
    }
    for (int32_t row = 1; row <= 13; ++row) {
        ExpectRowEquals(cells, row, before, row - 1);
    }
    for (int32_t row = 14; row < kBoardRows; ++row) {
        ExpectRowEquals(cells, row, before, row);
    }
}

TEST(FullRowsTest, RemovingTheTopRowOnlyEmptiesIt) {
    const Board before = MarkedRows();
    Board cells = before;
    RemoveRow(0, cells);
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        EXPECT_EQ(CellAt(cells, 0, column), 0);
    }
    for (int32_t row = 1; row < kBoardRows; ++row) {
        ExpectRowEquals(cells, row, before, row);
    }
}

TEST(FullRowsTest, RemovingTheBottomRowDropsTheWholeStack) {
    const Board before = MarkedRows();
    Board cells = before;
    RemoveRow(22, cells);
    for (int32_t row = 1; row < kBoardRows; ++row) {
        ExpectRowEquals(cells, row, before, row - 1);
    }
    ClearTopRow(cells);
    ExpectRowEquals(cells, 0, Board{}, 0);
}

}  // namespace
