#include <gtest/gtest.h>

#include "tests/audio/sound_fixture.h"

namespace {

using namespace wave_test;
namespace headless = platform::headless;
using platform::Fault;

// Any PCM layout plays its bytes as 8-bit mono; loading again replaces the sound.
TEST_F(SoundTest, AFilePlaysItsSamplesAndALaterLoadReplacesThem) {
    const Bytes mono = Sawtooth(2000);
    const Bytes stereo = Sawtooth(1200, 7);
    const std::string stereoFile =
        folder.Write("stereo.wav",
                     Riff("WAVE", {Chunk("fmt ", Format(1, 2, 44100, 16)), Chunk("data", stereo)}));
    Sound sound;
    sound.Load(WriteMono(mono).c_str(), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(2000), mono);
    sound.Load(stereoFile.c_str(), 1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 1) << "one copy, and it is busy";
    EXPECT_EQ(Pull(1200), stereo);
}

// A file that cannot be read, a sound never loaded and a buffer the device
// refuses all leave the sound silent, and every call on it harmless.
TEST_F(SoundTest, ASoundWithoutSamplesIsSilent) {
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
    Sound neverLoaded;
    EXPECT_EQ(neverLoaded.Play(0), 0);
    neverLoaded.StopAndRewind();
    EXPECT_EQ(neverLoaded.Fill(Sawtooth(10).data(), 10), 0);
    EXPECT_EQ(neverLoaded.MakeCopies(2), 0);

    headless::FailStep(Fault::CreateSoundBuffer);
    Sound refused;
    refused.Load(WriteMono(Sawtooth(100)).c_str(), 1);
    EXPECT_EQ(refused.Play(0), 0);
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

    // A fill that cannot lock, before or after the restore, says so.
    headless::FailStep(Fault::LockSoundBuffer, 0, 1);
    EXPECT_EQ(sound.Fill(samples.data(), 500), 0);
    headless::LoseSoundBuffers();
    headless::FailStep(Fault::LockSoundBuffer, 1, 1);
    EXPECT_EQ(sound.Fill(samples.data(), 500), 0);
}

TEST_F(SoundTest, CopiesLetASoundOverlapItselfAsFarAsTheyWereMade) {
    const Bytes samples = Sawtooth(400);
    Bytes doubled(400);
    for (size_t i = 0; i < samples.size(); ++i) {
        doubled[i] = static_cast<uint8_t>(128 + 2 * (samples[i] - 128));
    }
    Sound sound;
    sound.Load(WriteMono(samples).c_str(), 2);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 2);  // both copies busy
    EXPECT_EQ(Pull(400), doubled);

    // A copy the device would not make is never played.
    headless::FailStep(Fault::DuplicateSoundBuffer);
    Sound shortOfCopies;
    shortOfCopies.Load(WriteMono(samples).c_str(), 3);
    EXPECT_EQ(shortOfCopies.Play(0), 0);
    EXPECT_EQ(shortOfCopies.Play(0), 3);
    EXPECT_EQ(Pull(400), samples);
    headless::ClearFaults();

    // Nor is one beyond the entries the buffer was made with.
    Sound limited;
    ASSERT_EQ(limited.CreateBuffer(400, 1), 1);
    ASSERT_EQ(limited.Fill(samples.data(), 400), 1);
    EXPECT_EQ(limited.MakeCopies(3), 0);
    EXPECT_EQ(limited.Play(0), 0);
    EXPECT_EQ(limited.Play(0), 1);
    EXPECT_EQ(Pull(400), samples);
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
