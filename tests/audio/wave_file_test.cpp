#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "audio/sound.h"
#include "platform/headless/control.h"
#include "tests/audio/wave_writer.h"

namespace {

using namespace wave_test;

struct ReadResult {
    int32_t size = 0;
    Bytes samples;
    bool gotBlock = false;
};

class WaveFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Reset(); }

    ReadResult Read(const Bytes& file) {
        const std::string path = folder.Write("test.wav", file);
        uint8_t* data = reinterpret_cast<uint8_t*>(&sentinel);
        ReadResult result;
        result.size = ReadWaveFile(path.c_str(), &data);
        result.gotBlock = data != nullptr;
        if (data != nullptr && result.size > 0) {
            result.samples.assign(data, data + result.size);
            delete[] data;
        }
        return result;
    }

    TempFolder folder;
    int sentinel = 0;
};

TEST_F(WaveFileTest, GivesTheSamplesOfAnEightBitMonoFile) {
    const Bytes samples = Sawtooth(1001);  // odd: the data chunk has a pad byte
    const ReadResult result = Read(MonoWave(samples));
    EXPECT_EQ(result.size, 1001);
    EXPECT_EQ(result.samples, samples);
}

TEST_F(WaveFileTest, GivesTheBytesOfAnyPcmLayoutUnchanged) {
    const Bytes samples = Sawtooth(800);
    const Bytes file =
        Riff("WAVE", {Chunk("fmt ", Format(1, 2, 44100, 16)), Chunk("data", samples)});
    const ReadResult result = Read(file);
    EXPECT_EQ(result.size, 800);
    EXPECT_EQ(result.samples, samples);
}

TEST_F(WaveFileTest, SkipsChunksBetweenFormatAndData) {
    Bytes extendedFormat = Format(1, 1, 22050, 8);
    PutU16(extendedFormat, 0);  // the 18-byte record with an empty extension
    const Bytes samples = Sawtooth(300);
    const Bytes file = Riff("WAVE", {Chunk("fmt ", extendedFormat), Chunk("LIST", Bytes(7, 'x')),
                                     Chunk("data", samples)});
    const ReadResult result = Read(file);
    EXPECT_EQ(result.size, 300);
    EXPECT_EQ(result.samples, samples);
}

TEST_F(WaveFileTest, AMissingFileGivesNothing) {
    uint8_t* data = nullptr;
    EXPECT_EQ(ReadWaveFile((folder.Write("x", {}) + ".missing").c_str(), &data), 0);
    EXPECT_EQ(data, nullptr);
}

struct BrokenFile {
    const char* name;
    Bytes bytes;
};

// A file whose RIFF form and data chunk both claim dataSize bytes, but which
// holds only the samples given.
Bytes ClaimingData(uint32_t dataSize, const Bytes& samples) {
    Bytes file;
    PutId(file, "RIFF");
    PutU32(file, 4 + 24 + 8 + dataSize);
    PutId(file, "WAVE");
    const Bytes format = Chunk("fmt ", Format(1, 1, 22050, 8));
    PutBytes(file, format.data(), format.size());
    const Bytes data = ChunkClaiming("data", dataSize, samples);
    PutBytes(file, data.data(), data.size());
    return file;
}

class BrokenWaveFileTest : public WaveFileTest, public ::testing::WithParamInterface<BrokenFile> {};

TEST_P(BrokenWaveFileTest, GivesNoSamples) {
    const ReadResult result = Read(GetParam().bytes);
    EXPECT_EQ(result.size, 0);
    EXPECT_FALSE(result.gotBlock);
}

const Bytes kSamples = Sawtooth(500);

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenWaveFileTest,
    ::testing::Values(
        BrokenFile{"Empty", {}},
        BrokenFile{"NotWave",
                   Riff("AVI ", {Chunk("fmt ", Format(1, 1, 22050, 8)), Chunk("data", kSamples)})},
        BrokenFile{"CompressedFormat",
                   Riff("WAVE", {Chunk("fmt ", Format(2, 1, 22050, 4)), Chunk("data", kSamples)})},
        BrokenFile{"FloatFormat",
                   Riff("WAVE", {Chunk("fmt ", Format(3, 1, 22050, 32)), Chunk("data", kSamples)})},
        BrokenFile{"NoFormatChunk", Riff("WAVE", {Chunk("data", kSamples)})},
        BrokenFile{"NoDataChunk", Riff("WAVE", {Chunk("fmt ", Format(1, 1, 22050, 8))})},
        BrokenFile{"DataBeforeFormat",
                   Riff("WAVE", {Chunk("data", kSamples), Chunk("fmt ", Format(1, 1, 22050, 8))})},
        BrokenFile{"FormatCutShort", Truncated(MonoWave(kSamples), 12 + 8 + 10)},
        BrokenFile{"HeaderCutShort", Truncated(MonoWave(kSamples), 10)},
        BrokenFile{"SamplesCutShort", Truncated(MonoWave(kSamples), 12 + 24 + 8 + 499)},
        BrokenFile{"ZeroSizeData", MonoWave({})},
        BrokenFile{"DataClaimsMoreThanTheFile", ClaimingData(100000, kSamples)},
        BrokenFile{"DataClaimsTwoGigabytes", ClaimingData(0x7FFFFFF0u, kSamples)},
        BrokenFile{"DataClaimsFourGigabytes", ClaimingData(0xFFFFFFF0u, kSamples)}),
    [](const ::testing::TestParamInfo<BrokenFile>& param) { return param.param.name; });

}  // namespace
