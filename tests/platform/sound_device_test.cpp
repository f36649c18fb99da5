// Making the sound device, its buffers and duplicates, and their failures.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sound_test_support.h"

namespace platform {
namespace {

using namespace testing_support;

TEST(SoundDevice, HoldsTheAudioOutputUntilItsLastReleaseAndSaysWhyItCannot) {
    headless::Reset();
    headless::FailStep(Fault::CreateSoundDevice, 0, 1);
    SoundDevice* device = reinterpret_cast<SoundDevice*>(&device);
    EXPECT_EQ(CreateSoundDevice(nullptr, &device, nullptr), kErrNoDevice);
    EXPECT_EQ(device, nullptr);
    EXPECT_FALSE(headless::AudioOpen());
    EXPECT_EQ(std::string(LastErrorText()).rfind("no audio device: ", 0), 0u);

    ASSERT_EQ(CreateSoundDevice(nullptr, &device, nullptr), kOk);
    EXPECT_TRUE(headless::AudioOpen());
    SoundDevice* second = reinterpret_cast<SoundDevice*>(&device);
    EXPECT_EQ(CreateSoundDevice(nullptr, &second, nullptr), kErrNoDevice);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(std::string(LastErrorText()).find("in use"), std::string::npos) << LastErrorText();

    EXPECT_EQ(device->AddRef(), 2u);
    EXPECT_EQ(device->Release(), 1u);
    EXPECT_TRUE(headless::AudioOpen());
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_FALSE(headless::AudioOpen());
    EXPECT_EQ(Pull(2), (Samples{128, 128}));
}

using SoundBufferMakingTest = SoundTest;

TEST_F(SoundBufferMakingTest, OnlyUnsigned8BitMonoAt22050IsAccepted) {
    WaveFormat sixteenBit = kGameFormat;
    sixteenBit.bitsPerSample = 16;
    sixteenBit.blockAlign = 2;
    sixteenBit.avgBytesPerSec = 2 * kSampleRate;
    WaveFormat stereo = kGameFormat;
    stereo.channels = 2;
    WaveFormat faster = kGameFormat;
    faster.samplesPerSec = faster.avgBytesPerSec = 44100;
    WaveFormat compressed = kGameFormat;
    compressed.formatTag = 2;
    for (const WaveFormat* format : {&sixteenBit, &stereo, &faster, &compressed}) {
        SoundBufferDesc description = StaticBuffer(100, format);
        SoundBuffer* buffer = reinterpret_cast<SoundBuffer*>(&description);
        EXPECT_EQ(device_->CreateSoundBuffer(&description, &buffer, nullptr), kErrInvalidParams);
        EXPECT_EQ(buffer, nullptr);
    }
}

TEST_F(SoundBufferMakingTest, FaultsFailTheStepAndMakeNothing) {
    SoundBuffer* original = MakeBuffer({130});
    headless::FailStep(Fault::CreateSoundBuffer, 0, 1);
    headless::FailStep(Fault::DuplicateSoundBuffer, 0, 1);
    SoundBufferDesc description = StaticBuffer(4);
    SoundBuffer* buffer = original;
    EXPECT_LT(device_->CreateSoundBuffer(&description, &buffer, nullptr), 0);
    EXPECT_EQ(buffer, nullptr);
    SoundBuffer* copy = original;
    EXPECT_LT(device_->DuplicateSoundBuffer(original, &copy), 0);
    EXPECT_EQ(copy, nullptr);
    // The faults were for one call each.
    EXPECT_EQ(device_->CreateSoundBuffer(&description, &buffer, nullptr), kOk);
    EXPECT_EQ(device_->DuplicateSoundBuffer(original, &copy), kOk);
    EXPECT_EQ(device_->DuplicateSoundBuffer(nullptr, &copy), kErrInvalidParams);
}

TEST_F(SoundBufferMakingTest, ReleasingTheDeviceFreesEveryBufferStillMade) {
    // Left for the device: LeakSanitizer reports any of these that outlive it.
    SoundBuffer* original = MakeBuffer(Samples(1000, 140));
    Duplicate(original)->AddRef();
    MakeBuffer({1, 2, 3});
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), kOk);
    EXPECT_EQ(device_->Release(), 0u);
    device_ = nullptr;
    EXPECT_FALSE(headless::AudioOpen());
    EXPECT_EQ(Pull(3), Samples(3, 128));
}

}  // namespace
}  // namespace platform
