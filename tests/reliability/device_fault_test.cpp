// Devices that fail: at start-up the game says which one in one line and
// ends with a failure code; later, a failing step costs a picture, a frame or
// a sound but never the run. Either way nothing is left half made.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/keys.h"
#include "tests/reliability/program_driver.h"

namespace reliability {
namespace {

using platform::Fault;
namespace headless = platform::headless;

constexpr int32_t kStartupFailed = 1;

struct Step {
    Fault fault;
    const char* name;
};

const Step kSteps[] = {
    {Fault::RegisterClass, "RegisterClass"},
    {Fault::CreateWindow, "CreateWindow"},
    {Fault::CreateDisplay, "CreateDisplay"},
    {Fault::SetDisplayMode, "SetDisplayMode"},
    {Fault::CreatePrimarySurface, "CreatePrimarySurface"},
    {Fault::GetBackBuffer, "GetBackBuffer"},
    {Fault::CreatePalette, "CreatePalette"},
    {Fault::CreateOffscreenSurface, "CreateOffscreenSurface"},
    {Fault::LockSurface, "LockSurface"},
    {Fault::GetDC, "GetDC"},
    {Fault::Blit, "Blit"},
    {Fault::Flip, "Flip"},
    {Fault::CreateInput, "CreateInput"},
    {Fault::CreateKeyboard, "CreateKeyboard"},
    {Fault::SetKeyboardCooperativeLevel, "SetKeyboardCooperativeLevel"},
    {Fault::SetDataFormat, "SetDataFormat"},
    {Fault::Acquire, "Acquire"},
    {Fault::GetDeviceState, "GetDeviceState"},
    {Fault::CreateSoundDevice, "CreateSoundDevice"},
    {Fault::SetSoundCooperativeLevel, "SetSoundCooperativeLevel"},
    {Fault::CreateSoundBuffer, "CreateSoundBuffer"},
    {Fault::DuplicateSoundBuffer, "DuplicateSoundBuffer"},
    {Fault::LockSoundBuffer, "LockSoundBuffer"},
};
static_assert(std::size(kSteps) == static_cast<size_t>(Fault::Count), "every step is tried");

// Steers, turns, drops and pauses once, for a short while.
Keys SomePlay(int64_t read) {
    using namespace platform;
    if (read == 30 || read == 36) {
        return {DIK_RETURN};
    }
    static const Keys pattern[] = {{DIK_DOWN}, {}, {DIK_LEFT},  {}, {DIK_SPACE},
                                   {DIK_DOWN}, {}, {DIK_RIGHT}, {}, {DIK_DOWN}};
    return pattern[read % 10];
}

Script ShortRun() {
    Script script;
    script.playKeys = SomePlay;
    script.playReads = 100;
    return script;
}

size_t Index(Phase phase) {
    return static_cast<size_t>(phase);
}

// Either start-up stopped, saying why in one line, or the run went from the
// title to the end screen; nothing is left alive in either case.
void ExpectStoppedCleanlyOrRanThrough(const Outcome& outcome, const Script& script) {
    EXPECT_EQ(outcome.leftAlive, "") << "left alive after the run";
    EXPECT_FALSE(outcome.overran) << "the game stopped reacting to the keys";
    if (outcome.exitCode == kStartupFailed) {
        EXPECT_EQ(outcome.stderrText.rfind("stackwell: ", 0), 0u) << outcome.stderrText;
        EXPECT_EQ(std::count(outcome.stderrText.begin(), outcome.stderrText.end(), '\n'), 1)
            << outcome.stderrText;
        EXPECT_EQ(outcome.frames[Index(Phase::Play)], 0);
        return;
    }
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.stderrText, "");
    EXPECT_GE(outcome.reads[Index(Phase::Play)], script.playReads);
    EXPECT_GT(outcome.frames[Index(Phase::End)] + outcome.reads[Index(Phase::End)], 0);
}

// How often a whole short run calls each step.
uint64_t CallsInACleanRun(Fault fault) {
    static const Outcome clean = RunProgram(ShortRun());
    return clean.stepCalls[static_cast<size_t>(fault)];
}

class FailingStep : public testing::TestWithParam<Step> {};

// Each step fails on its first call, on a call half way through the run, and
// on its last call; once, and from then on. The keyboard state never fails
// for good here: a keyboard that never answers again leaves the player no way
// to end the run.
TEST_P(FailingStep, OnceOrFromThenOnAtStartUpOrDuringPlay) {
    const Step step = GetParam();
    const uint64_t calls = CallsInACleanRun(step.fault);
    std::vector<uint64_t> skips = {0, calls / 2, calls > 0 ? calls - 1 : 0};
    skips.erase(std::unique(skips.begin(), skips.end()), skips.end());
    const std::vector<int> lengths = {1, step.fault == Fault::GetDeviceState ? 40 : -1};

    for (uint64_t skip : skips) {
        for (int times : lengths) {
            SCOPED_TRACE(testing::Message()
                         << step.name << " fails from call " << skip + 1 << " of " << calls << ", "
                         << (times < 0 ? "for good" : "for a while"));
            Script script = ShortRun();
            script.beforeStart = [&] {
                headless::FailStep(step.fault, static_cast<int>(skip), times);
            };
            ExpectStoppedCleanlyOrRanThrough(RunProgram(script), script);
        }
    }
}

std::string StepName(const testing::TestParamInfo<Step>& step) {
    return step.param.name;
}

INSTANTIATE_TEST_SUITE_P(EveryDeviceStep, FailingStep, testing::ValuesIn(kSteps), StepName);

}  // namespace
}  // namespace reliability
