#include <gtest/gtest.h>

#include <string>

#include "audio/sound.h"
#include "platform/headless/control.h"
#include "tests/audio/wave_writer.h"

namespace {

using namespace wave_test;

class WaveFileTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Reset(); }

    // The samples ReadWaveFile gives for a file; none, and no block, when it
    // gives no size.
    Bytes Read(const Bytes& file) {
        const std::string path = folder.Write("test.wav", file);
        uint8_t* data = reinterpret_cast<uint8_t*>(&folder);
        const int32_t size = ReadWaveFile(path.c_str(), &data);
        if (size <= 0) {
            EXPECT_EQ(data, nullptr);
            return {};
        }
        Bytes samples(data, data + size);
        delete[] data;
        return samples;
    }

    TempFolder folder;
};

// Any PCM layout is handed on byte for byte, whatever chunks lie between the
// format and the data, and an odd data chunk keeps its pad byte out.
TEST_F(WaveFileTest, GivesTheSamplesOfAnyPcmFile) {
    const Bytes odd = Sawtooth(1001);
    EXPECT_EQ(Read(MonoWave(odd)), odd);
    const Bytes stereo = Sawtooth(800);
    EXPECT_EQ(Read(Riff("WAVE", {Chunk("fmt ", Format(1, 2, 44100, 16)), Chunk("data", stereo)})),
              stereo);
    const Bytes extendedFormat = Cat({Format(1, 1, 22050, 8), Little(0, 2)});
    EXPECT_EQ(Read(Riff("WAVE", {Chunk("fmt ", extendedFormat), Chunk("LIST", Bytes(7, 'x')),
                                 Chunk("data", stereo)})),
              stereo);
    uint8_t* data = nullptr;
    EXPECT_EQ(ReadWaveFile((folder.Write("x", {}) + ".missing").c_str(), &data), 0);
    EXPECT_EQ(data, nullptr);
}

// A file whose RIFF form and data chunk both claim dataSize bytes, but which
// holds only the samples given.
Bytes ClaimingData(uint32_t dataSize, const Bytes& samples) {
    return Cat({Id("RIFF"), Little(4 + 24 + 8 + dataSize, 4), Id("WAVE"),
                Chunk("fmt ", Format(1, 1, 22050, 8)), ChunkClaiming("data", dataSize, samples)});
}

struct BrokenFile {
    const char* name;
    Bytes bytes;
};

void PrintTo(const BrokenFile& file, std::ostream* out) {
    *out << file.name;
}

class BrokenWaveFileTest : public WaveFileTest, public ::testing::WithParamInterface<BrokenFile> {};

TEST_P(BrokenWaveFileTest, GivesNoSamples) {
    EXPECT_EQ(Read(GetParam().bytes), Bytes{});
}

const Bytes kSamples = Sawtooth(500);
const Bytes kFormat = Chunk("fmt ", Format(1, 1, 22050, 8));

INSTANTIATE_TEST_SUITE_P(
    Files, BrokenWaveFileTest,
    ::testing::Values(
        BrokenFile{"Empty", {}},
        BrokenFile{"NotWave", Riff("AVI ", {kFormat, Chunk("data", kSamples)})},
        BrokenFile{"CompressedFormat",
                   Riff("WAVE", {Chunk("fmt ", Format(2, 1, 22050, 4)), Chunk("data", kSamples)})},
        BrokenFile{"FloatFormat",
                   Riff("WAVE", {Chunk("fmt ", Format(3, 1, 22050, 32)), Chunk("data", kSamples)})},
        BrokenFile{"NoFormatChunk", Riff("WAVE", {Chunk("data", kSamples)})},
        BrokenFile{"NoDataChunk", Riff("WAVE", {kFormat})},
        BrokenFile{"DataBeforeFormat", Riff("WAVE", {Chunk("data", kSamples), kFormat})},
        BrokenFile{"FormatCutShort", Truncated(MonoWave(kSamples), 12 + 8 + 10)},
        BrokenFile{"HeaderCutShort", Truncated(MonoWave(kSamples), 10)},
        BrokenFile{"SamplesCutShort", Truncated(MonoWave(kSamples), 12 + 24 + 8 + 499)},
        BrokenFile{"ZeroSizeData", MonoWave({})},
        BrokenFile{"DataClaimsMoreThanTheFile", ClaimingData(100000, kSamples)},
        BrokenFile{"DataClaimsTwoGigabytes", ClaimingData(0x7FFFFFF0u, kSamples)},
        BrokenFile{"DataClaimsFourGigabytes", ClaimingData(0xFFFFFFF0u, kSamples)}),
    [](const ::testing::TestParamInfo<BrokenFile>& file) { return std::string(file.param.name); });

}  // namespace
