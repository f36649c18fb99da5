// Moves against walls, floor and blocks: a move either happens exactly, or is
// taken back leaving the piece and the board as they were.
#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

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
