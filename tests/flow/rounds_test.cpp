#include <gtest/gtest.h>

#include <cstdlib>

#include "flow/games.h"
#include "tests/support/play_rig.h"
#include "tests/support/screen_check.h"

namespace {

using platform::headless::Frames;
using platform::headless::FramesPresented;
using test_support::FilledCells;
using test_support::KeyAtPasses;
using test_support::SetKeysByPass;
using test_support::ShapeAt;

constexpr int32_t kBar = 0;
constexpr uint64_t kNever = 10000;

// The template that the random generator picks after being seeded with seed
// and drawn from skip times.
int32_t ShapeDrawn(unsigned seed, int skip) {
    std::srand(seed);
    for (int i = 0; i < skip; ++i) {
        std::rand();
    }
    return std::rand() % kShapeCount;
}

bool SameShape(const Piece& piece, int32_t shape) {
    const Piece& wanted = shapeTable[static_cast<size_t>(shape)];
    if (piece.lastRotation != wanted.lastRotation || piece.rotation != 0) {
        return false;
    }
    for (int32_t r = 0; r <= wanted.lastRotation; ++r) {
        for (int32_t row = 0; row < 4; ++row) {
            for (int32_t column = 0; column < 4; ++column) {
                if (piece.rotations[r].cells[row][column] !=
                    wanted.rotations[r].cells[row][column]) {
                    return false;
                }
            }
        }
    }
    return true;
}

class Rounds : public ::testing::Test {
protected:
    RoundResult Play() { return PlayRound(current, emptyPiece, score, fullRows, fullRowCount); }

    test_support::PlayRig rig;
    Piece current;
    Piece emptyPiece;
    Score score{};
    FullRows fullRows{};
    int32_t fullRowCount = 0;
};

TEST_F(Rounds, ALandingThatFillsRowsScoresThemRemovesThemAndHandsOverTheNextPiece) {
    const auto tiles = test_support::ReadPictureFile("cubeshards2.bmp");
    for (int32_t row = 19; row < kBoardRows; ++row) {
        test_support::FillRow(board, row, 2, {9});
    }
    current = ShapeAt(kBar, 9, 0);
    StampPiece(current, board.data());
    const int32_t nextShape = ShapeDrawn(77, 0);
    std::srand(77);
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        return {pass < kNever ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    });

    EXPECT_EQ(Play(), RoundLanded);
    // Four rows at once score 4 to the power 4.
    EXPECT_EQ(fullRowCount, 4);
    EXPECT_EQ(rowsCleared, 4);
    EXPECT_EQ(score[0], 6);
    EXPECT_EQ(score[1], 5);
    EXPECT_EQ(score[2], 2);
    EXPECT_EQ(score[3], 0);
    const auto& landing = Frames().back();
    for (int32_t column = 0; column < kBoardColumns; ++column) {
        EXPECT_TRUE(test_support::CellShows(landing, 19, column, tiles, column == 9 ? 1 : 2));
    }
    // The next piece is current, at its template's place, and not yet on the board.
    EXPECT_TRUE(SameShape(current, nextShape));
    EXPECT_EQ(current.x, shapeTable[static_cast<size_t>(nextShape)].x);
    EXPECT_EQ(current.y, 0);
    EXPECT_EQ(FilledCells(board), 0);

    // The first frame of the next round shows the rows gone and no piece yet.
    SetKeysByPass(KeyAtPasses(0, {}, 1));
    EXPECT_EQ(Play(), RoundQuit);
    for (int32_t row = 0; row < kBoardRows; ++row) {
        for (int32_t column = 0; column < kBoardColumns; ++column) {
            ASSERT_TRUE(test_support::CellShows(Frames().back(), row, column, tiles, 0))
                << row << "," << column;
        }
    }
}

TEST_F(Rounds, QuitAndGameOverLeaveTheBoardTheScoreAndTheCurrentPiece) {
    test_support::FillRow(board, 22, 3, {0});
    current = ShapeAt(kBar, 5, 0);
    StampPiece(current, board.data());
    const Board before = board;
    SetKeysByPass(KeyAtPasses(0, {}, 0));
    EXPECT_EQ(Play(), RoundQuit);
    EXPECT_EQ(board, before);
    EXPECT_EQ(current.x, 5);
    EXPECT_EQ(current.y, 0);

    // A bar that cannot leave the top row ends the game where it lies.
    board[4 * kBoardColumns + 5] = 4;
    const Board blocked = board;
    nextGravityTick = platform::headless::Ticks();
    SetKeysByPass(KeyAtPasses(0, {}, kNever));
    EXPECT_EQ(Play(), RoundGameOver);
    EXPECT_EQ(board, blocked);
    EXPECT_EQ(current.y, 0);
    EXPECT_TRUE(SameShape(current, kBar));
    EXPECT_EQ(score, Score{});
    EXPECT_EQ(fullRowCount, 0);
}

TEST_F(Rounds, EveryRoundStartsTheMusicWhenItIsNotPlaying) {
    current = ShapeAt(kBar, 5, 0);
    StampPiece(current, board.data());
    bool heardMusic = false;
    platform::headless::SetSleepHook([&heardMusic](uint32_t, uint32_t) {
        uint8_t samples[2048];
        platform::headless::PullAudio(samples, sizeof samples);
        for (uint8_t sample : samples) {
            heardMusic = heardMusic || sample != 128;
        }
    });
    SetKeysByPass(KeyAtPasses(0, {}, 3));
    EXPECT_EQ(Play(), RoundQuit);
    EXPECT_TRUE(heardMusic);
}

TEST(FirstPiece, EveryShapeComesInAtColumnFourOnTheBoard) {
    test_support::PlayRig rig;
    bool seen[kShapeCount] = {};
    for (unsigned seed = 0; seed < 200; ++seed) {
        const int32_t shape = ShapeDrawn(seed, 0);
        std::srand(seed);
        ClearBoard();
        Piece current;
        SpawnFirstPiece(current, board);
        EXPECT_TRUE(SameShape(current, shape));
        EXPECT_EQ(current.x, 4);
        EXPECT_EQ(current.y, 0);
        EXPECT_EQ(FilledCells(board), 4);
        for (int32_t row = 0; row <= current.rotations[0].lastRow; ++row) {
            for (int32_t column = 0; column <= current.rotations[0].lastCol; ++column) {
                const int32_t cell = current.rotations[0].cells[row][column];
                if (cell != 0) {
                    EXPECT_EQ(board[static_cast<size_t>(row * kBoardColumns + 4 + column)], cell);
                }
            }
        }
        seen[shape] = true;
    }
    for (bool shapeSeen : seen) {
        EXPECT_TRUE(shapeSeen);
    }
}

}  // namespace
