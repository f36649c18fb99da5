// Playing sound buffers, as the mixer hands their samples to the sound card.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "sound_test_support.h"

namespace platform {
namespace {

using namespace testing_support;

using PlaybackTest = SoundTest;

TEST_F(PlaybackTest, AOneShotStopsAtItsEndAndGoesBackToTheStart) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132, 133});
    ASSERT_EQ(buffer->Play(0, 0, 0), kOk);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    EXPECT_EQ(Pull(3), (Samples{130, 131, 132}));
    EXPECT_EQ(Position(buffer), 3u);
    EXPECT_EQ(Pull(3), (Samples{133, 128, 128}));
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(Position(buffer), 0u);
    ASSERT_EQ(buffer->Play(0, 0, 0), kOk);
    EXPECT_EQ(Pull(2), (Samples{130, 131}));

    // Stop keeps the place, and play resumes there; rewound, it starts over.
    ASSERT_EQ(buffer->Stop(), kOk);
    EXPECT_EQ(Status(buffer), 0u);
    EXPECT_EQ(Position(buffer), 2u);
    EXPECT_EQ(Pull(2), (Samples{128, 128}));
    ASSERT_EQ(buffer->Play(0, 0, 0), kOk);
    EXPECT_EQ(Pull(1), (Samples{132}));
    ASSERT_EQ(buffer->Stop(), kOk);
    ASSERT_EQ(buffer->SetCurrentPosition(0), kOk);
    ASSERT_EQ(buffer->Play(0, 0, 0), kOk);
    EXPECT_EQ(Pull(1), (Samples{130}));
}

// A loop wraps from where it started; played again while playing it keeps
// its place but takes the new mode.
TEST_F(PlaybackTest, ALoopWrapsFromWhereItStartedUntilPlayedOnce) {
    SoundBuffer* buffer = MakeBuffer({130, 131, 132});
    ASSERT_EQ(buffer->SetCurrentPosition(2), kOk);
    ASSERT_EQ(buffer->Play(0, 0, DSBPLAY_LOOPING), kOk);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING | DSBSTATUS_LOOPING);
    EXPECT_EQ(Pull(8), (Samples{132, 130, 131, 132, 130, 131, 132, 130}));
    EXPECT_EQ(Position(buffer), 1u);
    ASSERT_EQ(buffer->Play(0, 0, 0), kOk);
    EXPECT_EQ(Status(buffer), DSBSTATUS_PLAYING);
    EXPECT_EQ(Pull(3), (Samples{131, 132, 128}));
}

TEST_F(PlaybackTest, ADuplicateSharesSamplesButNotPositionOrStatus) {
    SoundBuffer* original = MakeBuffer({130, 131, 132, 133});
    SoundBuffer* copy = Duplicate(original);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(original->SetCurrentPosition(2), kOk);
    EXPECT_EQ(Position(copy), 0u);

    ASSERT_EQ(copy->Play(0, 0, 0), kOk);
    EXPECT_EQ(Status(original), 0u);
    EXPECT_EQ(Pull(2), (Samples{130, 131}));
    EXPECT_EQ(Position(original), 2u);
    // Samples written through the original are heard through the copy.
    ASSERT_EQ(Write(original, 2, {150, 160}), kOk);
    EXPECT_EQ(Pull(3), (Samples{150, 160, 128}));
    EXPECT_EQ(Status(copy), 0u);

    // Both playing at their own places: their offsets from the midpoint add.
    ASSERT_EQ(original->Play(0, 0, 0), kOk);  // from 2
    ASSERT_EQ(copy->Play(0, 0, 0), kOk);      // from 0
    EXPECT_EQ(Pull(3), (Samples{128 + 22 + 2, 128 + 32 + 3, 128 + 22}));

    // Released, a buffer is no longer heard, but its duplicate is.
    ASSERT_EQ(copy->SetCurrentPosition(0), kOk);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), kOk);
    ASSERT_EQ(copy->Play(0, 0, DSBPLAY_LOOPING), kOk);
    EXPECT_EQ(original->Release(), 0u);
    EXPECT_EQ(copy->AddRef(), 2u);
    EXPECT_EQ(copy->Release(), 1u);
    EXPECT_EQ(Pull(2), (Samples{130, 131})) << "the copy alone";
}

TEST_F(PlaybackTest, BuffersMixAroundTheMidpointAndClip) {
    SoundBuffer* loud = MakeBuffer({200, 20, 150, 128});
    SoundBuffer* alsoLoud = MakeBuffer({200, 20, 100, 0});
    ASSERT_EQ(loud->Play(0, 0, 0), kOk);
    ASSERT_EQ(alsoLoud->Play(0, 0, 0), kOk);
    // 128+72+72 clips to 255; 128-108-108 clips to 0; 128+22-28; 128+0-128.
    EXPECT_EQ(Pull(4), (Samples{255, 0, 122, 0}));
}

TEST_F(PlaybackTest, LongPullsFollowEverySampleAcrossTheMixersBlocks) {
    Samples ramp(1500);
    for (size_t i = 0; i < ramp.size(); ++i) {
        ramp[i] = static_cast<uint8_t>(64 + i % 128);
    }
    SoundBuffer* looped = MakeBuffer(ramp);
    SoundBuffer* once = MakeBuffer(Samples(700, 129));
    ASSERT_EQ(looped->Play(0, 0, DSBPLAY_LOOPING), kOk);
    ASSERT_EQ(once->Play(0, 0, 0), kOk);
    const Samples heard = Pull(4000);
    for (size_t i = 0; i < heard.size(); ++i) {
        ASSERT_EQ(heard[i], ramp[i % ramp.size()] + (i < 700 ? 1 : 0)) << "sample " << i;
    }
    EXPECT_EQ(Position(looped), 4000u % 1500u);
    EXPECT_EQ(Status(once), 0u);
}

}  // namespace
}  // namespace platform
