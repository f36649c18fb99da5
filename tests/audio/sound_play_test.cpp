#include <gtest/gtest.h>

#include "tests/audio/sound_fixture.h"

namespace {

using namespace wave_test;

class PlayingSoundTest : public SoundTest {
protected:
    void SetUp() override {
        SoundTest::SetUp();
        sound.Load(WriteMono(samples).c_str(), 1);
    }
    // Samples looped from position from on, count of them.
    Bytes Looped(size_t from, size_t count) const {
        Bytes out(count);
        for (size_t i = 0; i < count; ++i) {
            out[i] = samples[(from + i) % samples.size()];
        }
        return out;
    }

    const Bytes samples = Sawtooth(1000, 37);
    Sound sound;
};

// The music is played for every piece: it neither restarts nor layers, and
// goes on round the loop at single strength.
TEST_F(PlayingSoundTest, PlayingWhileSoundingChangesNothing) {
    EXPECT_EQ(sound.Play(1), 0);
    EXPECT_EQ(Pull(300), Looped(0, 300));
    for (int piece = 0; piece < 5; ++piece) {
        EXPECT_EQ(sound.Play(1), 1);
    }
    EXPECT_EQ(Pull(1500), Looped(300, 1500));

    sound.StopAndRewind();
    ASSERT_EQ(sound.Play(0), 0);
    Pull(100);
    EXPECT_EQ(sound.Play(1), 1) << "nor does it turn a single play into a loop";
    EXPECT_EQ(Pull(900), Looped(100, 900));
    EXPECT_EQ(Pull(100), Silence(100));
}

// Stop keeps the place a later play resumes from, once, to the end; after
// stop-and-rewind, or a play that ran out, the next play starts over.
TEST_F(PlayingSoundTest, StopKeepsThePlaceAndStopAndRewindStartsOver) {
    ASSERT_EQ(sound.Play(1), 0);
    Pull(250);
    sound.Stop();
    EXPECT_EQ(Pull(100), Silence(100));
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(750), Looped(250, 750));
    EXPECT_EQ(Pull(100), Silence(100));
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(250), Looped(0, 250));
    sound.StopAndRewind();
    EXPECT_EQ(Pull(100), Silence(100));
    EXPECT_EQ(sound.Play(1), 0);
    EXPECT_EQ(Pull(400), Looped(0, 400));
}

TEST_F(SoundTest, ReleaseSoundsStopsAndDestroysWhateverSoundsThereAre) {
    ReleaseSounds();
    crunchSound = new Sound;  // the music never made
    ReleaseSounds();
    EXPECT_EQ(crunchSound, nullptr);

    musicSound = new Sound;
    crunchSound = new Sound;
    musicSound->Load(WriteMono(Sawtooth(500), "music.wav").c_str(), 1);
    crunchSound->Load(WriteMono(Sawtooth(500, 9), "crunch.wav").c_str(), 1);
    musicSound->Play(1);
    crunchSound->Play(0);
    ReleaseSounds();
    EXPECT_EQ(musicSound, nullptr);
    EXPECT_EQ(crunchSound, nullptr);
    EXPECT_EQ(Pull(200), Silence(200));
}

}  // namespace
