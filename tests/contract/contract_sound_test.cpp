// The sound device and its buffers on every driver, as the game uses them:
// whole-buffer locks, duplicates with their own position and status, a play
// that ends by itself, lost memory, and steps that fail.
#include <gtest/gtest.h>

#include <vector>

#include "platform/sound.h"
#include "tests/contract/contract_shim.h"

namespace platform {
namespace {

using Samples = std::vector<uint8_t>;

constexpr WaveFormat kGameFormat{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
constexpr uint32_t kBytes = kSampleRate / 10;  // a tenth of a second

class Sound : public testing::Test {
protected:
    void SetUp() override {
        contract::FreshStart();
        window_ = contract::MakeWindow();
        ASSERT_NE(window_, nullptr) << LastErrorText();
        ASSERT_EQ(CreateSoundDevice(nullptr, &device_, nullptr), kOk) << LastErrorText();
        ASSERT_EQ(device_->SetCooperativeLevel(window_, DSSCL_NORMAL), kOk) << LastErrorText();
        buffer_ = Make(kBytes);
        ASSERT_NE(buffer_, nullptr);
    }
    void TearDown() override {
        // The device frees the buffers still made.
        EXPECT_EQ(device_->Release(), 0u);
        DestroyWindow(window_);
    }
    SoundBuffer* Make(uint32_t bytes) {
        SoundBufferDesc description{.size = sizeof(SoundBufferDesc),
                                    .flags = DSBCAPS_STATIC,
                                    .bufferBytes = bytes,
                                    .format = &kGameFormat};
        SoundBuffer* made = nullptr;
        return Failed(device_->CreateSoundBuffer(&description, &made, nullptr)) ? nullptr : made;
    }
    // Each buffer whole, as the game locks it.
    Result Lock(SoundBuffer* buffer) {
        return buffer->Lock(0, kBytes, &first_, &firstBytes_, &second_, &secondBytes_, 0);
    }
    Result Unlock(SoundBuffer* buffer) {
        return buffer->Unlock(first_, firstBytes_, second_, secondBytes_);
    }
    Samples Bytes(SoundBuffer* buffer) {
        EXPECT_EQ(Lock(buffer), kOk);
        Samples got(static_cast<uint8_t*>(first_), static_cast<uint8_t*>(first_) + firstBytes_);
        EXPECT_EQ(Unlock(buffer), kOk);
        return got;
    }
    uint32_t Status(SoundBuffer* buffer) {
        uint32_t status = 0x55;
        EXPECT_EQ(buffer->GetStatus(&status), kOk);
        return status;
    }

    WindowHandle window_ = nullptr;
    SoundDevice* device_ = nullptr;
    SoundBuffer* buffer_ = nullptr;
    void *first_ = nullptr, *second_ = nullptr;
    uint32_t firstBytes_ = 0, secondBytes_ = 0;
};

// The game locks a buffer whole, all in one region; what it wrote stays, and
// a failed lock is no lock.
TEST_F(Sound, AWholeLockIsOneRegionAndWhatItWroteStays) {
    ASSERT_EQ(Lock(buffer_), kOk);
    ASSERT_EQ(firstBytes_, kBytes);
    EXPECT_EQ(secondBytes_, 0u);
    static_cast<uint8_t*>(first_)[0] = 100;
    static_cast<uint8_t*>(first_)[kBytes - 1] = 201;
    ASSERT_EQ(Unlock(buffer_), kOk);
    EXPECT_EQ(Bytes(buffer_).back(), 201);
    if (contract::FailNext(Fault::LockSoundBuffer)) {
        EXPECT_LT(Lock(buffer_), 0);
    }
    EXPECT_EQ(Bytes(buffer_)[0], 100) << "a failed lock is no lock";
}

// A buffer played once stops by itself at its end, back at the start; a
// duplicate has its own position and status.
TEST_F(Sound, PlaysStopAtTheEndAndDuplicatesPlayOnTheirOwn) {
    SoundBuffer* copy = nullptr;
    if (contract::FailNext(Fault::DuplicateSoundBuffer) &&
        contract::FailNext(Fault::CreateSoundBuffer)) {
        EXPECT_LT(device_->DuplicateSoundBuffer(buffer_, &copy), 0);
        EXPECT_EQ(Make(16), nullptr);
    }
    ASSERT_EQ(device_->DuplicateSoundBuffer(buffer_, &copy), kOk) << LastErrorText();
    ASSERT_EQ(buffer_->SetCurrentPosition(kBytes / 2), kOk);
    ASSERT_EQ(buffer_->Play(0, 0, DSBPLAY_LOOPING), kOk);
    contract::LetSoundPlay(150);  // past its end
    EXPECT_EQ(Status(buffer_), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(Status(copy), 0u);
    ASSERT_EQ(buffer_->Stop(), kOk);
    EXPECT_EQ(Status(buffer_), 0u);

    ASSERT_EQ(copy->Play(0, 0, 0), kOk);
    EXPECT_EQ(Status(copy), DSBSTATUS_PLAYING);
    // The sound lasts 100 ms; five seconds is room for a loaded machine.
    for (int waited = 0; waited < 100 && Status(copy) != 0; ++waited) {
        contract::LetSoundPlay(50);
    }
    EXPECT_EQ(Status(copy), 0u);
    EXPECT_EQ(copy->Release(), 0u);
}

// A lost buffer refuses play and lock until restored on its own, comes back
// silent, and drops what was written into a lock that outlived its memory.
TEST_F(Sound, ALostBufferRefusesLockAndPlayUntilRestored) {
    SoundBuffer* copy = nullptr;
    ASSERT_EQ(device_->DuplicateSoundBuffer(buffer_, &copy), kOk);
    ASSERT_EQ(Lock(buffer_), kOk);
    static_cast<uint8_t*>(first_)[0] = 1;
    ASSERT_EQ(Unlock(buffer_), kOk);
    ASSERT_EQ(Lock(buffer_), kOk);
    static_cast<uint8_t*>(first_)[1] = 2;
    if (!contract::LoseSoundBuffers()) {
        GTEST_SKIP() << "this driver loses buffers only when the system takes them";
    }
    EXPECT_EQ(Unlock(buffer_), kErrBufferLost);
    EXPECT_EQ(buffer_->Play(0, 0, 0), kErrBufferLost);
    EXPECT_EQ(Lock(buffer_), kErrBufferLost);
    ASSERT_EQ(buffer_->Restore(), kOk);
    EXPECT_EQ(Status(copy), DSBSTATUS_BUFFERLOST) << "each buffer is restored on its own";
    EXPECT_EQ(Bytes(buffer_), Samples(kBytes, 128));
}

}  // namespace
}  // namespace platform
