// A fresh headless machine with the sound device made, and the audio it plays.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "audio/sound.h"
#include "platform/headless/control.h"
#include "tests/audio/wave_writer.h"

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        ASSERT_EQ(InitSoundDevice(), 1);
    }
    // Released after the sounds of derived fixtures: every sound must go
    // before the device that holds its buffers.
    ~SoundTest() override { ReleaseSoundDevice(); }

    // The next count samples the sound card takes.
    static wave_test::Bytes Pull(size_t count) {
        wave_test::Bytes samples(count);
        platform::headless::PullAudio(samples.data(), static_cast<uint32_t>(count));
        return samples;
    }

    static wave_test::Bytes Silence(size_t count) { return wave_test::Bytes(count, 128); }

    std::string WriteMono(const wave_test::Bytes& samples, const std::string& name = "sound.wav") {
        return folder.Write(name, wave_test::MonoWave(samples));
    }

    wave_test::TempFolder folder;
};
