#include <gtest/gtest.h>

#include "audio/sound.h"
#include "platform/headless/control.h"

namespace {

namespace headless = platform::headless;
using platform::Fault;

// The device is made for the window, in the order of its steps; a step that
// fails leaves no device, and releasing is harmless however often it comes.
TEST(SoundDevice, IsMadeStepByStepAndReleasedOnce) {
    for (Fault failing : {Fault::CreateSoundDevice, Fault::SetSoundCooperativeLevel}) {
        headless::Reset();
        headless::FailStep(failing);
        EXPECT_EQ(InitSoundDevice(), 0);
        EXPECT_EQ(headless::StepCalls(Fault::SetSoundCooperativeLevel),
                  failing == Fault::CreateSoundDevice ? 0u : 1u);
        ReleaseSoundDevice();
        EXPECT_FALSE(headless::AudioOpen());
    }
    headless::Reset();
    ASSERT_EQ(InitSoundDevice(), 1);
    EXPECT_NE(soundDevice, nullptr);
    EXPECT_EQ(headless::StepCalls(Fault::SetSoundCooperativeLevel), 1u);
    ReleaseSoundDevice();
    EXPECT_EQ(soundDevice, nullptr);
    ReleaseSoundDevice();
}

}  // namespace
