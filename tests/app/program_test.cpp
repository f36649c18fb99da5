// The whole program from its entry point on the headless backend.
#include <gtest/gtest.h>

#include "platform/common/file_source.h"
#include "tests/support/program_run.h"
#include "tests/support/screen_check.h"

namespace {

namespace headless = platform::headless;
using namespace test_support;

// Three full rows wait at the bottom of the first game's well; down is held
// until three games are lost at the top.
TEST(WholeProgram, ThreeGamesLostAtTheTopThenTheEndScreenWithTheScore) {
    const uint8_t pixels[4] = {0, 1, 1, 0};
    const uint32_t colours[2] = {0x000000, 0xFFCC00};
    const platform::IconImage icon{2, 2, pixels, colours, 2};
    programIcon = &icon;
    const auto end = ReadPictureFile("end.bmp");
    const auto digits = ReadPictureFile("score.bmp");
    int64_t titleFrames = 0, scoreShown = 0, endScoreShown = 0;
    std::vector<int32_t> gamesLeftShown;
    int32_t gamesOverAtTheTop = 0;
    Board previous{};
    int32_t previousGamesLeft = 3;
    Script script;
    script.playReads = 1'000'000;
    script.onFrame = [&](const headless::Frame& frame, Phase phase) {
        if (phase == Phase::Title && ++titleFrames == 1) {  // with the title music
            uint8_t samples[2048];
            headless::PullAudio(samples, sizeof samples);
            EXPECT_TRUE(std::any_of(std::begin(samples), std::end(samples),
                                    [](uint8_t s) { return s != 128; }));
            EXPECT_TRUE(
                test_support::ShowsArea(frame, 0, 0, ReadPictureFile("start.bmp"), 0, 0, 640, 480));
            EXPECT_STREQ(headless::WindowTitle(), "Test Window");
            EXPECT_TRUE(headless::WindowHasIcon());
            EXPECT_FALSE(headless::CursorVisible());
        }
        endScoreShown += phase == Phase::End && test_support::EndScoreShows(frame, end, digits, 27);
        if (phase != Phase::Play) {
            return;
        }
        if (std::exchange(previousGamesLeft, gamesLeft) != gamesLeft) {
            gamesOverAtTheTop += std::any_of(previous.begin(), previous.begin() + kBoardColumns,
                                             [](int16_t cell) { return cell != 0; });
        } else if (gamesLeft == 3 && rowsCleared == 0) {
            for (int32_t row = 20; row < kBoardRows; ++row) {
                test_support::FillRow(board, row, 2);
            }
        }
        previous = board;
        scoreShown += test_support::PlayScoreShown(frame, digits) == 27;
        const int32_t shown = test_support::DigitShown(frame, 473, 331, digits);
        if (gamesLeftShown.empty() || gamesLeftShown.back() != shown) {
            gamesLeftShown.push_back(shown);
        }
    };
    const Outcome outcome = RunProgram(script);
    programIcon = nullptr;
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.leftAlive, "");
    EXPECT_GT(titleFrames, 0);
    EXPECT_EQ(gamesLeftShown, (std::vector<int32_t>{3, 2, 1}));
    EXPECT_EQ(gamesOverAtTheTop, 2);  // the third ends play itself
    EXPECT_EQ(gamesLeft, 0);
    EXPECT_EQ(rowsCleared, 3);  // only the prepared rows were ever full: 3 to the power 3
    EXPECT_GT(scoreShown, 100);
    EXPECT_GT(endScoreShown, 0);
}

