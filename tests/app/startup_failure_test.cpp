#include <gtest/gtest.h>

#include <string>

#include "audio/sound.h"
#include "flow/keyboard.h"
#include "tests/support/program_run.h"
#include "video/display.h"

namespace {

using platform::Fault;
using test_support::ProgramRun;
using test_support::Screen;

struct FailingStep {
    Fault fault;
    const char* reported;  // the words naming what failed
    bool titleShown;
};

void PrintTo(const FailingStep& step, std::ostream* out) {
    *out << step.reported;
}

class StartupFailure : public ::testing::TestWithParam<FailingStep> {
protected:
    StartupFailure() {
        platform::headless::Reset();
        test_support::ResetRunCounters();
    }
    ~StartupFailure() override { platform::headless::Reset(); }
};

TEST_P(StartupFailure, SaysWhatFailedAndWhyReleasesWhatWasMadeAndExitsWithOne) {
    const FailingStep step = GetParam();
    ProgramRun run;
    platform::headless::FailStep(step.fault);

    ::testing::internal::CaptureStderr();
    const int32_t exitCode = run.Start();
    const std::string said = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(exitCode, 1);
    EXPECT_NE(said.find(step.reported), std::string::npos) << said;
    EXPECT_NE(said.find(platform::LastErrorText()), std::string::npos) << said;
    EXPECT_EQ(said.find('\n'), said.size() - 1) << "one line: " << said;
    EXPECT_EQ(run.Count(Screen::Title) > 0, step.titleShown);
    EXPECT_EQ(run.Count(Screen::Play), 0);
    // Nothing that start-up made is left behind.
    EXPECT_EQ(directDraw, nullptr);
    EXPECT_EQ(primarySurface, nullptr);
    EXPECT_EQ(backBuffer, nullptr);
    EXPECT_EQ(directInput, nullptr);
    EXPECT_EQ(keyboardDevice, nullptr);
    EXPECT_EQ(soundDevice, nullptr);
    EXPECT_FALSE(platform::headless::AudioOpen());
}

INSTANTIATE_TEST_SUITE_P(
    EachStep, StartupFailure,
    ::testing::Values(FailingStep{Fault::RegisterClass, "window class", false},
                      FailingStep{Fault::CreateWindow, "window", false},
                      FailingStep{Fault::CreateDisplay, "display", false},
                      FailingStep{Fault::SetDisplayMode, "display", false},
                      FailingStep{Fault::CreatePrimarySurface, "screen surfaces", false},
                      FailingStep{Fault::GetBackBuffer, "screen surfaces", false},
                      FailingStep{Fault::CreateInput, "keyboard", false},
                      FailingStep{Fault::CreateKeyboard, "keyboard", false},
                      FailingStep{Fault::SetKeyboardCooperativeLevel, "keyboard", false},
                      FailingStep{Fault::SetDataFormat, "keyboard", false},
                      FailingStep{Fault::Acquire, "keyboard", false},
                      FailingStep{Fault::CreateSoundDevice, "sound device", false},
                      FailingStep{Fault::SetSoundCooperativeLevel, "sound device", false}));

}  // namespace
