// The games of a run: how the first piece of a game comes in, how the run
// ends, and how the end screen is left.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "flow/games.h"
#include "platform/random.h"
#include "tests/support/play_rig.h"

namespace {

namespace headless = platform::headless;
using Keys = std::vector<uint8_t>;
using headless::FramesPresented;
using test_support::SetKeysByPass;

// Whatever shape the generator draws, it comes in at column 4 at the top, in
// its first record, already written into the well. (A piece's other records
// come along with Assign, which every move and turn test goes through.)
TEST(FirstPiece, EveryShapeComesInAtColumnFourOnTheBoard) {
    test_support::PlayRig rig;
    bool seen[kShapeCount] = {};
    for (unsigned seed = 0; seed < 200; ++seed) {
        platform::SeedRandom(seed);
        const auto shape = static_cast<int32_t>(platform::Random() % kShapeCount);
        platform::SeedRandom(seed);
        ClearBoard();
        Piece current;
        SpawnFirstPiece(current, board);
        ASSERT_EQ(std::tuple(current.x, current.y, current.rotation), std::tuple(4, 0, 0)) << seed;
        Board stamped{};
        StampPiece(test_support::ShapeAt(shape, 4, 0), stamped.data());
        ASSERT_EQ(board, stamped) << seed;
        seen[shape] = true;
    }
    EXPECT_EQ(std::count(std::begin(seen), std::end(seen), true), kShapeCount);
}

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

// The end screen reads the keyboard once before its loop, then twice a pass:
// read 1 before the first frame, read 2 after it, read 3 before the second,
// and so on. A press of Return, or of Escape once the Escape that ended play
// is let go, leaves it at whichever read sees the press; a short press is
// seen by one read only.
TEST(EndScreen, ReturnOrAFreshEscapeLeavesItAtTheReadThatSeesIt) {
    struct Case {
        const char* name;
        uint8_t key;
        std::vector<int64_t> downAt;  // the reads that see the key; the last one leaves
    };
    const Case cases[] = {
        {"Return before a frame", platform::DIK_RETURN, {3}},
        {"Return after a frame", platform::DIK_RETURN, {4}},
        {"Escape before a frame", platform::DIK_ESCAPE, {3}},
        {"Escape after a frame", platform::DIK_ESCAPE, {4}},
        {"Escape held from play, then pressed again", platform::DIK_ESCAPE, {0, 1, 2, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::PlayRig rig;
        int64_t reads = 0;
        headless::SetKeySource([&](uint32_t, uint8_t* keys) {
            const int64_t read = reads++;
            if (std::count(c.downAt.begin(), c.downAt.end(), read) != 0) {
                keys[c.key] = platform::kKeyDown;
            }
            if (read == 40) {
                headless::RequestClose();  // should the press be missed
            }
        });
        const uint64_t framesBefore = FramesPresented();
        const Score score{};
        ShowEndScreen(score);
        const int64_t leavingRead = c.downAt.back();
        EXPECT_EQ(reads, leavingRead + 1);
        EXPECT_EQ(static_cast<int64_t>(FramesPresented() - framesBefore), leavingRead / 2);
    }
}

}  // namespace
