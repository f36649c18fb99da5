// Devices that fail: at start-up the game says which one and why in one line
// and exits with 1; later a failing step costs a picture, a frame or a sound
// but never the run. Either way nothing is left half made.
#include <gtest/gtest.h>

#include "tests/support/program_run.h"

namespace {

namespace headless = platform::headless;
using platform::Fault;
using namespace test_support;

// By device step, in their order: the words naming the device in the
// start-up failure message, or none where start-up lives with the failure.
const char* const kReported[] = {
    "window class",    "window",          "display",      "display",
    "screen surfaces", "screen surfaces", nullptr,        nullptr,
    nullptr,           nullptr,           nullptr,        nullptr,  // palette .. flip
    "keyboard",        "keyboard",        "keyboard",     "keyboard",
    "keyboard",        nullptr,           "sound device", "sound device",
    nullptr,           nullptr,           nullptr};
static_assert(std::size(kReported) == static_cast<size_t>(Fault::Count), "every step is tried");

class FailingStep : public testing::TestWithParam<size_t> {};

// Each step fails at its first call, half way through the run and at its last
// call; once, and from then on. The keyboard never fails for good: that
// would leave the player no way to end the run.
TEST_P(FailingStep, StopsStartUpCleanlyOrCostsOnlyWhatItMakes) {
    const auto fault = static_cast<Fault>(GetParam());
    const char* reported = kReported[GetParam()];
    static const Outcome clean = test_support::RunProgram(ShortRun());
    test_support::ExpectRunThrough(clean, ShortRun());
    const uint64_t calls = clean.stepCalls[GetParam()];
    for (uint64_t skip : {uint64_t{0}, calls / 2, calls > 0 ? calls - 1 : 0}) {
        for (int times : {1, fault == Fault::GetDeviceState ? 40 : -1}) {
            SCOPED_TRACE(testing::Message() << "fails from call " << skip + 1 << " of " << calls
                                            << (times < 0 ? " for good" : ""));
            Script script = ShortRun();
            script.beforeStart = [&] { headless::FailStep(fault, static_cast<int>(skip), times); };
            const Outcome outcome = test_support::RunProgram(script);
            if (skip == 0 && reported != nullptr) {
                const std::string said = outcome.stderrText;
                EXPECT_EQ(outcome.exitCode, 1);
                if (test_support::kStandardErrorSeen) {
                    EXPECT_EQ(said.rfind("stackwell: ", 0), 0u) << said;
                    EXPECT_NE(said.find(reported), std::string::npos) << said;
                    EXPECT_NE(said.find(outcome.errorText), std::string::npos) << said;
                    EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
                }
                EXPECT_EQ(outcome.frames, (std::array<int64_t, 3>{}));
                EXPECT_EQ(outcome.leftAlive, "");
            } else {
                test_support::ExpectRunThrough(outcome, script);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDeviceStep, FailingStep,
                         testing::Range<size_t>(0, std::size(kReported)));

// Mid-run faults: frames keep coming (or, in a pause, rightly do not) while a
// device fails, and the run reaches the end screen.
TEST(FaultDuringPlay, FramesGoOnAsTheFaultAllows) {
    struct Case {
        const char* name;
        std::function<void()> fail;
        int64_t atRead, untilRead;
        uint64_t frames;    // shown between the two reads
        uint32_t minTicks;  // passed meanwhile
    };
    const auto failing = [](Fault fault, int times) {
        return [=] { headless::FailStep(fault, 0, times); };
    };
    const Case cases[] = {
        // Each failed read is a pass without an action that still draws.
        {"keyboard", failing(Fault::GetDeviceState, 60), 50, 51, 61, 0},
        // A pause neither draws nor ends, and each failed read waits a tick.
        {"keyboard in a pause", failing(Fault::GetDeviceState, 100), 30, 31, 0, 100},
        {"blits", failing(Fault::Blit, 2000), 40, 60, 20, 0},
        {"flips", failing(Fault::Flip, 30), 40, 70, 0, 0},
        {"locks for good", failing(Fault::LockSurface, -1), 100, 110, 10, 0},
        // Lost sound buffers come back only when filled, which the game never does again.
        {"sound buffers lost", headless::LoseSoundBuffers, 20, 30, 10, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        uint64_t frames = 0;
        uint32_t ticks = 0;
        const Script script = ShortRun({
            {c.atRead,
             [&] {
                 frames = headless::FramesPresented();
                 ticks = headless::Ticks();
                 c.fail();
             }},
            {c.untilRead,
             [&] {
                 frames = headless::FramesPresented() - frames;
                 ticks = headless::Ticks() - ticks;
             }},
        });
        test_support::ExpectRunThrough(test_support::RunProgram(script), script);
        EXPECT_EQ(frames, c.frames);
        EXPECT_GE(ticks, c.minTicks);
    }
}

}  // namespace
