#include <gtest/gtest.h>

#include "audio/sound_clip.h"
#include "tests/audio/wave_writer.h"

namespace {

using namespace wave_test;

// The samples ReadWaveFile gives for a file; none, and no block, when it
// gives no size.
Bytes Read(const Bytes& file) {
    uint8_t* data = reinterpret_cast<uint8_t*>(&data);
    const int32_t size = ReadWaveFile(WriteWave("test.wav", file).c_str(), &data);
    if (size <= 0) {
        EXPECT_EQ(data, nullptr);
        return {};
    }
    Bytes samples(data, data + size);
    delete[] data;
    return samples;
}

// Any PCM layout is handed on byte for byte, whatever chunks lie between the
// format and the data, and an odd data chunk keeps its pad byte out.
TEST(WaveFile, GivesTheSamplesOfAnyPcmFile) {
    const Bytes odd = Sawtooth(1001);
    EXPECT_EQ(Read(MonoWave(odd)), odd);
    const Bytes stereo = Sawtooth(800);
    EXPECT_EQ(Read(Riff("WAVE", {Format(1, 2, 16), Chunk("data", stereo)})), stereo);
    Bytes extended = Format(1, 1, 8);
    extended[4] = 18;  // a format record with two more bytes
    extended.insert(extended.end(), {0, 0});
    EXPECT_EQ(Read(Riff("WAVE", {extended, Chunk("LIST", Bytes(7, 'x')), Chunk("data", stereo)})),
              stereo);
    uint8_t* data = nullptr;
    EXPECT_EQ(ReadWaveFile("/nonexistent/missing.wav", &data), 0);
    EXPECT_EQ(data, nullptr);
}

// A file whose RIFF form and data chunk both claim dataSize bytes, but which
// holds only the samples given.
Bytes ClaimingData(uint32_t dataSize, const Bytes& samples) {
    return Cat({Bytes{'R', 'I', 'F', 'F'}, Little(4 + 24 + 8 + dataSize, 4),
                Bytes{'W', 'A', 'V', 'E'}, Format(1, 1, 8), Bytes{'d', 'a', 't', 'a'},
                Little(dataSize, 4), samples});
}

// Sizes that lie once made the game ask for gigabytes or read past the file
// (the whole game is run on many more damaged files).
TEST(WaveFile, BrokenFilesGiveNoSamples) {
    const Bytes samples = Sawtooth(500);
    const struct {
        const char* name;
        Bytes bytes;
    } files[] = {
        {"no data", Riff("WAVE", {Format(1, 1, 8)})},
        {"data before format", Riff("WAVE", {Chunk("data", samples), Format(1, 1, 8)})},
        {"format cut short", Truncated(MonoWave(samples), 12 + 8 + 10)},
        {"samples cut short", Truncated(MonoWave(samples), 12 + 24 + 8 + 499)},
        {"no samples", MonoWave({})},
        {"data claims more", ClaimingData(100000, samples)},
        {"data claims 4 GB", ClaimingData(0xFFFFFFF0u, samples)},
    };
    for (const auto& file : files) {
        EXPECT_EQ(Read(file.bytes), Bytes{}) << file.name;
    }
}

}  // namespace
