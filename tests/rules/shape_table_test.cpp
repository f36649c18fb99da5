// The shape data checked against the rules it has to obey, so that a typo in
// any record shows up as a broken rule rather than as a strange turn in play.
#include <gtest/gtest.h>

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
}

TEST_F(ShapeTableTest, EveryRecordInUseHoldsFourBlocksOfItsTileFillingItsExtents) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        const Piece& piece = shapeTable[shape];
        for (int32_t index = 0; index <= piece.lastRotation; ++index) {
            SCOPED_TRACE(testing::Message() << "shape " << shape << " record " << index);
            const RotationState& record = piece.rotations[index];
            ASSERT_GE(record.lastCol, 0);
            ASSERT_LE(record.lastCol, 3);
            ASSERT_GE(record.lastRow, 0);
            ASSERT_LE(record.lastRow, 3);
            int32_t blocks = 0;
            bool rowUsed[4] = {};
            bool columnUsed[4] = {};
            for (int32_t row = 0; row < 4; ++row) {
                for (int32_t column = 0; column < 4; ++column) {
                    const int32_t value = record.cells[row][column];
                    if (value == 0) {
                        continue;
                    }
                    ++blocks;
                    EXPECT_EQ(value, shape + 1) << "at " << row << "," << column;
                    EXPECT_LE(row, record.lastRow) << "block below the used part";
                    EXPECT_LE(column, record.lastCol) << "block right of the used part";
                    rowUsed[row] = true;
                    columnUsed[column] = true;
                }
            }
            EXPECT_EQ(blocks, 4);
            for (int32_t row = 0; row <= record.lastRow; ++row) {
                EXPECT_TRUE(rowUsed[row]) << "empty row " << row;
            }
            for (int32_t column = 0; column <= record.lastCol; ++column) {
                EXPECT_TRUE(columnUsed[column]) << "empty column " << column;
            }
        }
    }
}

TEST_F(ShapeTableTest, RecordsOutOfUseStayZero) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        const Piece& piece = shapeTable[shape];
        for (int32_t index = piece.lastRotation + 1; index < 4; ++index) {
            SCOPED_TRACE(testing::Message() << "shape " << shape << " record " << index);
            const RotationState& record = piece.rotations[index];
            EXPECT_EQ(record.lastCol, 0);
            EXPECT_EQ(record.lastRow, 0);
            EXPECT_EQ(record.forwardDx | record.forwardDy | record.backwardDx | record.backwardDy,
                      0);
            for (const auto& row : record.cells) {
                for (int32_t value : row) {
                    EXPECT_EQ(value, 0);
                }
            }
        }
    }
}

TEST_F(ShapeTableTest, TurningBackwardUndoesTurningForward) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        const Piece& piece = shapeTable[shape];
        const int32_t count = piece.lastRotation + 1;
        for (int32_t index = 0; index < count; ++index) {
            SCOPED_TRACE(testing::Message() << "shape " << shape << " record " << index);
            const RotationState& record = piece.rotations[index];
            const RotationState& next = piece.rotations[(index + 1) % count];
            EXPECT_EQ(record.backwardDx, -next.forwardDx);
            EXPECT_EQ(record.backwardDy, -next.forwardDy);
        }
    }
}

TEST_F(ShapeTableTest, AFullCycleOfOffsetsAddsUpToNothing) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        SCOPED_TRACE(shape);
        const Piece& piece = shapeTable[shape];
        int32_t forwardX = 0, forwardY = 0, backwardX = 0, backwardY = 0;
        for (int32_t index = 0; index <= piece.lastRotation; ++index) {
            forwardX += piece.rotations[index].forwardDx;
            forwardY += piece.rotations[index].forwardDy;
            backwardX += piece.rotations[index].backwardDx;
            backwardY += piece.rotations[index].backwardDy;
        }
        EXPECT_EQ(forwardX, 0);
        EXPECT_EQ(forwardY, 0);
        EXPECT_EQ(backwardX, 0);
        EXPECT_EQ(backwardY, 0);
    }
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
        return std::find_if(blocks.begin(), blocks.end(), [&](const Block& b) {
                   return b.row == row && b.column == column;
               }) != blocks.end();
    };
    std::optional<Block> found;
    for (const Block& block : blocks) {
        const bool across = has(block.row, block.column - 1) && has(block.row, block.column + 1);
        const bool upright = has(block.row - 1, block.column) && has(block.row + 1, block.column);
        if (across || upright) {
            if (found) {
                return std::nullopt;  // not unique: the picture is wrong
            }
            found = block;
        }
    }
    return found;
}

