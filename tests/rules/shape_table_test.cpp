// The shape data checked against the rules it has to obey, so that a typo in
// any record shows up as a broken rule rather than as a strange turn in play.
#include <gtest/gtest.h>

#include <numeric>
#include <optional>

#include "rules/board.h"
#include "rules/piece.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

class ShapeTableTest : public ::testing::Test {
protected:
    void SetUp() override { BuildShapeTable(); }
};

TEST_F(ShapeTableTest, TemplatesStartAtTheirColumnInTheFirstRecord) {
    const int32_t startColumns[kShapeCount] = {5, 4, 4, 4, 4, 5, 5};
    const int32_t lastRotations[kShapeCount] = {1, 1, 1, 3, 3, 3, 0};
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        SCOPED_TRACE(shape);
        EXPECT_EQ(shapeTable[shape].x, startColumns[shape]);
        EXPECT_EQ(shapeTable[shape].y, 0);
        EXPECT_EQ(shapeTable[shape].rotation, 0);
        EXPECT_EQ(shapeTable[shape].lastRotation, lastRotations[shape]);
    }
    // The bar standing at column 5 lies down across columns 3 to 6 of row 2.
    Piece bar = ShapeAt(kBar, 0, 5, 0);
    ApplyStep(StepTurnForward, bar);
    EXPECT_EQ(std::vector<int32_t>({bar.rotation, bar.x, bar.y}), std::vector<int32_t>({1, 3, 2}));
}

TEST_F(ShapeTableTest, EveryRecordHoldsFourBlocksOfItsTileFillingItsExtents) {
    ForEachRecord([](int32_t shape, int32_t index) {
        SCOPED_TRACE(testing::Message() << "shape " << shape << " record " << index);
        const RotationState& record = shapeTable[shape].rotations[index];
        ASSERT_TRUE(record.lastCol >= 0 && record.lastCol <= 3);
        ASSERT_TRUE(record.lastRow >= 0 && record.lastRow <= 3);
        int32_t blocks = 0;
        bool rowUsed[4] = {};
        bool columnUsed[4] = {};
        for (int32_t row = 0; row < 4; ++row) {
            for (int32_t column = 0; column < 4; ++column) {
                if (record.cells[row][column] == 0) {
                    continue;
                }
                ++blocks;
                EXPECT_EQ(record.cells[row][column], shape + 1) << row << "," << column;
                EXPECT_TRUE(row <= record.lastRow && column <= record.lastCol)
                    << "block outside the used part at " << row << "," << column;
                rowUsed[row] = columnUsed[column] = true;
            }
        }
        EXPECT_EQ(blocks, 4);
        for (int32_t i = 0; i <= record.lastRow; ++i) {
            EXPECT_TRUE(rowUsed[i]) << "empty row " << i;
        }
        for (int32_t i = 0; i <= record.lastCol; ++i) {
            EXPECT_TRUE(columnUsed[i]) << "empty column " << i;
        }
    });
}

// The blocks of a record as (row, column) pairs, turned a quarter to the
// right or left, moved to the grid's top-left corner and sorted.
std::vector<std::pair<int32_t, int32_t>> Outline(const RotationState& record, int turn) {
    std::vector<std::pair<int32_t, int32_t>> cells;
    for (int32_t row = 0; row < 4; ++row) {
        for (int32_t column = 0; column < 4; ++column) {
            if (record.cells[row][column] != 0) {
                cells.emplace_back(turn == 0  ? row
                                   : turn > 0 ? column
                                              : -column,
                                   turn == 0  ? column
                                   : turn > 0 ? -row
                                              : row);
            }
        }
    }
    const auto [top, left] =
        std::accumulate(cells.begin(), cells.end(), std::pair{99, 99}, [](auto least, auto cell) {
            return std::pair{std::min(least.first, cell.first),
                             std::min(least.second, cell.second)};
        });
    for (auto& cell : cells) {
        cell = {cell.first - top, cell.second - left};
    }
    std::sort(cells.begin(), cells.end());
    return cells;
}

// Each record is the one before it turned a quarter, so no record can hold
// another shape.
TEST_F(ShapeTableTest, EachRecordIsThePreviousTurnedAQuarter) {
    ForEachRecord([](int32_t shape, int32_t index) {
        const Piece& piece = shapeTable[shape];
        const RotationState& next = piece.rotations[(index + 1) % (piece.lastRotation + 1)];
        const auto wanted = Outline(next, 0);
        EXPECT_TRUE(wanted == Outline(piece.rotations[index], 1) ||
                    wanted == Outline(piece.rotations[index], -1))
            << "shape " << shape << " record " << index;
    });
}

// The cell a shape turns about, found from the picture of the blocks alone:
// the bar's third block (top to bottom, or left to right), and for the T, J
// and L the one block with neighbours on two opposite sides (the T's centre,
// the middle of the J's and L's run of three).
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

// Every turn of every record either way: the bar, T and hooks keep their
// fixed cell, the zigzags keep their corner and two blocks, a backward turn
// undoes a forward one, and a full cycle comes back to the same place.
TEST_F(ShapeTableTest, EveryTurnKeepsItsShapesTurningPoint) {
    ForEachRecord([](int32_t shape, int32_t index) {
        const int32_t count = shapeTable[shape].lastRotation + 1;
        for (Step turn : {StepTurnForward, StepTurnBackward}) {
            SCOPED_TRACE(testing::Message()
                         << "shape " << shape << " record " << index << " turn " << turn);
            const Piece start = ShapeAt(shape, index, 4, 8);
            Piece piece = start;
            ApplyStep(turn, piece);
            if (shape == kZigzagZ || shape == kZigzagS) {
                EXPECT_EQ(piece.x, 4);
                EXPECT_EQ(piece.y, 8);
                const std::vector<Block> before = BlocksOf(start);
                int32_t kept = 0;
                for (const Block& block : BlocksOf(piece)) {
                    kept += static_cast<int32_t>(std::count(before.begin(), before.end(), block));
                }
                EXPECT_EQ(kept, 2);
            } else if (shape != kSquare) {
                const std::optional<Block> before = FixedCell(shape, start);
                const std::optional<Block> after = FixedCell(shape, piece);
                ASSERT_TRUE(before && after);
                EXPECT_EQ(after->row, before->row);
                EXPECT_EQ(after->column, before->column);
            }
            Piece undone = piece;
            ApplyStep(turn == StepTurnForward ? StepTurnBackward : StepTurnForward, undone);
            EXPECT_EQ(std::vector<int32_t>({undone.rotation, undone.x, undone.y}),
                      std::vector<int32_t>({index, 4, 8}));
            for (int32_t n = 1; n < count; ++n) {
                EXPECT_NE(piece.rotation, index);
                ApplyStep(turn, piece);
            }
            EXPECT_EQ(std::vector<int32_t>({piece.rotation, piece.x, piece.y}),
                      std::vector<int32_t>({index, 4, 8}));
        }
    });
}

}  // namespace
