// Small helpers shared by the rules tests: the shapes by name, the blocks of a
// piece as board positions, and boards built from them.
#pragma once

#include <algorithm>
#include <vector>

#include "rules/board.h"
#include "rules/piece.h"

namespace rules_test {

inline constexpr int32_t kBar = 0;
inline constexpr int32_t kZigzagZ = 1;
inline constexpr int32_t kZigzagS = 2;
inline constexpr int32_t kTee = 3;
inline constexpr int32_t kHookJ = 4;
inline constexpr int32_t kHookL = 5;
inline constexpr int32_t kSquare = 6;

struct Block {
    int32_t row;
    int32_t column;
    int32_t value;
    bool operator==(const Block&) const = default;
};

// The board cells the piece's blocks lie on, read independently of the code
// under test, in reading order.
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

// The board with the piece's blocks of one place emptied and of another written in.
inline Board Moved(Board cells, const Piece& from, const Piece& to) {
    for (const Block& block : BlocksOf(from)) {
        CellAt(cells, block.row, block.column) = 0;
    }
    for (const Block& block : BlocksOf(to)) {
        CellAt(cells, block.row, block.column) = static_cast<int16_t>(block.value);
    }
    return cells;
}

// A template from the shape table turned to the given record and put at a place.
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
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        for (int32_t record = 0; record <= shapeTable[shape].lastRotation; ++record) {
            check(shape, record);
        }
    }
}

}  // namespace rules_test
