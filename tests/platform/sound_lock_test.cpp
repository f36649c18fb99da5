// Locking a buffer to write its samples, and buffers whose memory is lost.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sound_test_support.h"

namespace platform {
namespace {

using testing_support::Position;
using testing_support::Pull;
using testing_support::SoundTest;
using testing_support::Status;
using testing_support::Write;
using Samples = std::vector<uint8_t>;

class SoundLockTest : public SoundTest {
protected:
    // Plays the buffer looped from 0 and gives one pass of it.
    Samples Contents(SoundBuffer* buffer, uint32_t size) {
        EXPECT_EQ(buffer->SetCurrentPosition(0), kOk);
        EXPECT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), kOk);
        Samples heard = Pull(size);
        EXPECT_EQ(buffer->Stop(), kOk);
        return heard;
    }

    void* first_ = nullptr;
    void* second_ = nullptr;
    uint32_t firstBytes_ = 0;
    uint32_t secondBytes_ = 0;
};

TEST_F(SoundLockTest, ALockPastTheEndWrapsToTheStart) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133, 134, 135});
    ASSERT_EQ(buffer->Lock(4, 4, &first_, &firstBytes_, &second_, &secondBytes_, 0), kOk);
    ASSERT_EQ(firstBytes_, 2u);
    ASSERT_EQ(secondBytes_, 2u);
    ASSERT_NE(second_, nullptr);
    auto* firstBytes = static_cast<uint8_t*>(first_);
    auto* secondBytes = static_cast<uint8_t*>(second_);
    // The lock shows what the buffer holds.
    EXPECT_EQ(firstBytes[0], 134);
    EXPECT_EQ(firstBytes[1], 135);
    EXPECT_EQ(secondBytes[0], 130);
    EXPECT_EQ(secondBytes[1], 131);
    firstBytes[0] = 200;
    firstBytes[1] = 201;
    secondBytes[0] = 100;
    secondBytes[1] = 101;
    ASSERT_EQ(buffer->Unlock(first_, firstBytes_, second_, secondBytes_), kOk);
    EXPECT_EQ(Contents(buffer, 6), (Samples{100, 101, 132, 133, 200, 201}));
}

TEST_F(SoundLockTest, ALockThatFitsHasNoSecondRegion) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133});
    ASSERT_EQ(buffer->Lock(0, 4, &first_, &firstBytes_, &second_, &secondBytes_, 0), kOk);
    EXPECT_EQ(firstBytes_, 4u);
    EXPECT_EQ(second_, nullptr);
    EXPECT_EQ(secondBytes_, 0u);
    ASSERT_EQ(buffer->Unlock(first_, firstBytes_, second_, secondBytes_), kOk);
    // A caller that does not want a second region may leave it out.
    ASSERT_EQ(buffer->Lock(1, 3, &first_, &firstBytes_, nullptr, nullptr, 0), kOk);
    EXPECT_EQ(firstBytes_, 3u);
    ASSERT_EQ(buffer->Unlock(first_, firstBytes_, nullptr, 0), kOk);
    EXPECT_EQ(buffer->Lock(2, 3, &first_, &firstBytes_, nullptr, nullptr, 0), kErrInvalidParams);
}

TEST_F(SoundLockTest, OneLockAtATimeAndOnlyItsOwnUnlock) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133});
    EXPECT_EQ(buffer->Lock(4, 1, &first_, &firstBytes_, &second_, &secondBytes_, 0),
              kErrInvalidParams);
    ASSERT_EQ(buffer->Lock(1, 2, &first_, &firstBytes_, &second_, &secondBytes_, 0), kOk);
    void* again = nullptr;
    uint32_t againBytes = 0;
    EXPECT_LT(buffer->Lock(0, 1, &again, &againBytes, nullptr, nullptr, 0), 0);
    uint8_t elsewhere[4] = {};
    EXPECT_EQ(buffer->Unlock(elsewhere, 2, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(buffer->Unlock(first_, 3, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(buffer->Unlock(first_, 2, nullptr, 0), kOk);
    EXPECT_EQ(buffer->Unlock(first_, 2, nullptr, 0), kErrInvalidParams);
}

TEST_F(SoundLockTest, AFailedLockChangesNothing) {
    SoundBuffer* buffer = MakeBuffer({130, 131});
    headless::FailStep(Fault::LockSoundBuffer, 0, 1);
    EXPECT_LT(Write(buffer, 0, {1, 2}), 0);
    EXPECT_EQ(Contents(buffer, 2), (Samples{130, 131}));
    EXPECT_EQ(Write(buffer, 0, {1, 2}), kOk);
    EXPECT_EQ(Contents(buffer, 2), (Samples{1, 2}));
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
    EXPECT_EQ(buffer->Lock(0, 3, &first_, &firstBytes_, &second_, &secondBytes_, 0),
              kErrBufferLost);

    ASSERT_EQ(buffer->Restore(), kOk);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(Status(copy), DSBSTATUS_BUFFERLOST) << "each buffer is restored on its own";
    // The memory came back empty: the samples must be written again.
    EXPECT_EQ(Contents(buffer, 3), (Samples{128, 128, 128}));
    ASSERT_EQ(Write(buffer, 0, {140, 141, 142}), kOk);
    EXPECT_EQ(Contents(buffer, 3), (Samples{140, 141, 142}));
}

TEST_F(SoundLockTest, SamplesWrittenIntoALockThatOutlivedItsMemoryAreDropped) {
    SoundBuffer* buffer = MakeBuffer({130, 131});
    ASSERT_EQ(buffer->Lock(0, 2, &first_, &firstBytes_, &second_, &secondBytes_, 0), kOk);
    static_cast<uint8_t*>(first_)[0] = 1;
    headless::LoseSoundBuffers();
    EXPECT_EQ(buffer->Unlock(first_, firstBytes_, second_, secondBytes_), kErrBufferLost);
    ASSERT_EQ(buffer->Restore(), kOk);
    EXPECT_EQ(Contents(buffer, 2), (Samples{128, 128}));
    // The lock is over: a new one works.
    EXPECT_EQ(Write(buffer, 0, {150, 151}), kOk);
}

}  // namespace
}  // namespace platform
