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
                        EXPECT_EQ(moved, InBounds(stepped));
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

TEST_F(MovesTest, BarStopsAtTheWallsAndTheFloor) {
    Board cells{};
    Piece lying = ShapeAt(kBar, 1, 5, 10);
    StampPiece(lying, cells.data());
    EXPECT_TRUE(CheckMove(kMoves[1], lying, cells));
    EXPECT_EQ(lying.x, 6);
    EXPECT_FALSE(CheckMove(kMoves[1], lying, cells));

    Piece standing = ShapeAt(kBar, 0, 2, 18);
    cells = {};
    StampPiece(standing, cells.data());
    EXPECT_TRUE(CheckMove(kMoves[2], standing, cells));
    EXPECT_EQ(standing.y, 19);
    EXPECT_FALSE(CheckMove(kMoves[2], standing, cells));

    Piece atLeftWall = ShapeAt(kBar, 0, 0, 5);
    cells = {};
    StampPiece(atLeftWall, cells.data());
    EXPECT_FALSE(CheckMove(kMoves[0], atLeftWall, cells));
}

TEST_F(MovesTest, StandingBarTurnsOnlyWhereTheLyingBarFits) {
    for (int32_t x : {0, 1, 9}) {
        SCOPED_TRACE(x);
        Piece bar = ShapeAt(kBar, 0, x, 5);
        Board cells{};
        StampPiece(bar, cells.data());
        EXPECT_FALSE(CheckMove(kMoves[3], bar, cells));
        EXPECT_EQ(bar.rotation, 0);
    }
    Piece bar = ShapeAt(kBar, 0, 8, 5);
    Board cells{};
    StampPiece(bar, cells.data());
    EXPECT_TRUE(CheckMove(kMoves[3], bar, cells));
    EXPECT_EQ(bar.x, 6);
    EXPECT_EQ(bar.y, 7);
    EXPECT_EQ(bar.rotation, 1);
}

TEST_F(MovesTest, LyingBarTurnsOnlyWhereTheStandingBarFits) {
    for (int32_t y : {0, 1, 22}) {
        SCOPED_TRACE(y);
        Piece bar = ShapeAt(kBar, 1, 3, y);
        Board cells{};
        StampPiece(bar, cells.data());
        EXPECT_FALSE(CheckMove(kMoves[3], bar, cells));
        EXPECT_EQ(bar.rotation, 1);
    }
    Piece bar = ShapeAt(kBar, 1, 3, 2);
    Board cells{};
    StampPiece(bar, cells.data());
    EXPECT_TRUE(CheckMove(kMoves[3], bar, cells));
    EXPECT_EQ(bar.rotation, 0);
}

TEST_F(MovesTest, PieceRestsOnABlockBelowIt) {
    Board cells{};
    CellAt(cells, 12, 5) = 3;
    Piece square = ShapeAt(kSquare, 0, 4, 9);
    StampPiece(square, cells.data());
    EXPECT_TRUE(CheckMove(kMoves[2], square, cells));
    EXPECT_FALSE(CheckMove(kMoves[2], square, cells));
    EXPECT_EQ(square.y, 10);
}

TEST_F(MovesTest, StampAndEraseTouchOnlyTheBlocks) {
    Board cells;
    cells.fill(3);
    Piece tee = ShapeAt(kTee, 0, 2, 4);
    ErasePiece(tee, cells.data());
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 0), 4);
    EXPECT_EQ(CellAt(cells, 4, 2), 3);  // the empty corner left of the T's top
    StampPiece(tee, cells.data());
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 4), 4);
    EXPECT_EQ(std::count(cells.begin(), cells.end(), 0), 0);
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
