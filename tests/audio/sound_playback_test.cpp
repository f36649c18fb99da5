// Sounds as the player hears them: what a file plays, copies that overlap,
// the music that neither restarts nor layers, and files that give no sound.
#include <gtest/gtest.h>

#include "audio/sound_clip.h"
#include "platform/hosts/headless/headless_control.h"
#include "tests/audio/wave_writer.h"

namespace {

using namespace wave_test;
namespace headless = platform::headless;
using platform::Fault;

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_EQ(InitSoundDevice(), 1);
    }
    // After the sounds of the tests: every sound goes before the device.
    ~SoundTest() override { ReleaseSoundDevice(); }

    // The next count samples the sound card takes.
    static Bytes Pull(size_t count) {
        Bytes samples(count);
        headless::PullAudio(samples.data(), static_cast<uint32_t>(count));
        return samples;
    }
    static Bytes Silence(size_t count) { return Bytes(count, 128); }
    // Samples looped from position from on, count of them.
    static Bytes Looped(const Bytes& samples, size_t from, size_t count) {
        Bytes out(count);
        for (size_t i = 0; i < count; ++i) {
            out[i] = samples[(from + i) % samples.size()];
        }
        return out;
    }
};

// Any PCM layout plays its bytes as 8-bit mono, whatever chunks lie between
// the format and the data, and an odd data chunk keeps its pad byte out; each
// copy plays over the others; loading again replaces the sound.
TEST_F(SoundTest, AFilePlaysItsSamplesOnEachCopyAndALaterLoadReplacesThem) {
    const Bytes odd = Sawtooth(2001);
    Bytes twice = odd;  // both copies at once
    for (uint8_t& sample : twice) {
        sample = static_cast<uint8_t>(2 * sample - 128);
    }
    const Bytes stereo = Sawtooth(1200, 7);
    Bytes extended = Format(1, 2, 16);
    extended[4] = 18;  // a format record with two more bytes
    extended.insert(extended.end(), {0, 0});
    Sound sound;
    sound.Load(WriteWave("mono.wav", MonoWave(odd)).c_str(), 2);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 2) << "both copies busy";
    EXPECT_EQ(Pull(2002), Cat({twice, Silence(1)}));
    sound.Load(WriteWave("stereo.wav", Riff("WAVE", {extended, Chunk("LIST", Bytes(7, 'x')),
                                                     Chunk("data", stereo)}))
                   .c_str(),
               1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 1) << "one copy, and it is busy";
    EXPECT_EQ(Pull(1200), stereo);
}

// Sizes that lie once made the game ask for gigabytes or read past the file
// (the whole game is run on more damaged files). A file that gives no
// samples, and a sound never loaded, leave the sound silent and every call on
// it harmless (a buffer the device refuses is tried with the whole program).
TEST_F(SoundTest, FilesThatGiveNoSamplesLeaveTheSoundSilent) {
    const Bytes samples = Sawtooth(500);
    const struct {
        const char* name;
        Bytes bytes;
    } files[] = {
        {"no data", Riff("WAVE", {Format(1, 1, 8)})},
        {"not PCM", Riff("WAVE", {Format(2, 1, 8), Chunk("data", samples)})},
        {"data before format", Riff("WAVE", {Chunk("data", samples), Format(1, 1, 8)})},
        {"format cut short", Truncated(MonoWave(samples), 12 + 8 + 10)},
        {"samples cut short", Truncated(MonoWave(samples), 12 + 24 + 8 + 499)},
        {"no samples", MonoWave({})},
        {"data claims 4 GB", Cat({Truncated(MonoWave(samples), 40), Little(0xFFFFFFF0u, 4)})},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::string path = WriteWave("broken.wav", file.bytes);
        Sound broken;
        broken.Load(path.c_str(), 1);
        EXPECT_EQ(broken.Play(1), 0);
        EXPECT_EQ(Pull(100), Silence(100));
        broken.Stop();
        broken.StopAndRewind();
    }
    Sound neverLoaded;
    EXPECT_EQ(neverLoaded.Play(0), 0);
    neverLoaded.StopAndRewind();
}

// A buffer lost while being filled is restored and filled; a fill that cannot
// lock, before or after the restore, says so.
TEST_F(SoundTest, ABufferLostWhileFilledIsRestoredAndFilled) {
    const Bytes samples = Sawtooth(500);
    Sound sound;
    ASSERT_EQ(sound.CreateBuffer(500, 1), 1);
    headless::LoseSoundBuffers();
    EXPECT_EQ(sound.Fill(samples.data(), 500), 1);
    sound.MakeCopies(1);
    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(sound.Play(0), 1);
    EXPECT_EQ(Pull(500), samples);
    headless::FailStep(Fault::LockSoundBuffer, 0, 1);
    EXPECT_EQ(sound.Fill(samples.data(), 500), 0);
    headless::LoseSoundBuffers();
    headless::FailStep(Fault::LockSoundBuffer, 1, 1);
    EXPECT_EQ(sound.Fill(samples.data(), 500), 0);
}

// The music is played for every piece: it neither restarts nor layers nor
// turns a single play into a loop. After stop-and-rewind, or a play that ran
// out, the next play starts over (stopping for a pause is checked there).
TEST_F(SoundTest, PlayingWhileSoundingChangesNothing) {
    const Bytes samples = Sawtooth(1000, 37);
    Sound sound;
    sound.Load(WriteWave("music.wav", MonoWave(samples)).c_str(), 1);
    EXPECT_EQ(sound.Play(1), 0);
    EXPECT_EQ(Pull(300), Looped(samples, 0, 300));
    for (int piece = 0; piece < 5; ++piece) {
        EXPECT_EQ(sound.Play(1), 1);
    }
    EXPECT_EQ(Pull(1500), Looped(samples, 300, 1500));
    sound.StopAndRewind();
    ASSERT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(100), Looped(samples, 0, 100));
    EXPECT_EQ(sound.Play(1), 1);
    EXPECT_EQ(Pull(900), Looped(samples, 100, 900));
    EXPECT_EQ(Pull(100), Silence(100));

    EXPECT_EQ(sound.Play(0), 0);
    EXPECT_EQ(Pull(250), Looped(samples, 0, 250));
}

}  // namespace
