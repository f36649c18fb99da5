// The sound device and its buffers on every driver: locks that wrap and are
// checked, duplicates with their own position and status, a play that ends by
// itself, lost memory, and steps that fail handing out nothing.
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
        EXPECT_EQ(device_->SetCooperativeLevel(window_, 2), kErrInvalidParams);
        ASSERT_EQ(device_->SetCooperativeLevel(window_, DSSCL_NORMAL), kOk) << LastErrorText();
        buffer_ = Make(kBytes);
        ASSERT_NE(buffer_, nullptr);
    }
    void TearDown() override {
        // The device frees the buffers still made.
        EXPECT_EQ(device_->Release(), 0u);
        DestroyWindow(window_);
    }
    SoundBuffer* Make(uint32_t bytes, const WaveFormat& format = kGameFormat) {
        SoundBufferDesc description{.size = sizeof(SoundBufferDesc),
                                    .flags = DSBCAPS_STATIC,
                                    .bufferBytes = bytes,
                                    .format = &format};
        SoundBuffer* made = reinterpret_cast<SoundBuffer*>(&description);
        const Result result = device_->CreateSoundBuffer(&description, &made, nullptr);
        EXPECT_EQ(made == nullptr, Failed(result));
        return made;
    }
    Result Lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes) {
        return buffer->Lock(offset, bytes, &first_, &firstBytes_, &second_, &secondBytes_, 0);
    }
    Result Unlock(SoundBuffer* buffer) {
        return buffer->Unlock(first_, firstBytes_, second_, secondBytes_);
    }
    // The bytes from offset on, read back through a lock.
    Samples Bytes(SoundBuffer* buffer, uint32_t offset, uint32_t bytes) {
        EXPECT_EQ(Lock(buffer, offset, bytes), kOk);
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

// A lock past the end wraps to the start as a second region; one lock at a
// time, only its own unlock ends it, and what it wrote stays.
TEST_F(Sound, ALockPastTheEndWrapsAndOnlyItsOwnUnlockEndsIt) {
    ASSERT_EQ(Lock(buffer_, kBytes - 2, 4), kOk);
    ASSERT_EQ(firstBytes_, 2u);
    ASSERT_EQ(secondBytes_, 2u);
    auto* first = static_cast<uint8_t*>(first_);
    auto* second = static_cast<uint8_t*>(second_);
    first[1] = 201;
    second[0] = 100;
    void* again = nullptr;
    EXPECT_LT(buffer_->Lock(0, 1, &again, &firstBytes_, nullptr, nullptr, 0), 0) << "one at once";
    uint8_t elsewhere[4] = {};
    EXPECT_EQ(buffer_->Unlock(elsewhere, 2, second_, 2), kErrInvalidParams);
    EXPECT_EQ(buffer_->Unlock(first_, 3, second_, 2), kErrInvalidParams);
    ASSERT_EQ(Unlock(buffer_), kOk);
    EXPECT_EQ(Unlock(buffer_), kErrInvalidParams);
    EXPECT_EQ(Bytes(buffer_, kBytes - 1, 1), Samples{201});
    EXPECT_EQ(Bytes(buffer_, 0, 1), Samples{100});

    // A lock that fits has no second region, which the caller may leave out.
    ASSERT_EQ(buffer_->Lock(1, 5, &first_, &firstBytes_, nullptr, nullptr, 0), kOk);
    ASSERT_EQ(buffer_->Unlock(first_, 5, nullptr, 0), kOk);
    EXPECT_EQ(buffer_->Lock(kBytes - 1, 2, &first_, &firstBytes_, nullptr, nullptr, 0),
              kErrInvalidParams);
    for (auto [offset, bytes] : {std::pair{kBytes, 1u}, {0u, 0u}, {0u, kBytes + 1}}) {
        EXPECT_EQ(Lock(buffer_, offset, bytes), kErrInvalidParams) << offset << " " << bytes;
    }
    EXPECT_EQ(buffer_->Lock(0, 1, &first_, &firstBytes_, nullptr, nullptr, 1), kErrInvalidParams);
    if (contract::FailNext(Fault::LockSoundBuffer)) {
        EXPECT_LT(Lock(buffer_, 0, 2), 0);
        EXPECT_EQ(Bytes(buffer_, 0, 1), Samples{100}) << "a failed lock is no lock";
    }
}

// A buffer played once stops by itself at its end, back at the start; a
// duplicate has its own position and status; bad calls are refused.
TEST_F(Sound, PlaysStopAtTheEndAndDuplicatesPlayOnTheirOwn) {
    WaveFormat formats[3] = {kGameFormat, kGameFormat, kGameFormat};
    formats[0].bitsPerSample = 16;
    formats[1].channels = 2;
    formats[2].samplesPerSec = 44100;
    for (const WaveFormat& format : formats) {
        EXPECT_EQ(Make(16, format), nullptr);
    }
    EXPECT_EQ(Make(0), nullptr);
    EXPECT_EQ(Make(0x10000000), nullptr) << "the largest buffer holds 0x0FFFFFFF bytes";
    EXPECT_EQ(buffer_->Play(0, 0, 2), kErrInvalidParams);
    EXPECT_EQ(buffer_->SetCurrentPosition(kBytes), kErrInvalidParams);
    SoundBuffer* copy = buffer_;
    EXPECT_EQ(device_->DuplicateSoundBuffer(nullptr, &copy), kErrInvalidParams);
    EXPECT_EQ(copy, nullptr);
    if (contract::FailNext(Fault::DuplicateSoundBuffer) &&
        contract::FailNext(Fault::CreateSoundBuffer)) {
        EXPECT_LT(device_->DuplicateSoundBuffer(buffer_, &copy), 0);
        EXPECT_EQ(copy, nullptr);
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
    ASSERT_EQ(Lock(buffer_, 0, 2), kOk);
    static_cast<uint8_t*>(first_)[0] = 1;
    ASSERT_EQ(Unlock(buffer_), kOk);
    ASSERT_EQ(Lock(buffer_, 0, 2), kOk);
    static_cast<uint8_t*>(first_)[1] = 2;
    if (!contract::LoseSoundBuffers()) {
        GTEST_SKIP() << "this driver loses buffers only when the system takes them";
    }
    EXPECT_EQ(Unlock(buffer_), kErrBufferLost);
    EXPECT_EQ(buffer_->Play(0, 0, 0), kErrBufferLost);
    EXPECT_EQ(Lock(buffer_, 0, 3), kErrBufferLost);
    ASSERT_EQ(buffer_->Restore(), kOk);
    EXPECT_EQ(Status(copy), DSBSTATUS_BUFFERLOST) << "each buffer is restored on its own";
    EXPECT_EQ(Bytes(buffer_, 0, 2), (Samples{128, 128}));
}

}  // namespace
}  // namespace platform