TEST_F(ShapeTableTest, BarTeeAndHooksTurnAboutTheirFixedCell) {
    for (int32_t shape : {kBar, kTee, kHookJ, kHookL}) {
        for (int32_t index = 0; index <= shapeTable[shape].lastRotation; ++index) {
            for (Step turn : {StepTurnForward, StepTurnBackward}) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << " record " << index << " turn " << turn);
                Piece piece = ShapeAt(shape, index, 4, 8);
                const std::optional<Block> before = FixedCell(shape, piece);
                ApplyStep(turn, piece);
                const std::optional<Block> after = FixedCell(shape, piece);
                ASSERT_TRUE(before && after);
                EXPECT_EQ(after->row, before->row);
                EXPECT_EQ(after->column, before->column);
            }
        }
    }
}

TEST_F(ShapeTableTest, ZigzagsKeepTheirCornerAndTwoBlocksWhenTurning) {
    for (int32_t shape : {kZigzagZ, kZigzagS}) {
        for (int32_t index = 0; index <= 1; ++index) {
            for (Step turn : {StepTurnForward, StepTurnBackward}) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << " record " << index << " turn " << turn);
                Piece piece = ShapeAt(shape, index, 4, 8);
                const std::vector<Block> before = BlocksOf(piece);
                ApplyStep(turn, piece);
                EXPECT_EQ(piece.rotation, 1 - index);
                EXPECT_EQ(piece.x, 4);
                EXPECT_EQ(piece.y, 8);
                int32_t kept = 0;
                for (const Block& block : BlocksOf(piece)) {
                    kept += static_cast<int32_t>(std::count(before.begin(), before.end(), block));
                }
                EXPECT_EQ(kept, 2);
            }
        }
    }
}

TEST_F(ShapeTableTest, AFullCycleOfTurnsEitherWayComesBackFromAnyRecord) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        const int32_t count = shapeTable[shape].lastRotation + 1;
        for (int32_t index = 0; index < count; ++index) {
            for (Step turn : {StepTurnForward, StepTurnBackward}) {
                SCOPED_TRACE(testing::Message()
                             << "shape " << shape << " record " << index << " turn " << turn);
                Piece piece = ShapeAt(shape, index, 4, 8);
                for (int32_t n = 0; n < count; ++n) {
                    ApplyStep(turn, piece);
                    if (n + 1 < count) {
                        EXPECT_NE(piece.rotation, index);
                    }
                }
                EXPECT_EQ(piece.rotation, index);
                EXPECT_EQ(piece.x, 4);
                EXPECT_EQ(piece.y, 8);
            }
        }
    }
}

TEST_F(ShapeTableTest, TurnsTakeTheOffsetsOfTheRecordTurnedInto) {
    // The vertical bar at column 5, row 0 lies down across columns 3 to 6 of row 2.
    Piece bar = ShapeAt(kBar, 0, 5, 0);
    ApplyStep(StepTurnForward, bar);
    EXPECT_EQ(bar.rotation, 1);
    EXPECT_EQ(bar.x, 3);
    EXPECT_EQ(bar.y, 2);

    // The L from record 1 forward adds record 2's (0, -1); back adds record 1's (0, 1).
    Piece hook = ShapeAt(kHookL, 1, 4, 8);
    ApplyStep(StepTurnForward, hook);
    EXPECT_EQ(hook.rotation, 2);
    EXPECT_EQ(hook.x, 4);
    EXPECT_EQ(hook.y, 7);
    ApplyStep(StepTurnBackward, hook);
    EXPECT_EQ(hook.rotation, 1);
    EXPECT_EQ(hook.x, 4);
    EXPECT_EQ(hook.y, 8);

    // Backward from the first record wraps round to the last.
    Piece tee = ShapeAt(kTee, 0, 4, 8);
    ApplyStep(StepTurnBackward, tee);
    EXPECT_EQ(tee.rotation, 3);
}

}  // namespace
