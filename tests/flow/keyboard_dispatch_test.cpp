#include <gtest/gtest.h>

#include "rules/board.h"
#include "tests/flow/keyboard_fixture.h"

namespace {

using platform::DIK_DOWN;
using platform::DIK_ESCAPE;
using platform::DIK_LEFT;
using platform::DIK_RETURN;
using platform::DIK_RIGHT;
using platform::DIK_SPACE;

constexpr int kBar = 0;  // straight bar of four, upright in its first record

class DispatchTest : public KeyboardTest {
protected:
    void SetUp() override {
        KeyboardTest::SetUp();
        BuildShapeTable();
        PlaceBar(4, 0);
    }

    // The upright bar alone on the board at a place.
    void PlaceBar(int32_t x, int32_t y) {
        ClearBoard();
        piece.Assign(shapeTable[kBar]);
        piece.x = x;
        piece.y = y;
        StampPiece(piece, board.data());
    }

    // One pass of the fall loop's input, a frame after the last.
    int32_t Dispatch() {
        platform::headless::AdvanceTicks(kFrameMilliseconds);
        return DispatchAction(piece, board.data());
    }

    Piece piece;
};

TEST_F(DispatchTest, MovesThePieceAndSaysWhetherItMoved) {
    EXPECT_EQ(Dispatch(), 0);
    Hold({DIK_RIGHT});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.x, 5);
    EXPECT_EQ(Dispatch(), 0);  // the latched poll: nothing happened, gravity may act
    Hold({DIK_LEFT});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.x, 4);
    EXPECT_EQ(board[0 * kBoardColumns + 4], 1);
    Hold({DIK_DOWN});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.y, 1);

    PlaceBar(0, kBoardRows - 4);  // at the left wall, on the floor
    EXPECT_EQ(Dispatch(), 0) << "down does not land the piece";
    Hold({DIK_LEFT});
    EXPECT_EQ(Dispatch(), 0);
    EXPECT_EQ(piece.x, 0);
    EXPECT_EQ(piece.y, kBoardRows - 4);
    Hold({DIK_ESCAPE});
    EXPECT_EQ(Dispatch(), 7);

    Hold({});
    EXPECT_EQ(Dispatch(), 0);
    size_t reads = 0;  // Return pauses until pressed again
    ScriptReads({{DIK_RETURN}, {DIK_RETURN}, {}, {DIK_RETURN}}, [&](size_t) { ++reads; });
    EXPECT_EQ(Dispatch(), 0) << "the music had nothing to restart";
    EXPECT_EQ(reads, 4u);
    EXPECT_EQ(piece.x, 0);
}

TEST_F(DispatchTest, ATurnCountsAsAnActionEvenWhenBlocked) {
    Hold({DIK_SPACE});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.rotation, 1);
    PlaceBar(0, 5);  // turned, it would reach past the left wall
    platform::headless::AdvanceTicks(200);
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.rotation, 0);
    EXPECT_EQ(piece.x, 0);
}

}  // namespace
