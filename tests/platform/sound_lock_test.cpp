// Locking a buffer to write its samples, and buffers whose memory is lost.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sound_test_support.h"

namespace platform {
namespace {

using namespace testing_support;

class SoundLockTest : public SoundTest {
protected:
    Result Lock(SoundBuffer* buffer, uint32_t offset, uint32_t bytes) {
        return buffer->Lock(offset, bytes, &first_, &firstBytes_, &second_, &secondBytes_, 0);
    }
    Result Unlock(SoundBuffer* buffer) {
        return buffer->Unlock(first_, firstBytes_, second_, secondBytes_);
    }

    void* first_ = nullptr;
    void* second_ = nullptr;
    uint32_t firstBytes_ = 0;
    uint32_t secondBytes_ = 0;
};

TEST_F(SoundLockTest, ALockPastTheEndWrapsToTheStart) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133, 134, 135});
    ASSERT_EQ(Lock(buffer, 4, 4), kOk);
    ASSERT_EQ(firstBytes_, 2u);
    ASSERT_EQ(secondBytes_, 2u);
    auto* first = static_cast<uint8_t*>(first_);
    auto* second = static_cast<uint8_t*>(second_);
    // The lock shows what the buffer holds.
    EXPECT_EQ(Samples({first[0], first[1], second[0], second[1]}), Samples({134, 135, 130, 131}));
    first[0] = 200;
    first[1] = 201;
    second[0] = 100;
    second[1] = 101;
    ASSERT_EQ(Unlock(buffer), kOk);
    EXPECT_EQ(Contents(buffer, 6), (Samples{100, 101, 132, 133, 200, 201}));

    // A lock that fits has no second region, which the caller may leave out.
    ASSERT_EQ(Lock(buffer, 0, 6), kOk);
    EXPECT_EQ(firstBytes_, 6u);
    EXPECT_EQ(second_, nullptr);
    EXPECT_EQ(secondBytes_, 0u);
    ASSERT_EQ(Unlock(buffer), kOk);
    ASSERT_EQ(buffer->Lock(1, 5, &first_, &firstBytes_, nullptr, nullptr, 0), kOk);
    ASSERT_EQ(buffer->Unlock(first_, 5, nullptr, 0), kOk);
    EXPECT_EQ(buffer->Lock(2, 5, &first_, &firstBytes_, nullptr, nullptr, 0), kErrInvalidParams);
}

TEST_F(SoundLockTest, OneLockAtATimeAndOnlyItsOwnUnlock) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133});
    EXPECT_EQ(Lock(buffer, 4, 1), kErrInvalidParams);
    ASSERT_EQ(Lock(buffer, 1, 2), kOk);
    void* again = nullptr;
    uint32_t againBytes = 0;
    EXPECT_LT(buffer->Lock(0, 1, &again, &againBytes, nullptr, nullptr, 0), 0);
    uint8_t elsewhere[4] = {};
    EXPECT_EQ(buffer->Unlock(elsewhere, 2, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(buffer->Unlock(first_, 3, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(buffer->Unlock(first_, 2, nullptr, 0), kOk);
    EXPECT_EQ(buffer->Unlock(first_, 2, nullptr, 0), kErrInvalidParams);

    headless::FailStep(Fault::LockSoundBuffer, 0, 1);
    EXPECT_LT(Write(buffer, 0, {1, 2}), 0);
    EXPECT_EQ(Contents(buffer, 4), (Samples{130, 131, 132, 133}))
        << "a failed lock changes nothing";
}

TEST_F(SoundLockTest, ALostBufferStopsAndRefusesLockAndPlayUntilRestored) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132});
    SoundBuffer* copy = Duplicate(buffer);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), kOk);
    Pull(1);
    headless::LoseSoundBuffers();
    EXPECT_EQ(Status(buffer), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(Status(copy), DSBSTATUS_BUFFERLOST);
    EXPECT_EQ(Pull(2), (Samples{128, 128}));
    EXPECT_EQ(buffer->Play(0, 0, 0), kErrBufferLost);
    EXPECT_EQ(Lock(buffer, 0, 3), kErrBufferLost);

    ASSERT_EQ(buffer->Restore(), kOk);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(Status(copy), DSBSTATUS_BUFFERLOST) << "each buffer is restored on its own";
    // The memory came back empty: the samples must be written again.
    EXPECT_EQ(Contents(buffer, 3), (Samples{128, 128, 128}));
    ASSERT_EQ(Write(buffer, 0, {140, 141, 142}), kOk);
    EXPECT_EQ(Contents(buffer, 3), (Samples{140, 141, 142}));

    // Samples written into a lock that outlived its memory are dropped.
    ASSERT_EQ(Lock(buffer, 0, 2), kOk);
    static_cast<uint8_t*>(first_)[0] = 1;
    headless::LoseSoundBuffers();
    EXPECT_EQ(Unlock(buffer), kErrBufferLost);
    ASSERT_EQ(buffer->Restore(), kOk);
    EXPECT_EQ(Contents(buffer, 2), (Samples{128, 128}));
    EXPECT_EQ(Write(buffer, 0, {150, 151}), kOk) << "the lock is over: a new one works";
}

}  // namespace
}  // namespace platform
