// Devices that falter while the game is being played: the keyboard, the
// screen's blits, flips and locks, and the sound buffers. The game goes on
// through each and reaches the end screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <vector>

#include "platform/keys.h"
#include "tests/reliability/program_driver.h"

namespace reliability {
namespace {

using platform::Fault;
namespace headless = platform::headless;

constexpr int64_t kPauseRead = 30;
constexpr int64_t kResumeRead = 36;

Keys SomePlay(int64_t read) {
    using namespace platform;
    if (read == kPauseRead || read == kResumeRead) {
        return {DIK_RETURN};
    }
    static const Keys pattern[] = {{DIK_DOWN}, {}, {DIK_LEFT},  {}, {DIK_SPACE},
                                   {DIK_DOWN}, {}, {DIK_RIGHT}, {}, {DIK_DOWN}};
    return pattern[read % 10];
}

// A short run that does something of the test's at given reads of play,
// after the keys for that read are chosen.
Script RunWithEvents(std::map<int64_t, std::function<void()>> events) {
    Script script;
    script.playReads = 120;
    script.playKeys = [events = std::move(events)](int64_t read) {
        const Keys keys = SomePlay(read);
        if (auto event = events.find(read); event != events.end()) {
            event->second();
        }
        return keys;
    };
    return script;
}

void ExpectRunToTheEnd(const Outcome& outcome) {
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_FALSE(outcome.overran) << "the game stopped reacting to the keys";
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_GT(outcome.reads[static_cast<size_t>(Phase::End)], 0);
    EXPECT_EQ(outcome.leftAlive, "") << "left alive after the run";
}

// Play goes on while the keyboard cannot be read: each pass takes no action
// and still draws its frame, so gravity keeps the piece falling.
TEST(FaultDuringPlay, KeyboardThatCannotBeReadForAWhileCostsOnlyThoseActions) {
    constexpr int kFailedReads = 60;
    uint64_t framesAtFailure = 0;
    uint64_t framesAfterFailure = 0;
    const Outcome outcome = RunProgram(RunWithEvents({
        {50,
         [&] {
             framesAtFailure = headless::FramesPresented();
             headless::FailStep(Fault::GetDeviceState, 0, kFailedReads);
         }},
        {51, [&] { framesAfterFailure = headless::FramesPresented(); }},
    }));
    ExpectRunToTheEnd(outcome);
    // The pass of read 50 and one pass for every failed read.
    EXPECT_EQ(framesAfterFailure - framesAtFailure, kFailedReads + 1u);
}

// A pause waits for Return; a keyboard that fails meanwhile neither ends the
// pause nor draws anything, and once it answers again Return ends the pause.
TEST(FaultDuringPlay, KeyboardThatFailsDuringAPauseLeavesThePauseOn) {
    constexpr int kFailedReads = 100;
    uint64_t framesAtPause = 0;
    uint32_t tickAtPause = 0;
    uint64_t framesAfterFailure = 0;
    uint32_t tickAfterFailure = 0;
    uint64_t framesAfterResume = 0;
    const Outcome outcome = RunProgram(RunWithEvents({
        {kPauseRead,
         [&] {
             framesAtPause = headless::FramesPresented();
             tickAtPause = headless::Ticks();
             headless::FailStep(Fault::GetDeviceState, 0, kFailedReads);
         }},
        {kPauseRead + 1,
         [&] {
             framesAfterFailure = headless::FramesPresented();
             tickAfterFailure = headless::Ticks();
         }},
        {kResumeRead + 1, [&] { framesAfterResume = headless::FramesPresented(); }},
    }));
    ExpectRunToTheEnd(outcome);
    EXPECT_EQ(framesAfterFailure, framesAtPause) << "the pause drew or ended";
    // The pause does not spin: each failed read waited for the clock.
    EXPECT_GE(tickAfterFailure - tickAtPause, static_cast<uint32_t>(kFailedReads));
    EXPECT_EQ(framesAfterResume, framesAtPause + 1) << "play went on after Return";
}

// Frames whose blits fail are still shown, only with less on them.
TEST(FaultDuringPlay, BlitsThatFailForAWhileLeaveFramesComing) {
    uint64_t framesAtFailure = 0;
    uint64_t framesLater = 0;
    const Outcome outcome = RunProgram(RunWithEvents({
        {40,
         [&] {
             framesAtFailure = headless::FramesPresented();
             headless::FailStep(Fault::Blit, 0, 2000);
         }},
        {60, [&] { framesLater = headless::FramesPresented(); }},
    }));
    ExpectRunToTheEnd(outcome);
    EXPECT_EQ(framesLater - framesAtFailure, 20u);
}

// A screen that will not flip for a while: play goes on unseen and shows
// again when it flips.
TEST(FaultDuringPlay, FlipsThatFailForAWhileDoNotStopPlay) {
    uint64_t framesAtFailure = 0;
    uint64_t framesDuringFailure = 0;
    uint64_t framesAfterFailure = 0;
    const Outcome outcome = RunProgram(RunWithEvents({
        {40,
         [&] {
             framesAtFailure = headless::FramesPresented();
             headless::FailStep(Fault::Flip, 0, 30);
         }},
        {70, [&] { framesDuringFailure = headless::FramesPresented(); }},
        {80, [&] { framesAfterFailure = headless::FramesPresented(); }},
    }));
    ExpectRunToTheEnd(outcome);
    EXPECT_EQ(framesDuringFailure, framesAtFailure);
    EXPECT_EQ(framesAfterFailure - framesDuringFailure, 10u);
}

// Surfaces that can no longer be locked: the end screen's picture cannot be
// copied, and the end screen comes all the same.
TEST(FaultDuringPlay, SurfacesThatCannotBeLockedLeaveTheEndScreenWithoutItsPicture) {
    const Outcome outcome =
        RunProgram(RunWithEvents({{100, [] { headless::FailStep(Fault::LockSurface); }}}));
    ExpectRunToTheEnd(outcome);
    EXPECT_GT(outcome.frames[static_cast<size_t>(Phase::End)], 0);
}

bool Silent(const std::vector<uint8_t>& samples) {
    return std::all_of(samples.begin(), samples.end(), [](uint8_t s) { return s == 128; });
}

std::vector<uint8_t> Listen() {
    std::vector<uint8_t> samples(2205);
    headless::PullAudio(samples.data(), static_cast<uint32_t>(samples.size()));
    return samples;
}

// Lost sound buffers are restored only when they are filled, which the game
// never does again: the music stops, the pause and its resume play nothing,
// and the run goes on silent.
TEST(FaultDuringPlay, SoundBuffersLostMidRunLeaveTheGameSilent) {
    std::vector<uint8_t> before;
    std::vector<uint8_t> afterLoss;
    std::vector<uint8_t> afterResume;
    const Outcome outcome = RunProgram(RunWithEvents({
        {10, [&] { before = Listen(); }},
        {20,
         [&] {
             headless::LoseSoundBuffers();
             afterLoss = Listen();
         }},
        {kResumeRead + 2, [&] { afterResume = Listen(); }},
    }));
    ExpectRunToTheEnd(outcome);
    EXPECT_FALSE(Silent(before)) << "the music was not playing to begin with";
    EXPECT_TRUE(Silent(afterLoss));
    EXPECT_TRUE(Silent(afterResume));
}

}  // namespace
}  // namespace reliability
