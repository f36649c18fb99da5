// Finding full rows and taking them out of the well.
#include <gtest/gtest.h>

#include "rules/score.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

// Row r holds the value r + 1 except for one gap, so that every row can be
// told apart after rows have moved; the listed rows are filled completely.
Board MarkedRows(std::initializer_list<int32_t> fullRows = {}) {
    Board cells{};
    for (int32_t row = 0; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            CellAt(cells, row, column) = static_cast<int16_t>(row + 1);
        }
        CellAt(cells, row, row % kBoardColumns) = 0;
    }
    for (int32_t row : fullRows) {
        CellAt(cells, row, row % kBoardColumns) = -1;  // any value but 0 fills a cell
    }
    return cells;
}

// The board with a row taken out and an empty row let in at the top.
Board Without(const Board& cells, int32_t removed) {
    Board expected{};
    int32_t target = kBoardRows - 1;
    for (int32_t row = kBoardRows - 1; row >= 0; --row) {
        if (row != removed) {
            std::copy_n(cells.begin() + row * kBoardColumns, kBoardColumns,
                        expected.begin() + target-- * kBoardColumns);
        }
    }
    return expected;
}

TEST(FullRowsTest, FullRowsAreListedTopFirst) {
    FullRows fullRows{};
    int32_t count = 99;
    EXPECT_FALSE(FindFullRows(MarkedRows(), fullRows, count));
    EXPECT_EQ(count, 0);

    EXPECT_TRUE(FindFullRows(MarkedRows({22, 0, 9}), fullRows, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(std::vector<int32_t>(fullRows.begin(), fullRows.begin() + 3),
              (std::vector<int32_t>{0, 9, 22}));

    Board filled;
    filled.fill(5);
    EXPECT_TRUE(FindFullRows(filled, fullRows, count));
    EXPECT_EQ(count, kBoardRows);
    EXPECT_EQ(fullRows[kBoardRows - 1], kBoardRows - 1);
}

TEST(FullRowsTest, RemovingARowDropsEverythingAboveItByOne) {
    for (int32_t row : {0, 13, 22}) {
        SCOPED_TRACE(row);
        Board cells = MarkedRows();
        RemoveRow(row, cells);
        EXPECT_EQ(cells, Without(MarkedRows(), row));
    }
}

}  // namespace
