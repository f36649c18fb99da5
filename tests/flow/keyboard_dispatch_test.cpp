#include <gtest/gtest.h>

#include "audio/sound.h"
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
        ClearBoard();
        piece.Assign(shapeTable[kBar]);
        PlaceAtStart(piece, board.data());
    }

    // One pass of the fall loop's input, a frame after the last.
    int32_t Dispatch() {
        platform::headless::AdvanceTicks(kFrameMilliseconds);
        return DispatchAction(piece, board.data());
    }

    Piece piece;
};

TEST_F(DispatchTest, MovesThePieceSideways) {
    Hold({DIK_RIGHT});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.x, 5);
    EXPECT_EQ(Dispatch(), 0);  // the latched poll: nothing happened, gravity may act
    Hold({DIK_LEFT});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.x, 4);
    EXPECT_EQ(board[0 * kBoardColumns + 4], 1);
}

TEST_F(DispatchTest, ABlockedMoveCountsAsNoAction) {
    ErasePiece(piece, board.data());
    piece.x = 0;
    StampPiece(piece, board.data());
    Hold({DIK_LEFT});
    EXPECT_EQ(Dispatch(), 0);
    EXPECT_EQ(piece.x, 0);
}

TEST_F(DispatchTest, MovesThePieceDownWithoutLandingIt) {
    Hold({DIK_DOWN});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.y, 1);
    ErasePiece(piece, board.data());
    piece.y = kBoardRows - 4;  // the upright bar on the floor
    StampPiece(piece, board.data());
    EXPECT_EQ(Dispatch(), 0);
    EXPECT_EQ(piece.y, kBoardRows - 4);
}

TEST_F(DispatchTest, ATurnCountsAsAnActionEvenWhenBlocked) {
    Hold({DIK_SPACE});
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.rotation, 1);
    ErasePiece(piece, board.data());
    piece.Assign(shapeTable[kBar]);
    piece.x = 0;  // turned, it would reach past the left wall
    StampPiece(piece, board.data());
    platform::headless::AdvanceTicks(200);
    EXPECT_EQ(Dispatch(), 1);
    EXPECT_EQ(piece.rotation, 0);
    EXPECT_EQ(piece.x, 0);
}

TEST_F(DispatchTest, EscapeQuitsAndNothingIsNothing) {
    EXPECT_EQ(Dispatch(), 0);
    Hold({DIK_ESCAPE});
    EXPECT_EQ(Dispatch(), 7);
}

TEST_F(DispatchTest, ReturnPausesUntilPressedAgain) {
    Hold({DIK_RETURN});
    ScriptReads({{DIK_RETURN}, {DIK_RETURN}, {}, {DIK_RETURN}});
    const Piece before = piece;
    EXPECT_EQ(Dispatch(), 0);  // the music had nothing to restart
    EXPECT_EQ(piece.x, before.x);
    EXPECT_EQ(piece.y, before.y);
}

}  // namespace
