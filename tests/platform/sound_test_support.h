// Helpers for the sound tests: a device, buffers filled with known samples,
// and pulling what the sound card would hear.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/headless/control.h"
#include "platform/sound.h"

namespace platform::testing_support {

using Samples = std::vector<uint8_t>;

inline constexpr WaveFormat kGameFormat{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};

inline SoundBufferDesc StaticBuffer(uint32_t bytes, const WaveFormat* format = &kGameFormat) {
    SoundBufferDesc description;
    description.size = sizeof(SoundBufferDesc);
    description.flags = DSBCAPS_STATIC;
    description.bufferBytes = bytes;
    description.format = format;
    return description;
}

inline Samples Pull(uint32_t count) {
    Samples samples(count, 0);
    headless::PullAudio(samples.data(), count);
    return samples;
}

inline uint32_t Status(SoundBuffer* buffer) {
    uint32_t status = 0xFFFFFFFFu;
    EXPECT_EQ(buffer->GetStatus(&status), kOk);
    return status;
}

inline uint32_t Position(SoundBuffer* buffer) {
    uint32_t play = 0xFFFFFFFFu;
    EXPECT_EQ(buffer->GetCurrentPosition(&play, nullptr), kOk);
    return play;
}

// Writes samples from offset on, wrapping as the lock does.
inline Result Write(SoundBuffer* buffer, uint32_t offset, const Samples& samples) {
    void* first = nullptr;
    void* second = nullptr;
    uint32_t firstBytes = 0;
    uint32_t secondBytes = 0;
    Result result = buffer->Lock(offset, static_cast<uint32_t>(samples.size()), &first, &firstBytes,
                                 &second, &secondBytes, 0);
    if (result != kOk) {
        return result;
    }
    std::memcpy(first, samples.data(), firstBytes);
    if (second != nullptr) {
        std::memcpy(second, samples.data() + firstBytes, secondBytes);
    }
    return buffer->Unlock(first, firstBytes, second, secondBytes);
}

class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_EQ(CreateSoundDevice(nullptr, &device_, nullptr), kOk);
        ASSERT_EQ(device_->SetCooperativeLevel(nullptr, DSSCL_NORMAL), kOk);
    }
    void TearDown() override {
        if (device_ != nullptr) {
            device_->Release();
        }
    }

    SoundBuffer* MakeBuffer(const Samples& samples) {
        SoundBufferDesc description = StaticBuffer(static_cast<uint32_t>(samples.size()));
        SoundBuffer* buffer = nullptr;
        EXPECT_EQ(device_->CreateSoundBuffer(&description, &buffer, nullptr), kOk);
        if (buffer != nullptr) {
            EXPECT_EQ(Write(buffer, 0, samples), kOk);
        }
        return buffer;
    }

    SoundBuffer* Duplicate(SoundBuffer* original) {
        SoundBuffer* copy = nullptr;
        EXPECT_EQ(device_->DuplicateSoundBuffer(original, &copy), kOk);
        return copy;
    }

    // Plays the buffer looped from 0 and gives one pass of it.
    static Samples Contents(SoundBuffer* buffer, uint32_t size) {
        EXPECT_EQ(buffer->SetCurrentPosition(0), kOk);
        EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), kOk);
        Samples heard = Pull(size);
        EXPECT_EQ(buffer->Stop(), kOk);
        return heard;
    }

    SoundDevice* device_ = nullptr;
};

}  // namespace platform::testing_support
