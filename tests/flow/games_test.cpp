#include <gtest/gtest.h>

#include "flow/games.h"
#include "tests/support/play_rig.h"

namespace {

namespace headless = platform::headless;
using Keys = std::vector<uint8_t>;
using headless::FramesPresented;
using test_support::SetKeysByPass;

// Down held, so every piece drops fast, with something done at pass 3 and
// Escape from escapeAt on.
test_support::KeysAtPass DownWith(std::function<void()> atPassThree, uint64_t escapeAt = 10000) {
    return [atPassThree, escapeAt](uint64_t pass) -> Keys {
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
        uint32_t message;
        int64_t frames, filledCells;  // -1: any
    };
    uint64_t pollsInPause = 0;
    const Case cases[] = {
        // The first piece lands, the second never moves.
        {"window closed", DownWith(headless::RequestClose), platform::WM_CLOSE, -1, 4},
        // Other messages go to the window, one between two pieces, and play goes on.
        {"repaints", DownWith(headless::Expose, 60), platform::WM_PAINT, 60, -1},
        // Return begins a pause at pass 2 and, should the close be missed, ends it.
        {"window closed in a pause",
         [&pollsInPause](uint64_t pass) -> Keys {
             if (pass != 2) {
                 return {platform::DIK_DOWN};
             }
             if (++pollsInPause == 20) {
                 headless::RequestClose();
             }
             return pollsInPause == 1 || pollsInPause == 200 ? Keys{platform::DIK_RETURN} : Keys{};
         },
         platform::WM_CLOSE, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::PlayRig rig;
        platform::Message message;
        while (platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE)) {
        }
        SetKeysByPass(c.keys);
        Piece current, emptyPiece;
        Score score{};
        FullRows fullRows{};
        int32_t fullRowCount = 0;
        RunGames(current, emptyPiece, score, fullRows, fullRowCount, message);
        EXPECT_EQ(gamesLeft, 2);
        EXPECT_EQ(message.message, c.message);
        EXPECT_EQ(message.wParam, 0u);
        EXPECT_EQ(platform::IsWindow(mainWindow), !std::string(c.name).starts_with("window"));
        EXPECT_TRUE(c.frames < 0 || static_cast<int64_t>(FramesPresented()) == c.frames);
        EXPECT_TRUE(c.filledCells < 0 || test_support::FilledCells(board) == c.filledCells);
    }
    EXPECT_EQ(pollsInPause, 20u);
}

}  // namespace
