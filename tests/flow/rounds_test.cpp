#include <gtest/gtest.h>

#include "flow/games.h"
#include "platform/random.h"
#include "tests/support/play_rig.h"

namespace {

// The shape that the generator seeded with seed gives first; the generator is left so seeded.
int32_t ShapeDrawn(unsigned seed) {
    platform::SeedRandom(seed);
    const int32_t shape = platform::Random() % kShapeCount;
    platform::SeedRandom(seed);
    return shape;
}

// The same shape in its first rotation: every rotation's used part alike.
// Cells outside the used part are left out: Assign copies only the used part,
// so they still hold whatever the piece was before.
bool SameShape(const Piece& piece, int32_t shape) {
    const Piece& wanted = shapeTable[static_cast<size_t>(shape)];
    bool same = piece.rotation == 0 && piece.lastRotation == wanted.lastRotation;
    for (int32_t r = 0; same && r <= wanted.lastRotation; ++r) {
        const RotationState& got = piece.rotations[r];
        const RotationState& expected = wanted.rotations[r];
        same = got.lastRow == expected.lastRow && got.lastCol == expected.lastCol;
        for (int32_t row = 0; same && row <= expected.lastRow; ++row) {
            for (int32_t column = 0; same && column <= expected.lastCol; ++column) {
                same = got.cells[row][column] == expected.cells[row][column];
            }
        }
    }
    return same;
}

TEST(Rounds, ALandingThatFillsRowsScoresThemRemovesThemAndHandsOverTheNextPiece) {
    test_support::PlayRig rig;
    for (int32_t row = 19; row < kBoardRows; ++row) {
        test_support::FillRow(board, row, 2, 9);
    }
    Piece current = test_support::ShapeAt(0, 9, 0), emptyPiece;  // the upright bar
    StampPiece(current, board.data());
    // A shape that does not come in at column 4, as the first of a game does.
    unsigned seed = 77;
    while (shapeTable[static_cast<size_t>(ShapeDrawn(seed))].x == 4) {
        ++seed;
    }
    const int32_t nextShape = ShapeDrawn(seed);
    test_support::SetKeysByPass([](uint64_t) { return std::vector<uint8_t>{platform::DIK_DOWN}; });
    Score score{};
    FullRows fullRows{};
    int32_t fullRowCount = 0;
    EXPECT_EQ(PlayRound(current, emptyPiece, score, fullRows, fullRowCount), RoundLanded);
    // Four rows at once score 4 to the power 4.
    EXPECT_EQ(fullRowCount, 4);
    EXPECT_EQ(rowsCleared, 4);
    EXPECT_EQ(score, (Score{6, 5, 2}));
    // The next piece is current, at its template's place, and not yet on the board.
    EXPECT_TRUE(SameShape(current, nextShape));
    EXPECT_EQ(current.x, shapeTable[static_cast<size_t>(nextShape)].x);
    EXPECT_EQ(current.y, 0);
    EXPECT_EQ(board, Board{});
}

TEST(FirstPiece, EveryShapeComesInAtColumnFourOnTheBoard) {
    test_support::PlayRig rig;
    bool seen[kShapeCount] = {};
    for (unsigned seed = 0; seed < 200; ++seed) {
        const int32_t shape = ShapeDrawn(seed);
        ClearBoard();
        Piece current;
        SpawnFirstPiece(current, board);
        ASSERT_TRUE(SameShape(current, shape) && current.x == 4 && current.y == 0) << seed;
        Board stamped{};
        StampPiece(current, stamped.data());
        ASSERT_EQ(board, stamped);
        seen[shape] = true;
    }
    EXPECT_EQ(std::count(std::begin(seen), std::end(seen), true), kShapeCount);
}

}  // namespace
