// Devices that fail: at start-up the game says which one and why in one line
// and exits with 1; later a failing step costs a picture, a frame or a sound
// but never the run. Either way nothing is left half made.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/support/program_run.h"

namespace {

namespace headless = platform::headless;
using platform::Fault;
using test_support::Index;
using test_support::Keys;
using test_support::Outcome;
using test_support::Phase;
using test_support::Script;

// Steers, turns, drops and pauses from read 30 to read 36, then quits at 120.
Script ShortRun(std::map<int64_t, std::function<void()>> events = {}) {
    Script script;
    script.playReads = 120;
    script.playKeys = [events = std::move(events)](int64_t read) {
        using namespace platform;
        static const Keys pattern[] = {{DIK_DOWN}, {}, {DIK_LEFT},  {}, {DIK_SPACE},
                                       {DIK_DOWN}, {}, {DIK_RIGHT}, {}, {DIK_DOWN}};
        if (auto event = events.find(read); event != events.end()) {
            event->second();
        }
        return read == 30 || read == 36 ? Keys{DIK_RETURN} : pattern[read % 10];
    };
    return script;
}

void ExpectRunThrough(const Outcome& outcome) {
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_GE(outcome.reads[Index(Phase::Play)], 120);
    EXPECT_GT(outcome.frames[Index(Phase::End)] + outcome.reads[Index(Phase::End)], 0);
}

// The words naming the device in the start-up failure message; none for a
// step whose failure start-up lives with.
struct Step {
    Fault fault;
    const char* reported;
};
const Step kSteps[] = {
    {Fault::RegisterClass, "window class"},
    {Fault::CreateWindow, "window"},
    {Fault::CreateDisplay, "display"},
    {Fault::SetDisplayMode, "display"},
    {Fault::CreatePrimarySurface, "screen surfaces"},
    {Fault::GetBackBuffer, "screen surfaces"},
    {Fault::CreatePalette, nullptr},
    {Fault::CreateOffscreenSurface, nullptr},
    {Fault::LockSurface, nullptr},
    {Fault::GetDC, nullptr},
    {Fault::Blit, nullptr},
    {Fault::Flip, nullptr},
    {Fault::CreateInput, "keyboard"},
    {Fault::CreateKeyboard, "keyboard"},
    {Fault::SetKeyboardCooperativeLevel, "keyboard"},
    {Fault::SetDataFormat, "keyboard"},
    {Fault::Acquire, "keyboard"},
    {Fault::GetDeviceState, nullptr},
    {Fault::CreateSoundDevice, "sound device"},
    {Fault::SetSoundCooperativeLevel, "sound device"},
    {Fault::CreateSoundBuffer, nullptr},
    {Fault::DuplicateSoundBuffer, nullptr},
    {Fault::LockSoundBuffer, nullptr},
};
static_assert(std::size(kSteps) == static_cast<size_t>(Fault::Count), "every step is tried");

class FailingStep : public testing::TestWithParam<Step> {};

// Each step fails at its first call, half way through the run and at its last
// call; once, and from then on. The keyboard never fails for good: that
// would leave the player no way to end the run.
TEST_P(FailingStep, StopsStartUpCleanlyOrCostsOnlyWhatItMakes) {
    const Step step = GetParam();
    static const Outcome clean = test_support::RunProgram(ShortRun());
    ExpectRunThrough(clean);
    const uint64_t calls = clean.stepCalls[static_cast<size_t>(step.fault)];
    for (uint64_t skip : {uint64_t{0}, calls / 2, calls > 0 ? calls - 1 : 0}) {
        for (int times : {1, step.fault == Fault::GetDeviceState ? 40 : -1}) {
            SCOPED_TRACE(testing::Message() << "fails from call " << skip + 1 << " of " << calls
                                            << (times < 0 ? " for good" : ""));
            Script script = ShortRun();
            script.beforeStart = [&] {
                headless::FailStep(step.fault, static_cast<int>(skip), times);
            };
            const Outcome outcome = test_support::RunProgram(script);
            EXPECT_EQ(outcome.leftAlive, "");
            EXPECT_FALSE(outcome.overran) << "the game stopped reacting to the keys";
            if (skip == 0 && step.reported != nullptr) {
                const std::string said = outcome.stderrText;
                EXPECT_EQ(outcome.exitCode, 1);
                EXPECT_EQ(said.rfind("stackwell: ", 0), 0u) << said;
                EXPECT_NE(said.find(step.reported), std::string::npos) << said;
                EXPECT_NE(said.find(outcome.errorText), std::string::npos) << said;
                EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
                EXPECT_EQ(outcome.frames, (std::array<int64_t, 3>{}));
            } else {
                ExpectRunThrough(outcome);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDeviceStep, FailingStep, testing::ValuesIn(kSteps));

// Mid-run faults: frames keep coming (or, in a pause, rightly do not) while a
// device fails, and the run reaches the end screen.
TEST(FaultDuringPlay, FramesGoOnAsTheFaultAllows) {
    struct Case {
        const char* name;
        Fault fault;
        int64_t atRead;
        int times;
        int64_t untilRead;
        uint64_t frames;    // shown between the two reads
        uint32_t minTicks;  // passed between them
    };
    const Case cases[] = {
        // Each failed read is a pass without an action that still draws.
        {"keyboard", Fault::GetDeviceState, 50, 60, 51, 61, 0},
        // A pause neither draws nor ends, and each failed read waits a tick.
        {"keyboard in a pause", Fault::GetDeviceState, 30, 100, 31, 0, 100},
        {"blits", Fault::Blit, 40, 2000, 60, 20, 0},
        {"flips", Fault::Flip, 40, 30, 70, 0, 0},
        {"locks for good", Fault::LockSurface, 100, -1, 110, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint64_t frames = 0;
        uint32_t ticks = 0;
        const Outcome outcome = test_support::RunProgram(ShortRun({
            {c.atRead,
             [&] {
                 frames = headless::FramesPresented();
                 ticks = headless::Ticks();
                 headless::FailStep(c.fault, 0, c.times);
             }},
            {c.untilRead,
             [&] {
                 frames = headless::FramesPresented() - frames;
                 ticks = headless::Ticks() - ticks;
             }},
        }));
        ExpectRunThrough(outcome);
        EXPECT_FALSE(outcome.overran);
        EXPECT_EQ(frames, c.frames);
        EXPECT_GE(ticks, c.minTicks);
    }
}

// Lost sound buffers are restored only when filled, which the game never does
// again: the music stops, the pause and its resume play nothing.
TEST(FaultDuringPlay, SoundBuffersLostMidRunLeaveTheGameSilent) {
    std::vector<bool> silent;
    const auto listen = [&silent] {
        std::vector<uint8_t> samples(2205);
        headless::PullAudio(samples.data(), static_cast<uint32_t>(samples.size()));
        silent.push_back(
            std::all_of(samples.begin(), samples.end(), [](uint8_t s) { return s == 128; }));
    };
    ExpectRunThrough(test_support::RunProgram(ShortRun({{10, listen},
                                                        {20,
                                                         [&] {
                                                             headless::LoseSoundBuffers();
                                                             listen();
                                                         }},
                                                        {38, listen}})));
    EXPECT_EQ(silent, (std::vector<bool>{false, true, true}));
}

}  // namespace
