#include <gtest/gtest.h>

#include "flow/games.h"
#include "tests/support/play_rig.h"

namespace {

namespace headless = platform::headless;
using test_support::SetKeysByPass;

struct RunEnd {
    platform::Message message;
    uint64_t frames = 0;
};

// Runs the games from a fresh start with the keys given by pass.
RunEnd RunFresh(test_support::KeysAtPass keys, std::function<void()> before = nullptr) {
    BuildShapeTable();
    platform::Message drained;
    while (platform::PeekMessage(&drained, nullptr, 0, 0, platform::PM_REMOVE)) {
    }
    SetKeysByPass(std::move(keys));
    if (before) {
        before();
    }
    Piece current;
    Piece emptyPiece;
    Score score{};
    FullRows fullRows{};
    int32_t fullRowCount = 0;
    RunEnd end;
    RunGames(current, emptyPiece, score, fullRows, fullRowCount, end.message);
    end.frames = headless::FramesPresented();
    return end;
}

// Down held, so every piece drops fast, with something done at pass 3.
test_support::KeysAtPass DownWith(std::function<void()> atPassThree, uint64_t escapeAt = 10000) {
    return [atPassThree, escapeAt](uint64_t pass) -> std::vector<uint8_t> {
        if (pass == 3) {
            atPassThree();
        }
        return {pass < escapeAt ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    };
}

TEST(Games, EachWayOfEndingTheRunEndsItWhereItShould) {
    struct Case {
        const char* name;
        test_support::KeysAtPass keys;
        std::function<void()> before;
        uint32_t message;
        uintptr_t code;
        bool windowOpen;
        int64_t frames, filledCells;  // -1: any
    };
    const auto repaintEachPass = [](uint64_t pass) -> std::vector<uint8_t> {
        headless::Expose();
        return {pass < 60 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
    };
    const Case cases[] = {
        {"escape", test_support::KeyAtPasses(0, {}, 5), nullptr, platform::WM_NULL, 0, true, 5, -1},
        {"quit first", test_support::KeyAtPasses(0, {}, 10000),
         [] { platform::PostQuitMessage(3); }, platform::WM_QUIT, 3, true, 0, -1},
        // The first piece lands, the second never moves.
        {"quit later", DownWith([] { platform::PostQuitMessage(0); }), nullptr, platform::WM_QUIT,
         0, true, -1, 4},
        {"window closed", DownWith(headless::RequestClose), nullptr, platform::WM_QUIT, 0, false,
         -1, 4},
        // Other messages go to the window, one between two pieces.
        {"repaints", repaintEachPass, nullptr, platform::WM_PAINT, 0, true, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::PlayRig rig;
        const RunEnd end = RunFresh(c.keys, c.before);
        EXPECT_EQ(gamesLeft, 2);
        EXPECT_EQ(end.message.message, c.message);
        EXPECT_EQ(end.message.wParam, c.code);
        EXPECT_EQ(platform::IsWindow(mainWindow), c.windowOpen);
        EXPECT_TRUE(c.frames < 0 || static_cast<int64_t>(end.frames) == c.frames) << end.frames;
        EXPECT_TRUE(c.filledCells < 0 || test_support::FilledCells(board) == c.filledCells);
    }
}

TEST(Games, AClosingWindowEndsAPauseAndThenTheRun) {
    test_support::PlayRig rig;
    uint64_t pollsInPause = 0;
    RunFresh([&pollsInPause](uint64_t pass) -> std::vector<uint8_t> {
        if (pass != 2) {
            return {pass < 10000 ? platform::DIK_DOWN : platform::DIK_ESCAPE};
        }
        if (++pollsInPause == 20) {
            headless::RequestClose();
        }
        // Return begins the pause and, should the close be missed, ends it.
        if (pollsInPause == 1 || pollsInPause == 200) {
            return {platform::DIK_RETURN};
        }
        return {};
    });
    EXPECT_EQ(pollsInPause, 20u);
    EXPECT_FALSE(platform::IsWindow(mainWindow));
    EXPECT_EQ(gamesLeft, 2);
}

}  // namespace
