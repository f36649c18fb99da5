#include <gtest/gtest.h>

#include "flow/games.h"
#include "tests/support/play_rig.h"
#include "tests/support/screens.h"

namespace {

using platform::headless::Frames;
using platform::headless::FramesPresented;
using test_support::KeyAtPasses;
using test_support::ReadPictureFile;
using test_support::SetKeysByPass;

bool Silent() {
    uint8_t samples[4096];
    platform::headless::PullAudio(samples, sizeof samples);
    for (uint8_t sample : samples) {
        if (sample != 128) {
            return false;
        }
    }
    return true;
}

class Screens : public ::testing::Test {
protected:
    test_support::PlayRig rig;
};

TEST_F(Screens, TheTitleShowsItsPictureInItsOwnColoursWithMusicUntilAFreshReturn) {
    const auto title = ReadPictureFile("start.bmp");
    bool heardMusic = false;
    platform::headless::SetSleepHook(
        [&heardMusic](uint32_t, uint32_t) { heardMusic = heardMusic || !Silent(); });
    // Escape does nothing here; Return held from the first frame on ends it once.
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        if (pass < 2) {
            return {platform::DIK_ESCAPE};
        }
        return {platform::DIK_RETURN};
    });
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

TEST_F(Screens, ReturnAlreadyDownLeavesTheTitleBeforeItsFirstFrame) {
    platform::headless::SetKey(platform::DIK_RETURN, true);
    ShowTitleScreen();
    EXPECT_EQ(FramesPresented(), 0u);
}

// Asks the window to close when the given number of frames has been shown.
void CloseAfterFrames(uint64_t frames) {
    platform::headless::SetFrameHook([frames](const platform::headless::Frame&) {
        if (FramesPresented() == frames) {
            platform::headless::RequestClose();
        }
    });
}

TEST_F(Screens, AClosingWindowEndsTheTitleAndLeavesTheRequestForTheGamesLoop) {
    SetKeysByPass(KeyAtPasses(0, {}, 0));
    CloseAfterFrames(2);
    ShowTitleScreen();
    EXPECT_EQ(FramesPresented(), 2u);
    platform::Message message;
    ASSERT_TRUE(platform::PeekMessage(&message, nullptr, 0, 0, platform::PM_REMOVE));
    EXPECT_EQ(message.message, platform::WM_CLOSE);
}

class EndScreen : public Screens {
protected:
    // The score 987654321, entry 0 the units.
    Score score{1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
};

TEST_F(EndScreen, ShowsTheScoreThroughThePictureUntilReturn) {
    const auto picture = ReadPictureFile("end.bmp");
    const auto play = ReadPictureFile("menu1.bmp");
    SetKeysByPass(KeyAtPasses(platform::DIK_RETURN, {2}, 10000));
    ShowEndScreen(score);

    ASSERT_EQ(FramesPresented(), 2u);
    const auto& frame = Frames().back();
    EXPECT_TRUE(test_support::ShowsPicture(frame, picture));
    // Drawn in the play colours, which are still in force.
    EXPECT_TRUE(test_support::SamePalette(frame, play));
    // The score 987654321 shows through where the picture lets it.
    EXPECT_TRUE(test_support::EndScoreShows(frame, test_support::GamePictures{}, 987654321));
}

TEST_F(EndScreen, EscapeLeavesItBeforeTheNextFrame) {
    SetKeysByPass(KeyAtPasses(0, {}, 3));
    ShowEndScreen(score);
    EXPECT_EQ(FramesPresented(), 3u);
}

TEST_F(EndScreen, AClosingWindowEndsIt) {
    CloseAfterFrames(3);
    ShowEndScreen(score);
    EXPECT_EQ(FramesPresented(), 3u);
}

TEST_F(EndScreen, ReturnAlreadyDownClosesItWithoutAFrame) {
    platform::headless::SetKey(platform::DIK_RETURN, true);
    ShowEndScreen(score);
    EXPECT_EQ(FramesPresented(), 0u);
}

TEST_F(EndScreen, AnEscapeStillHeldFromPlayMustBeLetGoAndPressedAgain) {
    SetKeysByPass([](uint64_t pass) -> std::vector<uint8_t> {
        if (pass < 4 || pass >= 6) {
            return {platform::DIK_ESCAPE};
        }
        return {};
    });
    ShowEndScreen(score);
    EXPECT_EQ(FramesPresented(), 6u);
}

}  // namespace
