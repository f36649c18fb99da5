#include <gtest/gtest.h>

#include "flow/games.h"
#include "tests/support/play_rig.h"

namespace {

using platform::headless::FramesPresented;
using test_support::KeyAtPasses;
using test_support::SetKeysByPass;

class Games : public ::testing::Test {
protected:
    Games() {
        BuildShapeTable();
        platform::Message drained;
        while (platform::PeekMessage(&drained, nullptr, 0, 0, platform::PM_REMOVE)) {
        }
    }
    void Run() { RunGames(current, emptyPiece, score, fullRows, fullRowCount, message); }

    test_support::PlayRig rig;
    Piece current;
    Piece emptyPiece;
    Score score{};
    FullRows fullRows{};
    int32_t fullRowCount = 0;
    platform::Message message;
};

TEST_F(Games, EscapeEndsTheRunAtOnceAndCountsTheGame) {
    SetKeysByPass(KeyAtPasses(0, {}, 5));
    Run();
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(FramesPresented(), 5u);
    EXPECT_EQ(message.message, platform::WM_NULL);
}

TEST_F(Games, AQuitMessageBeforeTheFirstRoundEndsTheRunWithItsCode) {
    platform::PostQuitMessage(3);
    SetKeysByPass(KeyAtPasses(0, {}, 10000));
    Run();
    EXPECT_EQ(FramesPresented(), 0u);
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(Games, AQuitMessageLaterEndsTheRunAtTheNextPiece) {
    // Down held: every piece drops fast; the quit comes during the first one.
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        if (pass == 3) {
            platform::PostQuitMessage(0);
        }
        return {pass < 10000 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    });
    Run();
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(message.wParam, 0u);
    // The first piece landed, the second never moved.
    EXPECT_EQ(test_support::FilledCells(board), 4);
}

TEST_F(Games, AClosedWindowEndsTheRunWithoutPlayingOnIt) {
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        if (pass == 3) {
            platform::headless::RequestClose();
        }
        return {pass < 10000 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    });
    Run();
    EXPECT_FALSE(platform::IsWindow(mainWindow));
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(test_support::FilledCells(board), 4);
}

TEST_F(Games, AClosingWindowEndsAPauseAndThenTheRun) {
    uint64_t pollsInPause = 0;
    SetKeysByPass([&pollsInPause](uint64_t pass) -> std::vector<uint8_t> {
        if (pass == 2) {
            ++pollsInPause;
            if (pollsInPause == 20) {
                platform::headless::RequestClose();
            }
            // Return begins the pause and, should the close be missed, ends it.
            if (pollsInPause == 1 || pollsInPause == 200) {
                return {platform::DIK_RETURN};
            }
            return {};
        }
        return {pass < 10000 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    });
    Run();
    EXPECT_EQ(pollsInPause, 20u);
    EXPECT_FALSE(platform::IsWindow(mainWindow));
    EXPECT_EQ(message.message, platform::WM_QUIT);
    EXPECT_EQ(gamesLeft, 2);
}

TEST_F(Games, OtherMessagesGoToTheWindowOneBetweenTwoPieces) {
    // A repaint request each pass; the run still ends only by Escape.
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        platform::headless::Expose();
        return {pass < 60 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    });
    Run();
    EXPECT_TRUE(platform::IsWindow(mainWindow));
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(message.message, platform::WM_PAINT);
    EXPECT_EQ(message.wParam, 0u);
}

}  // namespace
