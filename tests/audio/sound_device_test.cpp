#include <gtest/gtest.h>

#include "audio/sound.h"
#include "platform/headless/control.h"

namespace {

namespace headless = platform::headless;
using platform::Fault;

class SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override { headless::Reset(); }
    void TearDown() override { ReleaseSoundDevice(); }
};

TEST_F(SoundDeviceTest, IsMadeForTheWindow) {
    EXPECT_EQ(InitSoundDevice(), 1);
    EXPECT_NE(soundDevice, nullptr);
    EXPECT_EQ(headless::StepCalls(Fault::SetSoundCooperativeLevel), 1u);
}

TEST_F(SoundDeviceTest, FailsWhenNoDeviceCanBeMade) {
    headless::FailStep(Fault::CreateSoundDevice);
    EXPECT_EQ(InitSoundDevice(), 0);
    EXPECT_EQ(headless::StepCalls(Fault::SetSoundCooperativeLevel), 0u);
}

TEST_F(SoundDeviceTest, FailsWhenTheDeviceWillNotCooperate) {
    headless::FailStep(Fault::SetSoundCooperativeLevel);
    EXPECT_EQ(InitSoundDevice(), 0);
}

TEST_F(SoundDeviceTest, ReleasingWithoutADeviceIsHarmless) {
    ReleaseSoundDevice();
    ASSERT_EQ(InitSoundDevice(), 1);
    ReleaseSoundDevice();
    EXPECT_EQ(soundDevice, nullptr);
    ReleaseSoundDevice();
}

}  // namespace
