#include <gtest/gtest.h>

#include "flow/fall.h"
#include "tests/support/play_rig.h"
#include "tests/support/screen_check.h"

namespace {

using platform::headless::Frames;
using platform::headless::FramesPresented;
using platform::headless::Ticks;
using test_support::KeyAtPasses;
using test_support::SetKeysByPass;
using test_support::ShapeAt;
using test_support::TracePiece;

constexpr int32_t kBar = 0;
constexpr int32_t kTee = 3;
constexpr int32_t kSquare = 6;
constexpr uint64_t kNever = 10000;

TEST(GravityDelay, ShortensByAQuarterTenthEveryTenRowsDownToAFloor) {
    EXPECT_EQ(GravityDelay(0), 500);
    EXPECT_EQ(GravityDelay(9), 500);
    EXPECT_EQ(GravityDelay(10), 475);
    EXPECT_EQ(GravityDelay(99), 275);
    EXPECT_EQ(GravityDelay(179), 75);
    EXPECT_EQ(GravityDelay(180), 50);
    EXPECT_EQ(GravityDelay(189), 50);
    EXPECT_EQ(GravityDelay(190), 50);
    EXPECT_EQ(GravityDelay(1000), 50);
}

class FallLoop : public ::testing::Test {
protected:
    // The piece comes in on the board with a gravity step already overdue.
    void Enter(Piece piece) {
        current = piece;
        StampPiece(current, board.data());
        nextGravityTick = Ticks() - 1;
    }
    RoundResult Fall() {
        framesBefore = FramesPresented();
        return RunFallLoop(current, board, score, next);
    }
    uint64_t FramesDrawn() const { return FramesPresented() - framesBefore; }

    test_support::PlayRig rig;
    Piece current;
    Score score{};
    Piece next = ShapeAt(kSquare, 5, 0);
    uint64_t framesBefore = 0;
};

TEST_F(FallLoop, AMoveHoldsOffAnOverdueGravityStepForItsPass) {
    Enter(ShapeAt(kSquare, 4, 0));
    SetKeysByPass(KeyAtPasses(platform::DIK_RIGHT, {0}, 2));
    auto trace = TracePiece(current);

    EXPECT_EQ(Fall(), RoundQuit);
    ASSERT_EQ(trace->size(), 2u);
    EXPECT_EQ((*trace)[0].x, 5);
    EXPECT_EQ((*trace)[0].y, 0);
    EXPECT_EQ((*trace)[1].x, 5);
    EXPECT_EQ((*trace)[1].y, 1);
}

TEST_F(FallLoop, ATurnHoldsOffGravityAndSoDoesATurnThatIsBlocked) {
    Enter(ShapeAt(kTee, 4, 2));
    SetKeysByPass(KeyAtPasses(platform::DIK_SPACE, {0}, 2));
    auto trace = TracePiece(current);
    EXPECT_EQ(Fall(), RoundQuit);
    ASSERT_EQ(trace->size(), 2u);
    EXPECT_EQ((*trace)[0].rotation, 1);
    EXPECT_EQ((*trace)[0].y, 2);
    EXPECT_EQ((*trace)[1].y, 3);

    // The upright bar against the left wall cannot turn.
    ClearBoard();
    Enter(ShapeAt(kBar, 0, 0));
    nextRotateTime = 0;
    SetKeysByPass(KeyAtPasses(platform::DIK_SPACE, {0}, 2));
    trace = TracePiece(current);
    EXPECT_EQ(Fall(), RoundQuit);
    ASSERT_EQ(trace->size(), 2u);
    EXPECT_EQ((*trace)[0].rotation, 0);
    EXPECT_EQ((*trace)[0].x, 0);
    EXPECT_EQ((*trace)[0].y, 0);
    EXPECT_EQ((*trace)[1].y, 1);
}

TEST_F(FallLoop, DownHeldMovesOneRowAPassAndOnlyGravityLands) {
    Enter(ShapeAt(kBar, 0, 0));
    const uint32_t due = Ticks() + 2000;
    nextGravityTick = due;
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        if (pass >= kNever) {
            return {platform::DIK_ESCAPE};
        }
        return {platform::DIK_DOWN};
    });
    auto trace = TracePiece(current);

    EXPECT_EQ(Fall(), RoundLanded);
    ASSERT_GT(trace->size(), 20u);
    for (size_t pass = 0; pass < trace->size(); ++pass) {
        EXPECT_EQ((*trace)[pass].y, std::min<int32_t>(static_cast<int32_t>(pass) + 1, 19))
            << "pass " << pass;
    }
    // Resting on the floor it waited for the gravity step to land it.
    EXPECT_LT((*trace)[trace->size() - 2].tick, due);
    EXPECT_GE(trace->back().tick, due);
    EXPECT_EQ(board[22 * kBoardColumns], 1);
    EXPECT_EQ(test_support::FilledCells(board), 4);
}

TEST_F(FallLoop, AGravityStepSetsTheNextOneADelayAfterIt) {
    rowsCleared = 10;
    Enter(ShapeAt(kSquare, 4, 0));
    SetKeysByPass(KeyAtPasses(platform::DIK_ESCAPE, {}, 1));
    auto trace = TracePiece(current);
    EXPECT_EQ(Fall(), RoundQuit);
    ASSERT_EQ(trace->size(), 1u);
    EXPECT_EQ(current.y, 1);
    EXPECT_EQ(nextGravityTick, trace->front().tick + 475);
}

TEST_F(FallLoop, QuitReturnsAtOnceWithoutAFrameAndLeavesEverythingAsItWas) {
    Enter(ShapeAt(kTee, 3, 5));
    const Board before = board;
    SetKeysByPass(KeyAtPasses(platform::DIK_ESCAPE, {}, 0));
    EXPECT_EQ(Fall(), RoundQuit);
    EXPECT_EQ(FramesDrawn(), 0u);
    EXPECT_EQ(board, before);
    EXPECT_EQ(current.x, 3);
    EXPECT_EQ(current.y, 5);
}

TEST_F(FallLoop, LandingInTheTopRowEndsTheGameAndLandingLowerDoesNot) {
    // The square lies wholly inside the well and overlaps nothing.
    board[2 * kBoardColumns + 4] = 1;
    Enter(ShapeAt(kSquare, 4, 0));
    SetKeysByPass(KeyAtPasses(0, {}, kNever));
    EXPECT_EQ(Fall(), RoundGameOver);
    EXPECT_EQ(current.y, 0);
    EXPECT_EQ(FramesDrawn(), 1u);

    ClearBoard();
    board[3 * kBoardColumns + 4] = 1;
    Enter(ShapeAt(kSquare, 4, 0));
    EXPECT_EQ(Fall(), RoundLanded);
    EXPECT_EQ(current.y, 1);
}

TEST_F(FallLoop, TheLandingFrameShowsTheRowsThePieceCompleted) {
    const auto tiles = test_support::ReadPictureFile("cubeshards2.bmp");
    test_support::FillRow(board, 22, 1, {4, 5});
    Enter(ShapeAt(kSquare, 4, 20));
    SetKeysByPass(KeyAtPasses(0, {}, kNever));

    EXPECT_EQ(Fall(), RoundLanded);
    const auto& landing = Frames().back();
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        const int32_t value = column == 4 || column == 5 ? 7 : 1;
        EXPECT_TRUE(test_support::CellShows(landing, 22, column, tiles, value)) << column;
    }
    EXPECT_TRUE(test_support::CellShows(landing, 0, 0, tiles, 0));
    EXPECT_FALSE(test_support::CellShows(landing, 0, 0, tiles, 1));
}

}  // namespace
