#include <gtest/gtest.h>

#include "flow/games.h"
#include "tests/support/play_rig.h"
#include "tests/support/screen_check.h"

namespace {

namespace headless = platform::headless;
using headless::Frames;
using headless::FramesPresented;
using test_support::ReadPictureFile;
using test_support::SetKeysByPass;

bool Silent() {
    uint8_t samples[4096];
    headless::PullAudio(samples, sizeof samples);
    return std::all_of(std::begin(samples), std::end(samples), [](uint8_t s) { return s == 128; });
}

// Keys by pass: Escape before firstReturn, Return from then on.
test_support::KeysAtPass EscapeThenReturn(uint64_t firstReturn) {
    return [firstReturn](uint64_t pass) -> std::vector<uint8_t> {
        return {pass < firstReturn ? platform::DIK_ESCAPE : platform::DIK_RETURN};
    };
}

TEST(TitleScreen, ShowsItsPictureInItsOwnColoursWithMusicUntilAFreshReturn) {
    test_support::PlayRig rig;
    const auto title = ReadPictureFile("start.bmp");
    bool heardMusic = false;
    headless::SetSleepHook(
        [&heardMusic](uint32_t, uint32_t) { heardMusic = heardMusic || !Silent(); });
    SetKeysByPass(EscapeThenReturn(2));  // Escape does nothing here
    ShowTitleScreen();
    EXPECT_EQ(FramesPresented(), 2u);
    EXPECT_EQ(keyLatch, 1);
    EXPECT_TRUE(heardMusic);
    for (const auto& frame : Frames()) {
        EXPECT_TRUE(test_support::ShowsPicture(frame, title));
        EXPECT_TRUE(test_support::SamePalette(frame, title));
    }
    EXPECT_TRUE(Silent());
}

// Asks the window to close when the given number of frames has been shown.
void CloseAfterFrames(uint64_t frames) {
    headless::SetFrameHook([frames](const headless::Frame&) {
        if (FramesPresented() == frames) {
            headless::RequestClose();
        }
    });
}

// Return already down leaves at once; a closing window ends the screen and
// leaves its request for the games loop; on the end screen Escape leaves too,
// but one still held from play must be let go and pressed again.
TEST(TitleAndEndScreens, LeaveOnTheirKeysOrAClosingWindow) {
    struct Case {
        const char* name;
        bool endScreen;
        std::function<void()> arrange;
        uint64_t frames;
    };
    const Case cases[] = {
        {"title, Return down", false, [] { headless::SetKey(platform::DIK_RETURN, true); }, 0},
        {"title, closed", false, [] { CloseAfterFrames(2); }, 2},
        {"end, Return down", true, [] { headless::SetKey(platform::DIK_RETURN, true); }, 0},
        {"end, closed", true, [] { CloseAfterFrames(3); }, 3},
        {"end, Escape", true, [] { SetKeysByPass(test_support::KeyAtPasses(0, {}, 3)); }, 3},
        {"end, Escape held", true,
         [] {
             SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
                 return pass < 4 || pass >= 6 ? std::vector<uint8_t>{platform::DIK_ESCAPE}
                                              : std::vector<uint8_t>{};
             });
         },
         6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test_support::PlayRig rig;
        c.arrange();
        if (c.endScreen) {
            ShowEndScreen(Score{});
        } else {
            ShowTitleScreen();
            platform::Message message;
            if (c.frames > 0) {
                ASSERT_TRUE(platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE));
                EXPECT_EQ(message.message, platform::WM_CLOSE);
            }
        }
        EXPECT_EQ(FramesPresented(), c.frames);
    }
}

TEST(EndScreen, ShowsTheScoreThroughThePictureInThePlayColours) {
    test_support::PlayRig rig;
    const auto end = ReadPictureFile("end.bmp");
    SetKeysByPass(test_support::KeyAtPasses(platform::DIK_RETURN, {2}, 10000));
    ShowEndScreen(Score{1, 2, 3, 4, 5, 6, 7, 8, 9, 0});  // entry 0 the units
    ASSERT_EQ(FramesPresented(), 2u);
    const auto& frame = Frames().back();
    EXPECT_TRUE(test_support::ShowsPicture(frame, end));
    EXPECT_TRUE(test_support::SamePalette(frame, ReadPictureFile("menu1.bmp")));
    EXPECT_TRUE(test_support::EndScoreShows(frame, end, ReadPictureFile("score.bmp"), 987654321));
}

}  // namespace
