// The shape data checked against the rules it has to obey, so that a typo in
// any record shows up as a broken rule rather than as a strange turn in play.
#include <optional>

#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

TEST(ShapeTable, TemplatesStartAtTheirColumnWithTheirNumberOfTurns) {
    BuildShapeTable();
    const int32_t startColumns[kShapeCount] = {5, 4, 4, 4, 4, 5, 5};
    const int32_t lastRotations[kShapeCount] = {1, 1, 1, 3, 3, 3, 0};
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        EXPECT_EQ(
            std::vector<int32_t>({shapeTable[shape].x, shapeTable[shape].y,
                                  shapeTable[shape].rotation, shapeTable[shape].lastRotation}),
            std::vector<int32_t>({startColumns[shape], 0, 0, lastRotations[shape]}));
    }
}

// Four blocks of the shape's tile, and no empty row or column in the used
// part (the bounds test relies on it).
TEST(ShapeTable, EveryRecordHoldsFourBlocksOfItsTileFillingItsExtents) {
    ForEachRecord([](int32_t shape, int32_t index) {
        const RotationState& record = shapeTable[shape].rotations[index];
        ASSERT_TRUE(record.lastCol >= 0 && record.lastCol <= 3 && record.lastRow >= 0 &&
                    record.lastRow <= 3);
        int32_t blocks = 0, rowsUsed = 0, columnsUsed = 0;
        for (int32_t row = 0; row < 4; ++row) {
            for (int32_t column = 0; column < 4; ++column) {
                if (record.cells[row][column] != 0) {
                    ++blocks;
                    EXPECT_EQ(record.cells[row][column], shape + 1);
                    EXPECT_TRUE(row <= record.lastRow && column <= record.lastCol);
                    rowsUsed |= 1 << row;
                    columnsUsed |= 1 << column;
                }
            }
        }
        EXPECT_EQ(blocks, 4);
        EXPECT_EQ(rowsUsed, (2 << record.lastRow) - 1);
        EXPECT_EQ(columnsUsed, (2 << record.lastCol) - 1);
    });
}

// The blocks as (row, column) pairs, turned a quarter (turn 1 or -1) or not,
// moved to the grid's top-left corner and sorted.
std::vector<std::pair<int32_t, int32_t>> Outline(const RotationState& record, int turn) {
    std::vector<std::pair<int32_t, int32_t>> cells;
    int32_t top = 99, left = 99;
    for (int32_t row = 0; row < 4; ++row) {
        for (int32_t column = 0; column < 4; ++column) {
            if (record.cells[row][column] != 0) {
                const std::pair<int32_t, int32_t> turned =
                    turn == 0 ? std::pair{row, column} : std::pair{turn * column, -turn * row};
                cells.push_back(turned);
                top = std::min(top, turned.first);
                left = std::min(left, turned.second);
            }
        }
    }
    for (auto& cell : cells) {
        cell = {cell.first - top, cell.second - left};
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

TEST(ShapeTable, EachRecordIsThePreviousTurnedAQuarter) {
    ForEachRecord([](int32_t shape, int32_t index) {
        const Piece& piece = shapeTable[shape];
        const auto wanted = Outline(piece.rotations[(index + 1) % (piece.lastRotation + 1)], 0);
        EXPECT_TRUE(wanted == Outline(piece.rotations[index], 1) ||
                    wanted == Outline(piece.rotations[index], -1));
    });
}

// The cell a shape turns about, from the picture of its blocks alone: the
// bar's third block, and for the T, J and L the one block with neighbours on
// two opposite sides.
std::optional<Block> FixedCell(int32_t shape, const Piece& piece) {
    const std::vector<Block> blocks = BlocksOf(piece);
    if (shape == kBar) {
        return blocks[2];
    }
    auto has = [&](int32_t row, int32_t column) {
        return std::any_of(blocks.begin(), blocks.end(),
                           [&](const Block& b) { return b.row == row && b.column == column; });
    };
    std::optional<Block> found;
    for (const Block& block : blocks) {
        if ((has(block.row, block.column - 1) && has(block.row, block.column + 1)) ||
            (has(block.row - 1, block.column) && has(block.row + 1, block.column))) {
            if (found) {
                return std::nullopt;  // not unique: the picture is wrong
            }
            found = block;
        }
    }
    return found;
}

// Every turn either way moves on to the next or previous record; the bar, T
// and hooks keep their fixed cell, the zigzags their corner and two blocks,
// the square its place. (A blocked turn taken back is checked with the moves.)
TEST(ShapeTable, EveryTurnKeepsItsShapesTurningPoint) {
    ForEachRecord([](int32_t shape, int32_t index) {
        for (Step turn : {StepTurnForward, StepTurnBackward}) {
            SCOPED_TRACE(turn);
            const Piece start = ShapeAt(shape, index, 4, 8);
            Piece piece = start;
            ApplyStep(turn, piece);
            const int32_t records = start.lastRotation + 1;
            EXPECT_EQ(piece.rotation,
                      (index + (turn == StepTurnForward ? 1 : records - 1)) % records);
            if (shape == kZigzagZ || shape == kZigzagS || shape == kSquare) {
                EXPECT_EQ(std::pair(piece.x, piece.y), std::pair(4, 8));
                const std::vector<Block> before = BlocksOf(start);
                int32_t kept = 0;
                for (const Block& block : BlocksOf(piece)) {
                    kept += static_cast<int32_t>(std::count(before.begin(), before.end(), block));
                }
                EXPECT_EQ(kept, shape == kSquare ? 4 : 2);
            } else {
                const std::optional<Block> before = FixedCell(shape, start);
                const std::optional<Block> after = FixedCell(shape, piece);
                ASSERT_TRUE(before && after);
                EXPECT_EQ(std::pair(after->row, after->column),
                          std::pair(before->row, before->column));
            }
        }
    });
}

}  // namespace
