#include <gtest/gtest.h>

#include <array>

#include "flow/fall.h"
#include "tests/support/play_rig.h"

namespace {

using platform::headless::Ticks;
using namespace test_support;

constexpr int32_t kBar = 0;
constexpr int32_t kTee = 3;
constexpr int32_t kSquare = 6;

TEST(GravityDelay, ShortensByAQuarterTenthEveryTenRowsDownToAFloor) {
    const int32_t cases[][2] = {{0, 500},  {9, 500},  {10, 475}, {99, 275},
                                {179, 75}, {180, 50}, {190, 50}, {1000, 50}};
    for (const auto& [rows, delay] : cases) {
        EXPECT_EQ(GravityDelay(rows), delay) << rows;
    }
}

class FallLoop : public ::testing::Test {
protected:
    // The piece comes in on a clear board with a gravity step already overdue;
    // where it is at each frame is traced: x, y, rotation and the tick.
    void Enter(Piece piece) {
        ClearBoard();
        current = piece;
        StampPiece(current, board.data());
        nextGravityTick = Ticks() - 1;
        trace.clear();
        platform::headless::SetFrameHook([this](const platform::headless::Frame& frame) {
            trace.push_back(
                {current.x, current.y, current.rotation, static_cast<int32_t>(frame.tick)});
        });
    }
    RoundResult Fall() { return RunFallLoop(current, board, score, ShapeAt(kSquare, 5, 0)); }

    test_support::PlayRig rig;
    Piece current;
    Score score{};
    std::vector<std::array<int32_t, 4>> trace;
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
        nextRotateTime = 0;
        Enter(ShapeAt(c.shape, c.x, c.y));
        SetKeysByPass(EscapeFrom(2, c.key));
        EXPECT_EQ(Fall(), RoundQuit);
        ASSERT_EQ(trace.size(), 2u);
        EXPECT_EQ((std::array{trace[0][0], trace[0][1], trace[0][2], trace[1][1]}), c.shown)
            << "shape " << c.shape << " key " << int{c.key};
    }
}

TEST_F(FallLoop, DownHeldMovesOneRowAPassAndOnlyGravityLands) {
    Enter(ShapeAt(kBar, 0, 0));
    const auto due = static_cast<int32_t>(Ticks() + 2000);
    nextGravityTick = static_cast<uint32_t>(due);
    SetKeysByPass([](uint64_t) { return std::vector<uint8_t>{platform::DIK_DOWN}; });
    EXPECT_EQ(Fall(), RoundLanded);
    ASSERT_GT(trace.size(), 20u);
    for (size_t pass = 0; pass < trace.size(); ++pass) {
        EXPECT_EQ(trace[pass][1], std::min<int32_t>(static_cast<int32_t>(pass) + 1, 19)) << pass;
    }
    EXPECT_LT(trace[trace.size() - 2][3], due);
    EXPECT_GE(trace.back()[3], due);
    EXPECT_EQ(board[22 * kBoardColumns], 1);
    EXPECT_EQ(test_support::FilledCells(board), 4);
}

TEST_F(FallLoop, AGravityStepSetsTheNextOneADelayAfterIt) {
    rowsCleared = 10;
    Enter(ShapeAt(kSquare, 4, 0));
    SetKeysByPass(EscapeFrom(1));
    EXPECT_EQ(Fall(), RoundQuit);
    ASSERT_EQ(trace.size(), 1u);
    EXPECT_EQ(current.y, 1);
    EXPECT_EQ(nextGravityTick, static_cast<uint32_t>(trace.front()[3] + 475));
}

}  // namespace
