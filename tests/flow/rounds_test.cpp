#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "flow/games.h"
#include "tests/support/play_rig.h"
#include "tests/support/screen_check.h"

namespace {

using platform::headless::Frames;
using platform::headless::FramesPresented;
using test_support::EscapeFrom;
using test_support::FilledCells;
using test_support::SetKeysByPass;
using test_support::ShapeAt;

constexpr int32_t kBar = 0;

// The shape that the generator seeded with seed gives first.
int32_t ShapeDrawn(unsigned seed) {
    std::srand(seed);
    const int32_t shape = std::rand() % kShapeCount;
    std::srand(seed);
    return shape;
}

bool SameShape(const Piece& piece, int32_t shape) {
    const Piece& wanted = shapeTable[static_cast<size_t>(shape)];
    bool same = piece.rotation == 0 && piece.lastRotation == wanted.lastRotation;
    for (int32_t r = 0; same && r <= wanted.lastRotation; ++r) {
        same = std::memcmp(piece.rotations[r].cells, wanted.rotations[r].cells,
                           sizeof wanted.rotations[r].cells) == 0;
    }
    return same;
}

class Rounds : public ::testing::Test {
protected:
    RoundResult Play() { return PlayRound(current, emptyPiece, score, fullRows, fullRowCount); }

    test_support::PlayRig rig;
    const test_support::PictureFile tiles = test_support::ReadPictureFile("cubeshards2.bmp");
    Piece current;
    Piece emptyPiece;
    Score score{};
    FullRows fullRows{};
    int32_t fullRowCount = 0;
};

TEST_F(Rounds, ALandingThatFillsRowsScoresThemRemovesThemAndHandsOverTheNextPiece) {
    for (int32_t row = 19; row < kBoardRows; ++row) {
        test_support::FillRow(board, row, 2, 9);
    }
    current = ShapeAt(kBar, 9, 0);
    StampPiece(current, board.data());
    const int32_t nextShape = ShapeDrawn(77);
    SetKeysByPass([](uint64_t) { return std::vector<uint8_t>{platform::DIK_DOWN}; });

    EXPECT_EQ(Play(), RoundLanded);
    // Four rows at once score 4 to the power 4.
    EXPECT_EQ(fullRowCount, 4);
    EXPECT_EQ(rowsCleared, 4);
    EXPECT_EQ(score, (Score{6, 5, 2}));
    // The landing frame shows the rows full.
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        EXPECT_TRUE(
            test_support::CellShows(Frames().back(), 19, column, tiles, column == 9 ? 1 : 2));
    }
    // The next piece is current, at its template's place, and not yet on the board.
    EXPECT_TRUE(SameShape(current, nextShape));
    EXPECT_EQ(current.x, shapeTable[static_cast<size_t>(nextShape)].x);
    EXPECT_EQ(current.y, 0);
    EXPECT_EQ(FilledCells(board), 0);

    // The first frame of the next round shows the rows gone and no piece yet.
    SetKeysByPass(EscapeFrom(1));
    EXPECT_EQ(Play(), RoundQuit);
    for (int32_t cell = 0; cell < kBoardRows * kBoardColumns; ++cell) {
        ASSERT_TRUE(test_support::CellShows(Frames().back(), cell / kBoardColumns,
                                            cell % kBoardColumns, tiles, 0))
            << cell;
    }
}

TEST(FirstPiece, EveryShapeComesInAtColumnFourOnTheBoard) {
    test_support::PlayRig rig;
    bool seen[kShapeCount] = {};
    for (unsigned seed = 0; seed < 200; ++seed) {
        const int32_t shape = ShapeDrawn(seed);
        ClearBoard();
        Piece current;
        SpawnFirstPiece(current, board);
        ASSERT_TRUE(SameShape(current, shape));
        ASSERT_EQ(current.x, 4);
        ASSERT_EQ(current.y, 0);
        Board stamped{};
        StampPiece(current, stamped.data());
        ASSERT_EQ(board, stamped);
        ASSERT_EQ(FilledCells(board), 4);
        seen[shape] = true;
    }
    EXPECT_EQ(std::count(std::begin(seen), std::end(seen), true), kShapeCount);
}

}  // namespace
