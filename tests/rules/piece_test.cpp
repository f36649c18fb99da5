// The shape data and the moves of a piece. The shape data is checked against
// the rules it has to obey, so that a typo in any record shows up as a broken
// rule rather than as a strange turn in play; a move either happens exactly,
// or is taken back leaving the piece and the board as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <compare>
#include <optional>
#include <vector>

#include "rules/board.h"
#include "rules/piece.h"

namespace {

constexpr int32_t kBar = 0;
constexpr int32_t kZigzagZ = 1;
constexpr int32_t kZigzagS = 2;
constexpr int32_t kSquare = 6;

struct Block {
    int32_t row, column, value;
    auto operator<=>(const Block&) const = default;
};

// In reading order, as board positions.
std::vector<Block> BlocksOf(const Piece& piece) {
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

// The board with the blocks of one place emptied and those of another written in.
Board Moved(Board cells, const Piece& from, const Piece& to) {
    for (const Block& block : BlocksOf(from)) {
        cells[block.row * kBoardColumns + block.column] = 0;
    }
    for (const Block& block : BlocksOf(to)) {
        cells[block.row * kBoardColumns + block.column] = static_cast<int16_t>(block.value);
    }
    return cells;
}

Piece ShapeAt(int32_t shape, int32_t record, int32_t x, int32_t y) {
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

// The blocks turned a quarter, one way (turn 1) or the other (-1), about
// the cell of centre, in reading order.
std::vector<Block> TurnedAbout(std::vector<Block> blocks, const Block& centre, int32_t turn) {
    for (Block& block : blocks) {
        block = {centre.row + turn * (block.column - centre.column),
                 centre.column - turn * (block.row - centre.row), block.value};
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

// Each template comes in at its column, at the top, in its first record.
// Every turn either way moves on to the next or previous record (two for the
// bar and the zigzags, one for the square, four for the rest) and turns the
// blocks a quarter: the bar, T and hooks about their fixed cell, the zigzags
// about one of their blocks without moving their grid; the square stays put.
TEST(ShapeTable, EveryTurnIsAQuarterTurnAboutTheShapesTurningPoint) {
    const int32_t startColumn[kShapeCount] = {5, 4, 4, 4, 4, 5, 5};
    ForEachRecord([&startColumn](int32_t shape, int32_t index) {
        const Piece& entry = shapeTable[shape];
        const int32_t lastRotation = shape == kSquare ? 0 : shape < 3 ? 1 : 3;
        EXPECT_EQ(std::vector<int32_t>({entry.x, entry.y, entry.rotation, entry.lastRotation}),
                  std::vector<int32_t>({startColumn[shape], 0, 0, lastRotation}));
        for (Step turn : {StepTurnForward, StepTurnBackward}) {
            SCOPED_TRACE(turn);
            const Piece start = ShapeAt(shape, index, 4, 8);
            Piece piece = start;
            ApplyStep(turn, piece);
            const int32_t records = start.lastRotation + 1;
            EXPECT_EQ(piece.rotation,
                      (index + (turn == StepTurnForward ? 1 : records - 1)) % records);
            const std::vector<Block> before = BlocksOf(start), after = BlocksOf(piece);
            EXPECT_EQ(before.size(), 4u);
            EXPECT_TRUE(std::all_of(before.begin(), before.end(),
                                    [shape](const Block& b) { return b.value == shape + 1; }));
            std::vector<Block> centres = before;
            if (shape == kSquare) {
                EXPECT_EQ(after, before);
                continue;
            } else if (shape == kZigzagZ || shape == kZigzagS) {
                EXPECT_EQ(std::pair(piece.x, piece.y), std::pair(4, 8));
            } else {
                const std::optional<Block> fixed = FixedCell(shape, start);
                ASSERT_TRUE(fixed);
                centres = {*fixed};
            }
            EXPECT_TRUE(std::any_of(centres.begin(), centres.end(), [&](const Block& centre) {
                return TurnedAbout(before, centre, 1) == after ||
                       TurnedAbout(before, centre, -1) == after;
            }));
        }
    });
}

struct NamedMove {
    const char* name;
    bool (*move)(Piece&, int16_t*);
    Step step;
};

const NamedMove kMoves[] = {{"left", MoveLeft, StepLeft},
                            {"right", MoveRight, StepRight},
                            {"down", MoveDown, StepDown},
                            {"turn", Rotate, StepTurnForward}};

// Runs the move and checks that it took exactly its step and shows the piece
// at its new place, or changed nothing at all. Returns the move's result.
bool CheckMove(const NamedMove& move, Piece& piece, Board& cells) {
    const Piece before = piece;
    const Board boardBefore = cells;
    Piece stepped = piece;
    ApplyStep(move.step, stepped);
    const bool moved = move.move(piece, cells.data());
    const Piece& expected = moved ? stepped : before;
    EXPECT_EQ(std::vector<int32_t>({piece.x, piece.y, piece.rotation}),
              std::vector<int32_t>({expected.x, expected.y, expected.rotation}));
    EXPECT_EQ(cells, moved ? Moved(boardBefore, before, piece) : boardBefore);
    return moved;
}

bool InsideTheWell(const Piece& piece) {
    const std::vector<Block> blocks = BlocksOf(piece);
    return std::all_of(blocks.begin(), blocks.end(), [](const Block& block) {
        return block.row >= 0 && block.row < kBoardRows && block.column >= 0 &&
               block.column < kBoardColumns;
    });
}

// Every move of every record at every place where it fits. In a well packed
// full but for the cells it goes to, a move happens exactly when the new place
// lies inside, and the blocks under the empty corners of the grid neither stop
// it nor are wiped; in a well packed full around the piece it is always
// blocked (only the square's turn lands on its own cells).
TEST(Moves, EveryMoveEverywhereIsExactOrFullyTakenBack) {
    ForEachRecord([](int32_t shape, int32_t index) {
        const RotationState& record = shapeTable[shape].rotations[index];
        for (int32_t y = 0; y + record.lastRow < kBoardRows; ++y) {
            for (int32_t x = 0; x + record.lastCol < kBoardColumns; ++x) {
                for (const NamedMove& move : kMoves) {
                    SCOPED_TRACE(testing::Message() << x << "," << y << " " << move.name);
                    Piece piece = ShapeAt(shape, index, x, y);
                    Piece stepped = piece;
                    ApplyStep(move.step, stepped);
                    const bool inside = InsideTheWell(stepped);
                    Board packed;
                    packed.fill(1);
                    Board cells =
                        inside ? Moved(packed, stepped, piece) : Moved(Board{}, piece, piece);
                    EXPECT_EQ(CheckMove(move, piece, cells), inside);

                    piece = ShapeAt(shape, index, x, y);
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

}  // namespace
