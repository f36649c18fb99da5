// The whole program from its entry point on the headless host.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string_view>

#include "platform/emulated/emulated_file_source.h"
#include "tests/support/program_run.h"
#include "tests/support/screen_check.h"

namespace {

namespace headless = platform::headless;
using namespace test_support;

// Three full rows wait at the bottom of the first game's well; down is held
// until three games are lost at the top. (The soak in tests/reliability holds
// every play frame's well, score and games left to the game's own.)
TEST(WholeProgram, ThreeGamesLostAtTheTopThenTheEndScreenWithTheScore) {
    const uint8_t pixels[4] = {0, 1, 1, 0};
    const uint32_t colours[2] = {0x000000, 0xFFCC00};
    const platform::IconImage icon{2, 2, pixels, colours, 2};
    programIcon = &icon;
    const auto digits = ReadPictureFile("score.bmp");
    int64_t titleFrames = 0, loadingFrames = 0, endScoreShown = 0;
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
            EXPECT_TRUE(ShowsArea(frame, 0, 0, ReadPictureFile("start.bmp"), 0, 0, 640, 480));
            EXPECT_STREQ(headless::WindowTitle(), "Test Window");
            EXPECT_TRUE(headless::WindowHasIcon());
            EXPECT_FALSE(headless::CursorVisible());
        }
        if (phase == Phase::Title) {  // "Loading..." alone, at its place, on a cleared screen
            int64_t inText = 0, elsewhere = 0;
            for (int32_t i = 0; i < frame.width * frame.height; ++i) {
                const int32_t x = i % frame.width, y = i / frame.width;
                (x >= 20 && x < 100 && y >= 20 && y < 36 ? inText : elsewhere) +=
                    frame.pixels[static_cast<size_t>(i)] != 0;
            }
            loadingFrames += inText > 0 && elsewhere == 0;
        }
        endScoreShown += phase == Phase::End && EndScoreShows(frame, digits, 27);
        if (phase != Phase::Play) {
            return;
        }
        if (std::exchange(previousGamesLeft, gamesLeft) != gamesLeft) {
            gamesOverAtTheTop += std::any_of(previous.begin(), previous.begin() + kBoardColumns,
                                             [](int16_t cell) { return cell != 0; });
        } else if (gamesLeft == 3 && rowsCleared == 0) {
            std::fill(board.end() - 3 * kBoardColumns, board.end(), int16_t{2});
        }
        previous = board;
    };
    const Outcome outcome = RunProgram(script);
    programIcon = nullptr;
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.leftAlive, "");
    EXPECT_GT(titleFrames, 0);
    EXPECT_EQ(loadingFrames, 1);
    EXPECT_EQ(gamesOverAtTheTop, 2);  // the third ends play itself
    EXPECT_EQ(gamesLeft, 0);
    EXPECT_EQ(rowsCleared, 3);  // only the prepared rows were ever full: 3 to the power 3
    EXPECT_GT(endScoreShown, 0);
}

// A quit message ends the run with its code, and the end screen still shows.
// A close request (after a repaint request, which the window takes care of)
// ends the run where it comes: on the title, no file is read after it and no
// round is played; in play no frame follows the one of the close, and no end
// screen; on the end screen it ends it.
TEST(WholeProgram, AQuitMessageGivesTheExitCodeAndACloseRequestEndsTheRunWhereItComes) {
    struct Case {
        const char* name;
        Phase phase;
        uint64_t atFrame;  // the first frame of the phase from this many frames shown
        int32_t exitCode;
        bool endShown;
    };
    for (const Case& c : {Case{"quit in play", Phase::Play, 10, 5, true},
                          Case{"close on the title", Phase::Title, 0, 0, false},
                          Case{"close in play", Phase::Play, 40, 0, false},
                          Case{"close on the end screen", Phase::End, 0, 0, true}}) {
        SCOPED_TRACE(c.name);
        uint64_t readsAtTheClose = 0;
        int64_t framesAfter = -1;
        Script script;
        script.titleReads = c.phase == Phase::Title ? 1'000'000 : 3;
        script.endReads = c.phase == Phase::End ? 1'000'000 : 4;
        // Too short a play for any run of pieces to fill the well: one game, whatever the seed.
        script.playReads = c.phase == Phase::End ? 30 : 1'000'000;
        script.onFrame = [&](const headless::Frame&, Phase phase) {
            framesAfter += framesAfter >= 0;
            if (phase == c.phase && framesAfter < 0 && headless::FramesPresented() >= c.atFrame) {
                framesAfter = 0;
                if (c.exitCode != 0) {
                    platform::PostQuitMessage(c.exitCode);
                    return;
                }
                headless::Expose();
                headless::RequestClose();
                readsAtTheClose = platform::detail::SourceReads();
            }
        };
        const Outcome outcome = RunProgram(script);
        EXPECT_EQ(outcome.exitCode, c.exitCode);
        EXPECT_FALSE(outcome.overran);
        EXPECT_EQ(outcome.frames[Phase::End] > 0, c.endShown);
        EXPECT_EQ(gamesLeft, 2);
        EXPECT_EQ(outcome.stderrText, "");
        EXPECT_EQ(outcome.leftAlive, "");
        if (c.exitCode == 0) {
            EXPECT_EQ(platform::detail::SourceReads(), readsAtTheClose) << "read after the close";
            // On the title, only "Loading..." follows, as it always does.
            EXPECT_EQ(framesAfter, c.phase == Phase::Title ? 1 : 0) << "frames after the close";
        }
    }
}

// The game seeds its pieces from the clock, and the pieces of a seed depend
// only on its low 31 bits. So a start a few seconds before the tick count
// reaches 2^31 and one as far before it wraps to 0 play the same pieces, and
// must show the same frames: pieces fall, move and turn on both sides of
// either boundary. One millisecond later the pieces differ.
TEST(WholeProgram, TheSameGameAcrossTheTickCountsHalfWayAndItsWrap) {
    const auto play = [](uint32_t startTick) {
        std::vector<size_t> frames;  // each play frame's pixels, hashed
        Script script;
        script.startTick = startTick;
        script.playReads = 600;
        script.playKeys = [](int64_t read) {
            using namespace platform;
            const uint8_t keys[] = {DIK_SPACE, DIK_LEFT, 0, DIK_SPACE, DIK_RIGHT, 0, 0, DIK_DOWN};
            return Keys{keys[(static_cast<uint64_t>(read) * 2654435761u >> 7) % 8]};
        };
        script.onFrame = [&frames](const headless::Frame& frame, Phase phase) {
            frames.insert(
                frames.end(), phase == Phase::Play ? 1 : 0,
                std::hash<std::string_view>()(std::string_view(
                    reinterpret_cast<const char*>(frame.pixels.data()), frame.pixels.size())));
        };
        EXPECT_EQ(RunProgram(script).exitCode, 0);
        return frames;
    };
    const uint32_t start = (1u << 31) - 4000;
    const auto first = play(start);
    EXPECT_GT(first.size(), 500u);
    EXPECT_TRUE(first == play(start + (1u << 31))) << "the wrap of the tick count changed play";
    EXPECT_FALSE(first == play(start + 1)) << "the pieces are not drawn from the clock";
}

}  // namespace
