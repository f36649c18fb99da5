#include <gtest/gtest.h>

#include <array>

#include "flow/fall.h"
#include "tests/support/play_rig.h"

namespace {

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
    const int32_t cases[][2] = {{0, 500},  {9, 500},  {10, 475}, {99, 275},
                                {179, 75}, {180, 50}, {190, 50}, {1000, 50}};
    for (const auto& [rows, delay] : cases) {
        EXPECT_EQ(GravityDelay(rows), delay) << rows;
    }
}

class FallLoop : public ::testing::Test {
protected:
    // The piece comes in on a clear board with a gravity step already overdue.
    void Enter(Piece piece) {
        current = piece;
        StampPiece(current, board.data());
        nextGravityTick = Ticks() - 1;
    }
    RoundResult Fall() { return RunFallLoop(current, board, score, ShapeAt(kSquare, 5, 0)); }

    test_support::PlayRig rig;
    Piece current;
    Score score{};
};

// A move or a turn, even a blocked turn, holds off an overdue gravity step for
// its pass; a blocked move does not.
TEST_F(FallLoop, AnActionHoldsOffGravityForItsPass) {
    struct Case {
        int32_t shape, x, y;
        uint8_t key;
        std::array<int32_t, 4> shown;  // x, y and rotation at the first frame, y at the second
    };
    const Case cases[] = {
        {kSquare, 4, 0, platform::DIK_RIGHT, {5, 0, 0, 1}},
        {kTee, 4, 2, platform::DIK_SPACE, {5, 2, 1, 3}},
        {kBar, 0, 0, platform::DIK_SPACE, {0, 0, 0, 1}},  // at the wall, it cannot turn
        {kBar, 0, 0, platform::DIK_LEFT, {0, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        ClearBoard();
        nextRotateTime = 0;
        Enter(ShapeAt(c.shape, c.x, c.y));
        SetKeysByPass(KeyAtPasses(c.key, {0}, 2));
        auto trace = TracePiece(current);
        EXPECT_EQ(Fall(), RoundQuit);
        ASSERT_EQ(trace->size(), 2u);
        const auto& at = *trace;
        EXPECT_EQ((std::array{at[0].x, at[0].y, at[0].rotation, at[1].y}), c.shown)
            << "shape " << c.shape << " key " << int{c.key};
    }
}

TEST_F(FallLoop, DownHeldMovesOneRowAPassAndOnlyGravityLands) {
    Enter(ShapeAt(kBar, 0, 0));
    const uint32_t due = Ticks() + 2000;
    nextGravityTick = due;
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        return {pass < kNever ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    });
    auto trace = TracePiece(current);

    EXPECT_EQ(Fall(), RoundLanded);
    ASSERT_GT(trace->size(), 20u);
    for (size_t pass = 0; pass < trace->size(); ++pass) {
        EXPECT_EQ((*trace)[pass].y, std::min<int32_t>(static_cast<int32_t>(pass) + 1, 19)) << pass;
    }
    EXPECT_LT((*trace)[trace->size() - 2].tick, due);
    EXPECT_GE(trace->back().tick, due);
    EXPECT_EQ(board[22 * kBoardColumns], 1);
    EXPECT_EQ(test_support::FilledCells(board), 4);
}

TEST_F(FallLoop, AGravityStepSetsTheNextOneADelayAfterIt) {
    rowsCleared = 10;
    Enter(ShapeAt(kSquare, 4, 0));
    SetKeysByPass(KeyAtPasses(0, {}, 1));
    auto trace = TracePiece(current);
    EXPECT_EQ(Fall(), RoundQuit);
    ASSERT_EQ(trace->size(), 1u);
    EXPECT_EQ(current.y, 1);
    EXPECT_EQ(nextGravityTick, trace->front().tick + 475);
}

TEST_F(FallLoop, LandingInTheTopRowEndsTheGameAndLandingLowerDoesNot) {
    SetKeysByPass(KeyAtPasses(0, {}, kNever));
    for (int32_t blockedRow : {2, 3}) {
        ClearBoard();
        board[static_cast<size_t>(blockedRow * kBoardColumns + 4)] = 1;
        Enter(ShapeAt(kSquare, 4, 0));
        const uint64_t framesBefore = FramesPresented();
        EXPECT_EQ(Fall(), blockedRow == 2 ? RoundGameOver : RoundLanded);
        EXPECT_EQ(current.y, blockedRow - 2);
        if (blockedRow == 2) {
            EXPECT_EQ(FramesPresented() - framesBefore, 1u);
        }
    }
}

}  // namespace
