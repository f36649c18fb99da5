#include <gtest/gtest.h>

#include "tests/audio/sound_fixture.h"

namespace {

using namespace wave_test;
namespace headless = platform::headless;
using platform::Fault;

TEST_F(SoundTest, AnEightBitMonoFilePlaysItsSamples) {
    const Bytes samples = Sawtooth(2000);
    Sound sound;
    sound.Load(WriteMono(samples).c_str(), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(2000), samples);
}

TEST_F(SoundTest, AnotherPcmLayoutPlaysItsBytesAsEightBitMono) {
    const Bytes bytes = Sawtooth(1200, 7);
    const std::string path = folder.Write(
        "stereo.wav", Riff("WAVE", {Chunk("fmt ", Format(1, 2, 44100, 16)), Chunk("data", bytes)}));
    Sound sound;
    sound.Load(path.c_str(), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(1200), bytes);
}

TEST_F(SoundTest, AFileThatCannotBeReadLeavesTheSoundSilent) {
    const Bytes compressed =
        Riff("WAVE", {Chunk("fmt ", Format(2, 1, 22050, 4)), Chunk("data", Sawtooth(100))});
    for (const Bytes& file : {compressed, MonoWave({}), Truncated(MonoWave(Sawtooth(100)), 60)}) {
        Sound sound;
        sound.Load(folder.Write("broken.wav", file).c_str(), 1);
        EXPECT_EQ(sound.Play(1), 0);
        sound.Stop();
        sound.StopAndRewind();
        EXPECT_EQ(Pull(100), Silence(100));
    }
}

TEST_F(SoundTest, ASoundNeverLoadedIsSilent) {
    Sound sound;
    EXPECT_EQ(sound.Play(0), 0);
    sound.Stop();
    sound.StopAndRewind();
    EXPECT_EQ(sound.Fill(Sawtooth(10).data(), 10), 0);
    EXPECT_EQ(sound.MakeCopies(2), 0);
}

TEST_F(SoundTest, ABufferTheDeviceRefusesLeavesTheSoundSilent) {
    headless::FailStep(Fault::CreateSoundBuffer);
    Sound sound;
    sound.Load(WriteMono(Sawtooth(100)).c_str(), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(100), Silence(100));
}

TEST_F(SoundTest, ABufferLostWhileBeingFilledIsRestoredAndFilled) {
    const Bytes samples = Sawtooth(500);
    Sound sound;
    ASSERT_EQ(sound.CreateBuffer(500, 1), 1);
    headless::LoseSoundBuffers();
    EXPECT_EQ(sound.Fill(samples.data(), 500), 1);
    EXPECT_EQ(sound.MakeCopies(1), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(500), samples);
}

TEST_F(SoundTest, AFillThatCannotLockReportsFailure) {
    const Bytes samples = Sawtooth(500);
    Sound sound;
    ASSERT_EQ(sound.CreateBuffer(500, 1), 1);
    headless::FailStep(Fault::LockSoundBuffer);
    EXPECT_EQ(sound.Fill(samples.data(), 500), 0);
    headless::ClearFaults();
    headless::LoseSoundBuffers();
    headless::FailStep(Fault::LockSoundBuffer, 1);  // the lock after the restore fails
    EXPECT_EQ(sound.Fill(samples.data(), 500), 0);
}

TEST_F(SoundTest, CopiesLetASoundOverlapItself) {
    const Bytes samples = Sawtooth(400);
    Sound sound;
    sound.Load(WriteMono(samples).c_str(), 2);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 2);  // both copies busy
    Bytes doubled(400);
    for (size_t i = 0; i < samples.size(); ++i) {
        doubled[i] = static_cast<uint8_t>(128 + 2 * (samples[i] - 128));
    }
    EXPECT_EQ(Pull(400), doubled);
}

TEST_F(SoundTest, ACopyThatWasNotMadeIsNeverPlayed) {
    const Bytes samples = Sawtooth(400);
    headless::FailStep(Fault::DuplicateSoundBuffer);
    Sound sound;
    sound.Load(WriteMono(samples).c_str(), 3);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 3);
    EXPECT_EQ(Pull(400), samples);
    sound.StopAndRewind();
}

TEST_F(SoundTest, CopiesAreLimitedToTheBufferEntriesMade) {
    const Bytes samples = Sawtooth(400);
    Sound sound;
    ASSERT_EQ(sound.CreateBuffer(400, 1), 1);
    ASSERT_EQ(sound.Fill(samples.data(), 400), 1);
    EXPECT_EQ(sound.MakeCopies(3), 0);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 1);
    EXPECT_EQ(Pull(400), samples);
}

TEST_F(SoundTest, LoadingAgainReplacesTheSound) {
    const Bytes first = Sawtooth(300, 10);
    const Bytes second = Sawtooth(300, 30);
    Sound sound;
    sound.Load(WriteMono(first, "first.wav").c_str(), 1);
    sound.Load(WriteMono(second, "second.wav").c_str(), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 1);
    EXPECT_EQ(Pull(300), second);
}

TEST_F(SoundTest, TheGamesOwnSoundsLoadAndSound) {
    for (const char* name : {"techno.wav", "crunch.wav", "superhappy.wav"}) {
        Sound sound;
        sound.Load(name, 1);
        EXPECT_EQ(sound.Play(0), 0) << name;
        EXPECT_NE(Pull(2205), Silence(2205)) << name;
        sound.StopAndRewind();
    }
}

}  // namespace
