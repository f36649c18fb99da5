// Moves against walls, floor and blocks: a move either happens exactly, or is
// taken back leaving the piece and the board as they were.
#include <gtest/gtest.h>

#include "rules/board.h"
#include "rules/piece.h"
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

struct NamedMove {
    const char* name;
    bool (*move)(Piece&, int16_t*);
    Step step;
};

const NamedMove kLeft{"left", MoveLeft, StepLeft};
const NamedMove kRight{"right", MoveRight, StepRight};
const NamedMove kDown{"down", MoveDown, StepDown};
const NamedMove kTurn{"turn", Rotate, StepTurnForward};
const NamedMove kMoves[] = {kLeft, kRight, kDown, kTurn};

// Runs a move and checks it against what it must do: if it happened, the
// piece took exactly the step and the board shows it at the new place; if it
// was blocked, nothing changed at all. Returns the move's result.
bool CheckMove(const NamedMove& move, Piece& piece, Board& cells) {
    const Piece before = piece;
    const Board boardBefore = cells;
    Piece stepped = piece;
    ApplyStep(move.step, stepped);
    const bool moved = move.move(piece, cells.data());
    const Piece& expected = moved ? stepped : before;
    EXPECT_EQ(piece.x, expected.x);
    EXPECT_EQ(piece.y, expected.y);
    EXPECT_EQ(piece.rotation, expected.rotation);
    EXPECT_EQ(cells, moved ? Moved(boardBefore, before, piece) : boardBefore);
    return moved;
}

// Whether every block of the piece lies inside the well, judged from the
// blocks themselves rather than by the code under test.
bool InsideTheWell(const Piece& piece) {
    const std::vector<Block> blocks = BlocksOf(piece);
    return std::all_of(blocks.begin(), blocks.end(), [](const Block& block) {
        return block.row >= 0 && block.row < kBoardRows && block.column >= 0 &&
               block.column < kBoardColumns;
    });
}

// The piece alone on an empty board.
Board Alone(const Piece& piece) {
    return Moved(Board{}, Piece(), piece);
}

class MovesTest : public ::testing::Test {
protected:
    void SetUp() override { BuildShapeTable(); }
};

// Every move of every record at every place where it fits: on an empty well
// it happens exactly when the new place lies inside; in a well packed full
// around the piece it is always blocked (only the square's turn lands on its
// own cells) and leaves every block where it was.
TEST_F(MovesTest, EveryMoveEverywhereIsExactOrFullyTakenBack) {
    ForEachRecord([](int32_t shape, int32_t index) {
        const RotationState& record = shapeTable[shape].rotations[index];
        for (int32_t y = 0; y + record.lastRow < kBoardRows; ++y) {
            for (int32_t x = 0; x + record.lastCol < kBoardColumns; ++x) {
                for (const NamedMove& move : kMoves) {
                    SCOPED_TRACE(testing::Message() << "shape " << shape << " record " << index
                                                    << " at " << x << "," << y << " " << move.name);
                    Piece piece = ShapeAt(shape, index, x, y);
                    Piece stepped = piece;
                    ApplyStep(move.step, stepped);
                    Board cells = Alone(piece);
                    EXPECT_EQ(CheckMove(move, piece, cells), InsideTheWell(stepped));

                    piece = ShapeAt(shape, index, x, y);
                    Board packed;
                    packed.fill(1);
                    packed = Moved(packed, piece, piece);
                    EXPECT_EQ(CheckMove(move, piece, packed),
                              shape == kSquare && move.step == StepTurnForward);
                    if (::testing::Test::HasFailure()) {
                        return;
                    }
                }
            }
        }
    });
}

// For every move of every record, a block sits under one empty cell of the
// grid at the piece's new place: the move goes ahead, and neither it nor the
// next move wipes the block.
TEST_F(MovesTest, EmptyCornersOfTheGridMayLieOverBlocks) {
    ForEachRecord([](int32_t shape, int32_t index) {
        for (const NamedMove& move : kMoves) {
            const Piece start = ShapeAt(shape, index, 3, 5);
            Piece target = start;
            ApplyStep(move.step, target);
            const RotationState& record = target.rotations[target.rotation];
            for (int32_t row = 0; row <= record.lastRow; ++row) {
                for (int32_t column = 0; column <= record.lastCol; ++column) {
                    Board cells = Alone(start);
                    int16_t& corner = CellAt(cells, target.y + row, target.x + column);
                    if (record.cells[row][column] != 0 || corner != 0) {
                        continue;
                    }
                    SCOPED_TRACE(testing::Message()
                                 << "shape " << shape << " record " << index << " " << move.name
                                 << " corner " << row << "," << column);
                    corner = 2;
                    const int32_t at = static_cast<int32_t>(&corner - cells.data());
                    Piece piece = start;
                    EXPECT_TRUE(CheckMove(move, piece, cells));
                    CheckMove(move, piece, cells);
                    EXPECT_EQ(cells[at], 2);
                }
            }
        }
    });
}

// The walls, the floor and the blocks, at literal places.
TEST_F(MovesTest, WallsFloorAndBlocksStopThePiece) {
    struct Case {
        int32_t shape, record, x, y;
        const NamedMove& move;
        bool moves;
    };
    const Case cases[] = {
        {kBar, 1, 5, 10, kRight, true},   // lying bar: columns 6 to 9
        {kBar, 1, 6, 10, kRight, false},  // already at the right wall
        {kBar, 0, 2, 18, kDown, true},    // standing bar: rows 19 to 22
        {kBar, 0, 2, 19, kDown, false},   // already on the floor
        {kBar, 0, 0, 5, kLeft, false},
        {kBar, 0, 0, 5, kTurn, false},  // lying, it would reach past the left wall
        {kBar, 0, 1, 5, kTurn, false},
        {kBar, 0, 9, 5, kTurn, false},  // or the right
        {kBar, 0, 8, 5, kTurn, true},   // to columns 6 to 9 of row 7
        {kBar, 1, 3, 0, kTurn, false},  // standing, it would reach above the top
        {kBar, 1, 3, 1, kTurn, false},
        {kBar, 1, 3, 22, kTurn, false},  // or below the floor
        {kBar, 1, 3, 2, kTurn, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y << " " << c.move.name);
        Piece piece = ShapeAt(c.shape, c.record, c.x, c.y);
        Board cells = Alone(piece);
        EXPECT_EQ(CheckMove(c.move, piece, cells), c.moves);
    }
    // A square comes to rest on a block below it.
    Board cells{};
    CellAt(cells, 12, 5) = 3;
    Piece square = ShapeAt(kSquare, 0, 4, 9);
    cells = Moved(cells, square, square);
    EXPECT_TRUE(CheckMove(kDown, square, cells));
    EXPECT_FALSE(CheckMove(kDown, square, cells));
}

TEST_F(MovesTest, EveryPieceOfAGameEntersAtColumnFourRowZero) {
    for (int32_t shape = 0; shape < kShapeCount; ++shape) {
        SCOPED_TRACE(shape);
        ClearBoard();
        Piece piece;
        piece.Assign(shapeTable[shape]);
        PlaceAtStart(piece, board.data());
        EXPECT_EQ(piece.x, 4);
        EXPECT_EQ(piece.y, 0);
        EXPECT_EQ(board, Alone(piece));
    }
    // The square fills columns 4 and 5 of rows 0 and 1 with its tile.
    EXPECT_EQ(CellAt(board, 0, 4) & CellAt(board, 0, 5) & CellAt(board, 1, 4) & CellAt(board, 1, 5),
              7);
    ClearBoard();
    EXPECT_EQ(board, Board{});
}

}  // namespace
