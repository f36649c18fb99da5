// Moves against walls, floor and blocks: a move either happens exactly, or is
// taken back leaving the piece and the board as they were.
#include <gtest/gtest.h>

#include "rules/board.h"
#include "rules/piece.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

using Move = bool (*)(Piece&, int16_t*);

struct NamedMove {
    const char* name;
    Move move;
    Step step;
};

const NamedMove kMoves[] = {
    {"left", MoveLeft, StepLeft},
    {"right", MoveRight, StepRight},
    {"down", MoveDown, StepDown},
    {"rotate", Rotate, StepTurnForward},
};

void ExpectSamePiece(const Piece& actual, const Piece& expected) {
    EXPECT_EQ(actual.x, expected.x);
    EXPECT_EQ(actual.y, expected.y);
    EXPECT_EQ(actual.rotation, expected.rotation);
}

// Runs a move and checks it against what it must do: if it happened, the
// piece took exactly the step and the board shows it at the new place; if it
// was blocked, nothing changed at all. Returns the move's result.
bool CheckMove(const NamedMove& move, Piece& piece, Board& cells) {
    const Piece before = piece;
    const Board boardBefore = cells;
    Piece stepped = piece;
    ApplyStep(move.step, stepped);
    const bool moved = move.move(piece, cells.data());
    if (moved) {
        ExpectSamePiece(piece, stepped);
        EXPECT_EQ(cells, Moved(boardBefore, before, piece));
    } else {
        ExpectSamePiece(piece, before);
        EXPECT_EQ(cells, boardBefore);
    }
    return moved;
}

bool InsideTheWell(const Piece& piece) {
    const std::vector<Block> blocks = BlocksOf(piece);
    return std::all_of(blocks.begin(), blocks.end(), [](const Block& block) {
        return block.row >= 0 && block.row < kBoardRows && block.column >= 0 &&
               block.column < kBoardColumns;
    });
}

class MovesTest : public ::testing::Test {
protected:
    void SetUp() override { BuildShapeTable(); }
};

