// The sound device and its buffers: what the sound card hears from them, their
// locks, lost memory, and steps that fail or are refused changing nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/hosts/headless/headless_control.h"
#include "platform/sound.h"

namespace platform {
namespace {

using Samples = std::vector<uint8_t>;

constexpr WaveFormat kGameFormat{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};

Samples Pull(uint32_t count) {
    Samples samples(count, 0);
    headless::PullAudio(samples.data(), count);
    return samples;
}

class SoundTest : public testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_EQ(CreateSoundDevice(nullptr, &device_, nullptr), kOk);
    }
    void TearDown() override {
        if (device_ != nullptr) {
            EXPECT_EQ(device_->Release(), 0u);
        }
    }

    // Makes a buffer of the samples, or returns what refused it.
    Result Make(const Samples& samples, SoundBuffer** buffer,
                const WaveFormat& format = kGameFormat) {
        SoundBufferDesc description;
        description.size = sizeof description;
        description.flags = DSBCAPS_STATIC;
        description.bufferBytes = static_cast<uint32_t>(samples.size());
        description.format = &format;
        const Result made = device_->CreateSoundBuffer(&description, buffer, nullptr);
        return made == kOk ? Write(*buffer, 0, samples) : made;
    }
    SoundBuffer* MakeBuffer(const Samples& samples) {
        SoundBuffer* buffer = nullptr;
        EXPECT_EQ(Make(samples, &buffer), kOk);
        return buffer;
    }

    // Writes samples from offset on, wrapping as the lock does.
    Result Write(SoundBuffer* buffer, uint32_t offset, const Samples& samples) {
        Result result = Lock(buffer, offset, static_cast<uint32_t>(samples.size()));
        if (result == kOk) {
            std::memcpy(first_, samples.data(), firstBytes_);
            if (second_ != nullptr) {
                std::memcpy(second_, samples.data() + firstBytes_, secondBytes_);
            }
            result = Unlock(buffer);
        }
        return result;
    }
    Result Lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes) {
        return buffer->Lock(offset, bytes, &first_, &firstBytes_, &second_, &secondBytes_, 0);
    }
    Result Unlock(SoundBuffer* buffer) {
        return buffer->Unlock(first_, firstBytes_, second_, secondBytes_);
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
    void *first_ = nullptr, *second_ = nullptr;
    uint32_t firstBytes_ = 0, secondBytes_ = 0;
};

TEST(SoundDevice, HoldsTheAudioOutputUntilItsLastReleaseAndSaysWhyItCannot) {
    headless::Reset();
    headless::FailStep(Fault::CreateSoundDevice, 0, 1);
    SoundDevice* device = reinterpret_cast<SoundDevice*>(&device);
    EXPECT_EQ(CreateSoundDevice(nullptr, &device, nullptr), kErrNoDevice);
    EXPECT_EQ(device, nullptr);
    EXPECT_EQ(std::string(LastErrorText()).rfind("no audio device: ", 0), 0u);
    ASSERT_EQ(CreateSoundDevice(nullptr, &device, nullptr), kOk);
    SoundDevice* second = device;
    EXPECT_EQ(CreateSoundDevice(nullptr, &second, nullptr), kErrNoDevice);
    EXPECT_EQ(second, nullptr);
    EXPECT_NE(std::string(LastErrorText()).find("in use"), std::string::npos) << LastErrorText();
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_FALSE(headless::AudioOpen());
}

TEST_F(SoundTest, RefusedOrFailedBuffersAreNotMade) {
    WaveFormat formats[3] = {kGameFormat, kGameFormat, kGameFormat};
    formats[0].bitsPerSample = 16;
    formats[1].channels = 2;
    formats[2].samplesPerSec = 44100;
    for (const WaveFormat& format : formats) {
        SoundBuffer* buffer = reinterpret_cast<SoundBuffer*>(&formats);
        EXPECT_EQ(Make({1, 2}, &buffer, format), kErrInvalidParams);
        EXPECT_EQ(buffer, nullptr);
    }
    SoundBuffer* original = MakeBuffer({130});
    headless::FailStep(Fault::CreateSoundBuffer, 0, 1);
    headless::FailStep(Fault::DuplicateSoundBuffer, 0, 1);
    SoundBuffer* buffer = original;
    EXPECT_LT(Make({1, 2}, &buffer), 0);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_LT(device_->DuplicateSoundBuffer(original, &buffer), 0);
    EXPECT_EQ(buffer, nullptr);
    EXPECT_EQ(device_->DuplicateSoundBuffer(nullptr, &buffer), kErrInvalidParams);
    // Left for the device, with a duplicate held twice and playing: the
    // device's release frees them all (LeakSanitizer tells) and goes quiet.
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &buffer), kOk);
    buffer->AddRef();
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), kOk);
    EXPECT_EQ(device_->Release(), 0u);
    device_ = nullptr;
    EXPECT_EQ(Pull(3), Samples(3, 128));
}

