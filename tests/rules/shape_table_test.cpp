// The shape data checked against the rules it has to obey, so that a typo in
// any record shows up as a broken rule rather than as a strange turn in play.
#include <optional>

#include "rules_test_helpers.h"

namespace {

using namespace rules_test;

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
// (A blocked turn taken back, and so a record whose extent is not its
// blocks', is checked with the moves.)
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
            std::vector<int32_t> tiles;
            for (const Block& block : before) {
                tiles.push_back(block.value);
            }
            EXPECT_EQ(tiles, std::vector<int32_t>(4, shape + 1)) << "four blocks of its tile";
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
            bool turned = false;
            for (const Block& centre : centres) {
                turned |= TurnedAbout(before, centre, 1) == after ||
                          TurnedAbout(before, centre, -1) == after;
            }
            EXPECT_TRUE(turned);
        }
    });
}

}  // namespace