TEST_F(MovesTest, EveryMoveOfEveryShapeIsExactOrFullyTakenBackOnAnEmptyWell) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        for (int32_t index = 0; index <= shapeTable[shape].lastRotation; ++index) {
            const RotationState& record = shapeTable[shape].rotations[index];
            for (int32_t y = 0; y + record.lastRow < kBoardRows; ++y) {
                for (int32_t x = 0; x + record.lastCol < kBoardColumns; ++x) {
                    for (const NamedMove& move : kMoves) {
                        SCOPED_TRACE(testing::Message()
                                     << "shape " << shape << " record " << index << " at " << x
                                     << "," << y << " " << move.name);
                        Piece piece = ShapeAt(shape, index, x, y);
                        Board cells{};
                        StampPiece(piece, cells.data());
                        Piece stepped = piece;
                        ApplyStep(move.step, stepped);
                        const bool moved = CheckMove(move, piece, cells);
                        EXPECT_EQ(moved, InsideTheWell(stepped));
                        if (HasFailure()) {
                            return;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(MovesTest, AWellPackedAroundThePieceBlocksEveryMoveAndLeavesItUntouched) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        for (int32_t index = 0; index <= shapeTable[shape].lastRotation; ++index) {
            const RotationState& record = shapeTable[shape].rotations[index];
            for (int32_t y = 0; y + record.lastRow < kBoardRows; ++y) {
                for (int32_t x = 0; x + record.lastCol < kBoardColumns; ++x) {
                    for (const NamedMove& move : kMoves) {
                        SCOPED_TRACE(testing::Message()
                                     << "shape " << shape << " record " << index << " at " << x
                                     << "," << y << " " << move.name);
                        Piece piece = ShapeAt(shape, index, x, y);
                        Board cells = PackedAround(piece);
                        const bool moved = CheckMove(move, piece, cells);
                        // Only the square's turn lands on its own cells.
                        EXPECT_EQ(moved, shape == kSquare && move.step == StepTurnForward);
                        if (HasFailure()) {
                            return;
                        }
                    }
                }
            }
        }
    }
}

TEST_F(MovesTest, EmptyCornersOfTheGridMayLieOverBlocks) {
    // For every move of every record, a block sits under one empty cell of the
    // grid at the piece's new place: the move goes ahead, and neither it nor
    // the next move wipes the block.
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        for (int32_t index = 0; index <= shapeTable[shape].lastRotation; ++index) {
            for (const NamedMove& move : kMoves) {
                const Piece start = ShapeAt(shape, index, 3, 5);
                Piece target = start;
                ApplyStep(move.step, target);
                const std::vector<Block> startBlocks = BlocksOf(start);
                const RotationState& record = Record(target);
                for (int32_t row = 0; row <= record.lastRow; ++row) {
                    for (int32_t column = 0; column <= record.lastCol; ++column) {
                        const int32_t boardRow = target.y + row;
                        const int32_t boardColumn = target.x + column;
                        const bool underStart = std::any_of(
                            startBlocks.begin(), startBlocks.end(), [&](const Block& b) {
                                return b.row == boardRow && b.column == boardColumn;
                            });
                        if (record.cells[row][column] != 0 || underStart) {
                            continue;
                        }
                        SCOPED_TRACE(testing::Message()
                                     << "shape " << shape << " record " << index << " " << move.name
                                     << " corner " << row << "," << column);
                        Piece piece = start;
                        Board cells{};
                        StampPiece(piece, cells.data());
                        CellAt(cells, boardRow, boardColumn) = 2;
                        EXPECT_TRUE(CheckMove(move, piece, cells));
                        EXPECT_EQ(CellAt(cells, boardRow, boardColumn), 2);
                        CheckMove(move, piece, cells);
                        EXPECT_EQ(CellAt(cells, boardRow, boardColumn), 2);
                    }
                }
            }
        }
    }
}

TEST_F(MovesTest, BarTurnsOnlyWhereItFitsTheOtherWay) {
    struct Case {
        int32_t record;
        int32_t x;
        int32_t y;
        bool turns;
    };
    const Case cases[] = {
        {0, 0, 5, false}, {0, 1, 5, false}, {0, 9, 5, false},   // lying would cross a wall
        {0, 8, 5, true},                                        // lies across columns 6 to 9
        {1, 3, 0, false}, {1, 3, 1, false}, {1, 3, 22, false},  // standing would leave the well
        {1, 3, 2, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(testing::Message() << test.record << " at " << test.x << "," << test.y);
        Piece bar = ShapeAt(kBar, test.record, test.x, test.y);
        Board cells{};
        StampPiece(bar, cells.data());
        EXPECT_EQ(CheckMove(kMoves[3], bar, cells), test.turns);
    }
}

TEST_F(MovesTest, FirstPieceOfAGameEntersAtColumnFourRowZero) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        SCOPED_TRACE(shape);
        ClearBoard();
        Piece piece;
        piece.Assign(shapeTable[shape]);
        PlaceAtStart(piece, board.data());
        EXPECT_EQ(piece.x, 4);
        EXPECT_EQ(piece.y, 0);
        Board expected{};
        for (const Block& block : BlocksOf(piece)) {
            CellAt(expected, block.row, block.column) = static_cast<int16_t>(shape + 1);
        }
        EXPECT_EQ(board, expected);
    }
    // The square fills columns 4 and 5 of rows 0 and 1 with its tile.
    EXPECT_EQ(std::count(board.begin(), board.end(), 7), 4);
    EXPECT_EQ(CellAt(board, 0, 4) & CellAt(board, 0, 5) & CellAt(board, 1, 4) & CellAt(board, 1, 5),
              7);
    ClearBoard();
    EXPECT_EQ(board, Board{});
}

}  // namespace
