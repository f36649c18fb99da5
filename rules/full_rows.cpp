#include "rules/score.h"

namespace {

bool RowIsFull(const Board& cells, int32_t row) {
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        if (cells[row * kBoardColumns + column] == 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool FindFullRows(const Board& cells, FullRows& fullRows, int32_t& fullRowCount) {
    fullRowCount = 0;
    for (int32_t row = 0; row < kBoardRows; ++row) {
        if (RowIsFull(cells, row)) {
            fullRows[fullRowCount] = row;
            ++fullRowCount;
        }
    }
    return fullRowCount > 0;
}

// Every row above the removed one drops by one; the rows below stay.
void RemoveRow(int32_t row, Board& cells) {
    for (int32_t target = row; target >= 1; --target) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            cells[target * kBoardColumns + column] = cells[(target - 1) * kBoardColumns + column];
        }
    }
    ClearTopRow(cells);
}

void ClearTopRow(Board& cells) {
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        cells[column] = 0;
    }
}
