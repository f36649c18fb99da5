#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "flow/games.h"
#include "tests/support/play_rig.h"

namespace {

namespace headless = platform::headless;
using namespace platform;

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
        {"Return before a frame", DIK_RETURN, {3}},
        {"Return after a frame", DIK_RETURN, {4}},
        {"Escape before a frame", DIK_ESCAPE, {3}},
        {"Escape after a frame", DIK_ESCAPE, {4}},
        {"Escape held from play, then pressed again", DIK_ESCAPE, {0, 1, 2, 5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::PlayRig rig;
        int64_t reads = 0;
        headless::SetKeySource([&](uint32_t, uint8_t* keys) {
            const int64_t read = reads++;
            if (std::count(c.downAt.begin(), c.downAt.end(), read) != 0) {
                keys[c.key] = kKeyDown;
            }
            if (read == 40) {
                headless::RequestClose();  // should the press be missed
            }
        });
        const uint64_t framesBefore = headless::FramesPresented();
        const Score score{};
        ShowEndScreen(score);
        const int64_t leavingRead = c.downAt.back();
        EXPECT_EQ(reads, leavingRead + 1);
        EXPECT_EQ(static_cast<int64_t>(headless::FramesPresented() - framesBefore),
                  leavingRead / 2);
    }
}

}  // namespace