// A quit message ends the run with its code and the end screen still shows;
// a window closed on the title (after a repaint request, which the window
// takes care of) leaves no end screen to show, and one closed on the end
// screen ends it.
TEST(WholeProgram, AQuitMessageGivesTheExitCodeAndAClosedWindowEndsTheRun) {
    Script script;
    script.onFrame = [](const headless::Frame&, Phase phase) {
        if (phase == Phase::Play && headless::FramesPresented() == 10) {
            platform::PostQuitMessage(5);
        }
    };
    Outcome outcome = RunProgram(script);
    EXPECT_EQ(outcome.exitCode, 5);
    EXPECT_GT(outcome.frames[Phase::End], 0);
    EXPECT_EQ(gamesLeft, 2);
    for (Phase closedIn : {Phase::Title, Phase::End}) {
        script.onFrame = [closedIn](const headless::Frame&, Phase phase) {
            if (phase == closedIn) {
                headless::Expose();
                headless::RequestClose();
            }
        };
        script.titleReads = closedIn == Phase::Title ? 1'000'000 : 3;  // only the close ends it
        script.endReads = 1'000'000;
        // Too short a play for any run of pieces to fill the well: one game, whatever the seed.
        script.playReads = 30;
        outcome = RunProgram(script);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_FALSE(outcome.overran);
        EXPECT_EQ(outcome.frames[Phase::End] > 0, closedIn == Phase::End);
        EXPECT_EQ(gamesLeft, 2);
        EXPECT_EQ(outcome.leftAlive, "");
    }
}

// A close request (the window's, or the terminate signal's, which SDL turns
// into the same) that comes while the data files are being read ends the run
// there: the files not yet read are left unread, no round is played (not even
// when a repaint request waits before it), nothing is shown after it,
// everything made is given back and the exit code is that of a close. Here
// the request comes on the title, when start.bmp and superhappy.wav are read
// and the other six files are still to come.
TEST(WholeProgram, ACloseRequestDuringLoadingLeavesTheRestOfTheDataFilesUnread) {
    uint64_t readsAtTheClose = 0;
    Script script;
    script.titleReads = 1'000'000;  // only the close ends the title
    script.onFrame = [&](const headless::Frame&, Phase phase) {
        if (phase == Phase::Title && readsAtTheClose == 0) {
            headless::Expose();
            headless::RequestClose();
            readsAtTheClose = platform::detail::SourceReads();
        }
    };
    const Outcome outcome = RunProgram(script);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.overran);
    EXPECT_GT(readsAtTheClose, 0u);
    EXPECT_EQ(platform::detail::SourceReads(), readsAtTheClose) << "files read after the close";
    EXPECT_EQ(outcome.frames[Phase::Play] + outcome.frames[Phase::End], 0);
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_EQ(outcome.leftAlive, "");
}

// In play the same request stops the falling piece where it is: no frame is
// drawn after it, and the run ends as a close ends it, without the end screen.
TEST(WholeProgram, ACloseRequestDuringTheFallEndsTheRunBeforeTheNextFrame) {
    int64_t playFramesAtTheClose = -1;
    Script script;
    script.playReads = 1'000'000;
    script.onFrame = [&](const headless::Frame&, Phase phase) {
        if (phase == Phase::Play && playFramesAtTheClose < 0 && headless::FramesPresented() == 40) {
            headless::Expose();
            headless::RequestClose();
            playFramesAtTheClose = 0;
        }
        playFramesAtTheClose += playFramesAtTheClose >= 0 && phase == Phase::Play;
    };
    const Outcome outcome = RunProgram(script);
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.overran);
    EXPECT_EQ(playFramesAtTheClose, 1) << "frames drawn after the close, and the one of it";
    EXPECT_EQ(outcome.frames[Phase::End], 0);
    EXPECT_EQ(gamesLeft, 2);
    EXPECT_EQ(outcome.leftAlive, "");
}

TEST(WholeProgram, TheStartTimeSeedsThePieces) {
    const auto play = [](uint32_t startTick) {
        std::vector<Board> boards;
        Script script;
        script.startTick = startTick;
        script.playReads = 2000;
        script.playKeys = [](int64_t read) {
            using namespace platform;
            const uint8_t keys[] = {DIK_LEFT, DIK_RIGHT, DIK_SPACE, DIK_DOWN, DIK_DOWN, 0, 0};
            return test_support::Keys{keys[(static_cast<uint64_t>(read) * 2654435761u >> 7) % 7]};
        };
        script.onFrame = [&boards](const headless::Frame&, Phase phase) {
            boards.insert(boards.end(), phase == Phase::Play ? 1 : 0, board);
        };
        EXPECT_EQ(RunProgram(script).exitCode, 0);
        return boards;
    };
    // The same start time and keys giving the same game: tests/frames, frame by frame.
    const auto first = play(5000);
    EXPECT_GT(first.size(), 1000u);
    EXPECT_FALSE(first == play(5001)) << "the pieces are not drawn from the clock";
}

}  // namespace