// A duplicate shares the samples but plays at its own place; buffers mix
// around the midpoint and clip, and a released one is no longer heard.
TEST_F(SoundTest, DuplicatesShareSamplesAndBuffersMixAndClip) {
    SoundBuffer* original = MakeBuffer({250, 250, 250, 128, 5});
    SoundBuffer* copy = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(original, &copy), kOk);
    ASSERT_EQ(original->SetCurrentPosition(1), kOk);
    ASSERT_EQ(Write(copy, 3, {5}), kOk);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), kOk);
    ASSERT_EQ(copy->Play(0, 0, DSBPLAY_LOOPING), kOk);
    // From 1 and from 0: 250+250 clips high, 250+5 cancels, 5+5 clips low.
    EXPECT_EQ(Pull(6), (Samples{255, 255, 127, 0, 127, 255}));
    EXPECT_EQ(original->Release(), 0u);
    EXPECT_EQ(Pull(2), (Samples{250, 250})) << "the copy alone";
    ASSERT_EQ(copy->Play(0, 0, 0), kOk);  // once more, from where it is, to the end
    EXPECT_EQ(Pull(4), (Samples{5, 5, 128, 128}));
    uint32_t status = DSBSTATUS_PLAYING;
    EXPECT_EQ(copy->GetStatus(&status), kOk);
    EXPECT_EQ(status, 0u);
}

TEST_F(SoundTest, ALockPastTheEndWrapsAndOnlyItsOwnUnlockEndsIt) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133, 134, 135});
    ASSERT_EQ(Lock(buffer, 4, 4), kOk);
    ASSERT_EQ(firstBytes_, 2u);
    ASSERT_EQ(secondBytes_, 2u);
    auto* first = static_cast<uint8_t*>(first_);
    auto* second = static_cast<uint8_t*>(second_);
    EXPECT_EQ(Samples({first[0], first[1], second[0], second[1]}), Samples({134, 135, 130, 131}));
    first[1] = 201;
    second[0] = 100;
    void* again = nullptr;
    EXPECT_LT(buffer->Lock(0, 1, &again, &firstBytes_, nullptr, nullptr, 0), 0) << "one at once";
    uint8_t elsewhere[4] = {};
    EXPECT_EQ(buffer->Unlock(elsewhere, 2, second_, 2), kErrInvalidParams);
    EXPECT_EQ(buffer->Unlock(first_, 3, second_, 2), kErrInvalidParams);
    ASSERT_EQ(Unlock(buffer), kOk);
    EXPECT_EQ(Unlock(buffer), kErrInvalidParams);
    EXPECT_EQ(Contents(buffer, 6), (Samples{100, 131, 132, 133, 134, 201}));

    // A lock that fits has no second region, which the caller may leave out.
    ASSERT_EQ(buffer->Lock(1, 5, &first_, &firstBytes_, nullptr, nullptr, 0), kOk);
    ASSERT_EQ(buffer->Unlock(first_, 5, nullptr, 0), kOk);
    EXPECT_EQ(buffer->Lock(2, 5, &first_, &firstBytes_, nullptr, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(Lock(buffer, 6, 1), kErrInvalidParams);
    headless::FailStep(Fault::LockSoundBuffer, 0, 1);
    EXPECT_LT(Write(buffer, 0, {1, 2}), 0);
    EXPECT_EQ(Contents(buffer, 2), (Samples{100, 131})) << "a failed lock changes nothing";
}

// A lost buffer refuses play and lock until restored on its own, comes back
// empty, and drops what was written into a lock that outlived its memory.
TEST_F(SoundTest, ALostBufferRefusesLockAndPlayUntilRestored) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132});
    SoundBuffer* copy = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(buffer, &copy), kOk);
    ASSERT_EQ(Lock(buffer, 0, 2), kOk);
    static_cast<uint8_t*>(first_)[0] = 1;
    headless::LoseSoundBuffers();
    EXPECT_EQ(Unlock(buffer), kErrBufferLost);
    EXPECT_EQ(buffer->Play(0, 0, 0), kErrBufferLost);
    EXPECT_EQ(Lock(buffer, 0, 3), kErrBufferLost);
    ASSERT_EQ(buffer->Restore(), kOk);
    uint32_t status = 0;
    EXPECT_EQ(copy->GetStatus(&status), kOk);
    EXPECT_EQ(status, DSBSTATUS_BUFFERLOST) << "each buffer is restored on its own";
    EXPECT_EQ(Contents(buffer, 3), (Samples{128, 128, 128}));
    EXPECT_EQ(Write(buffer, 0, {150, 151}), kOk) << "the lock is over: a new one works";
}

}  // namespace
}  // namespace platform
