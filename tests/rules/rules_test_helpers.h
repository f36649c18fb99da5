// The blocks of a piece read straight from its record, and boards built from
// them.
#pragma once

#include <gtest/gtest.h>

#include <compare>
#include <vector>

#include "rules/board.h"
#include "rules/piece.h"

namespace rules_test {

inline constexpr int32_t kBar = 0;
inline constexpr int32_t kZigzagZ = 1;
inline constexpr int32_t kZigzagS = 2;
inline constexpr int32_t kSquare = 6;

struct Block {
    int32_t row, column, value;
    auto operator<=>(const Block&) const = default;
};

// In reading order, as board positions.
inline std::vector<Block> BlocksOf(const Piece& piece) {
    const RotationState& record = piece.rotations[piece.rotation];
    std::vector<Block> blocks;
    for (int32_t row = 0; row <= record.lastRow; ++row) {
        for (int32_t column = 0; column <= record.lastCol; ++column) {
            if (record.cells[row][column] != 0) {
                blocks.push_back({piece.y + row, piece.x + column, record.cells[row][column]});
            }
        }
    }
    return blocks;
}

inline int16_t& CellAt(Board& cells, int32_t row, int32_t column) {
    return cells[row * kBoardColumns + column];
}

// The board with the blocks of one place emptied and those of another written in.
inline Board Moved(Board cells, const Piece& from, const Piece& to) {
    for (const Block& block : BlocksOf(from)) {
        CellAt(cells, block.row, block.column) = 0;
    }
    for (const Block& block : BlocksOf(to)) {
        CellAt(cells, block.row, block.column) = static_cast<int16_t>(block.value);
    }
    return cells;
}

inline Piece ShapeAt(int32_t shape, int32_t record, int32_t x, int32_t y) {
    Piece piece;
    piece.Assign(shapeTable[shape]);
    piece.rotation = record;
    piece.x = x;
    piece.y = y;
    return piece;
}

// Calls check(shape, record) for every record in use of every shape.
template <typename Check>
void ForEachRecord(Check check) {
    BuildShapeTable();
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        for (int32_t record = 0; record <= shapeTable[shape].lastRotation; ++record) {
            SCOPED_TRACE(testing::Message() << "shape " << shape << " record " << record);
            check(shape, record);
        }
    }
}

}  // namespace rules_test
