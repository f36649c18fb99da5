// Reading RIFF files: finding the form and its chunks, reading and stepping
// back out, and surviving files that lie about their sizes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/riff.h"

namespace platform {
namespace {

using Bytes = std::vector<uint8_t>;

constexpr FourCC kWave = MakeFourCC('W', 'A', 'V', 'E');
constexpr FourCC kFmt = MakeFourCC('f', 'm', 't', ' ');
constexpr FourCC kData = MakeFourCC('d', 'a', 't', 'a');

void Append32(Bytes* bytes, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        bytes->push_back(static_cast<uint8_t>(value >> shift));
    }
}

void AppendId(Bytes* bytes, const char* id) {
    bytes->insert(bytes->end(), id, id + 4);
}

// A chunk as stored: identifier, size, data, and a pad byte after odd data.
Bytes Chunk(const char* id, const Bytes& data) {
    Bytes bytes;
    AppendId(&bytes, id);
    Append32(&bytes, static_cast<uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) {
        bytes.push_back(0xEE);
    }
    return bytes;
}

Bytes Form(const char* id, const char* formType, const Bytes& chunks) {
    Bytes data;
    AppendId(&data, formType);
    data.insert(data.end(), chunks.begin(), chunks.end());
    return Chunk(id, data);
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

Bytes Sequence(size_t count, uint8_t first) {
    Bytes bytes(count);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(first + i);
    }
    return bytes;
}

class RiffTest : public testing::Test {
protected:
    void TearDown() override {
        if (file_ != nullptr) {
            EXPECT_EQ(RiffClose(file_, 0), RIFF_OK);
        }
        std::remove(path_.c_str());
    }

    void Open(const Bytes& contents) {
        path_ = testing::TempDir() + "riff_test_" +
                testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
        FILE* out = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(contents.data(), 1, contents.size(), out), contents.size());
        std::fclose(out);
        file_ = RiffOpen(path_.c_str(), RIFF_READ | RIFF_ALLOCBUF);
        ASSERT_NE(file_, nullptr);
    }

    RiffResult FindWave(ChunkInfo* form) {
        form->formType = kWave;
        return RiffDescend(file_, form, nullptr, RIFF_FINDRIFF);
    }

    RiffResult FindChunk(ChunkInfo* chunk, FourCC id, const ChunkInfo* parent) {
        chunk->id = id;
        return RiffDescend(file_, chunk, parent, RIFF_FINDCHUNK);
    }

    Bytes Read(int32_t count) {
        Bytes bytes(static_cast<size_t>(count));
        int32_t got = RiffRead(file_, bytes.data(), count);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }

    std::string path_;
    RiffFile file_ = nullptr;
};

TEST_F(RiffTest, ReadsAWaveFileTheWayTheGameDoes) {
    Bytes format = Sequence(16, 1);
    Bytes samples = Sequence(5, 100);
    Open(Form("RIFF", "WAVE", Join({Chunk("fmt ", format), Chunk("data", samples)})));

    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    EXPECT_EQ(form.id, MakeFourCC('R', 'I', 'F', 'F'));
    EXPECT_EQ(form.formType, kWave);
    EXPECT_EQ(form.dataOffset, 12u);
    EXPECT_EQ(form.size, 4u + 24u + 14u);

    ChunkInfo fmt;
    ASSERT_EQ(FindChunk(&fmt, kFmt, &form), RIFF_OK);
    EXPECT_EQ(fmt.size, 16u);
    EXPECT_EQ(fmt.dataOffset, 20u);
    // Eighteen bytes from a sixteen-byte chunk: the read runs on into the next.
    Bytes eighteen = Read(18);
    ASSERT_EQ(eighteen.size(), 18u);
    EXPECT_EQ(Bytes(eighteen.begin(), eighteen.begin() + 16), format);
    EXPECT_EQ(eighteen[16], 'd');
    ASSERT_EQ(RiffAscend(file_, &fmt, 0), RIFF_OK);

    ChunkInfo data;
    ASSERT_EQ(FindChunk(&data, kData, &form), RIFF_OK);
    EXPECT_EQ(data.size, 5u);
    EXPECT_EQ(Read(5), samples);
}

TEST_F(RiffTest, ChunksAreFoundInOrderFromTheCurrentPosition) {
    Open(Form("RIFF", "WAVE",
              Join({Chunk("junk", Sequence(7, 0)), Chunk("fmt ", Sequence(16, 0)),
                    Chunk("LIST", Sequence(9, 0)), Chunk("data", Sequence(4, 50)),
                    Chunk("data", Sequence(2, 80))})));
    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    ChunkInfo data;
    ASSERT_EQ(FindChunk(&data, kData, &form), RIFF_OK);
    EXPECT_EQ(Read(4), Sequence(4, 50));
    ASSERT_EQ(RiffAscend(file_, &data, 0), RIFF_OK);
    ASSERT_EQ(FindChunk(&data, kData, &form), RIFF_OK);
    EXPECT_EQ(Read(2), Sequence(2, 80));
    ASSERT_EQ(RiffAscend(file_, &data, 0), RIFF_OK);
    // The format chunk lies behind: a search from here does not find it.
    ChunkInfo fmt;
    EXPECT_EQ(FindChunk(&fmt, kFmt, &form), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, AscendingAnOddChunkSkipsItsPadByte) {
    Open(Form("RIFF", "WAVE", Join({Chunk("odd ", {1, 2, 3}), Chunk("next", {9, 8})})));
    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    ChunkInfo odd;
    ASSERT_EQ(RiffDescend(file_, &odd, &form, 0), RIFF_OK);
    EXPECT_EQ(odd.id, MakeFourCC('o', 'd', 'd', ' '));
    EXPECT_EQ(odd.size, 3u);
    ASSERT_EQ(RiffAscend(file_, &odd, 0), RIFF_OK);
    ChunkInfo next;
    ASSERT_EQ(RiffDescend(file_, &next, &form, 0), RIFF_OK);
    EXPECT_EQ(next.id, MakeFourCC('n', 'e', 'x', 't'));
    EXPECT_EQ(Read(2), (Bytes{9, 8}));
}

TEST_F(RiffTest, ASearchNeverLeavesItsParent) {
    // The form's size covers only the format chunk; a data chunk follows it.
    Open(Join({Form("RIFF", "WAVE", Chunk("fmt ", Sequence(16, 0))), Chunk("data", {1, 2})}));
    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    ChunkInfo data;
    EXPECT_EQ(FindChunk(&data, kData, &form), RIFFERR_CHUNKNOTFOUND);
    // A failed search leaves the position where it was.
    ChunkInfo fmt;
    ASSERT_EQ(FindChunk(&fmt, kFmt, &form), RIFF_OK);
    ASSERT_EQ(RiffAscend(file_, &fmt, 0), RIFF_OK);
    EXPECT_EQ(FindChunk(&data, kData, &form), RIFFERR_CHUNKNOTFOUND);
    // Without a parent the search runs on to the end of the file.
    EXPECT_EQ(FindChunk(&data, kData, nullptr), RIFF_OK);
    EXPECT_EQ(Read(2), (Bytes{1, 2}));
}

TEST_F(RiffTest, FindsOnlyARiffFormOfTheWantedType) {
    Open(Join({Form("LIST", "WAVE", Chunk("fake", {})), Form("RIFF", "AVI ", Chunk("fake", {})),
               Form("RIFF", "WAVE", Chunk("real", {}))}));
    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    EXPECT_EQ(form.dataOffset, 20u + 20u + 12u);
    ChunkInfo inside;
    ASSERT_EQ(RiffDescend(file_, &inside, &form, 0), RIFF_OK);
    EXPECT_EQ(inside.id, MakeFourCC('r', 'e', 'a', 'l'));
    ASSERT_EQ(RiffAscend(file_, &form, 0), RIFF_OK);
    EXPECT_EQ(FindWave(&form), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, LyingSizesEndTheSearchAndEmptyChunksDoNotStallIt) {
    Bytes liar;
    AppendId(&liar, "junk");
    Append32(&liar, 0xFFFFFFF0u);
    Open(Form(
        "RIFF", "WAVE",
        Join({Chunk("none", {}), Chunk("none", {}), Chunk("fmt ", {}), liar, Chunk("data", {5})})));
    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    ChunkInfo chunk;
    ASSERT_EQ(FindChunk(&chunk, kFmt, &form), RIFF_OK);
    EXPECT_EQ(chunk.size, 0u);
    EXPECT_EQ(FindChunk(&chunk, kData, &form), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(FindChunk(&chunk, kData, nullptr), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, AChunkLongerThanTheFileGivesWhatThereIs) {
    Bytes header;
    AppendId(&header, "data");
    Append32(&header, 1000);
    Bytes form = Form("RIFF", "WAVE", Join({header, Sequence(10, 0)}));
    Open(form);
    ChunkInfo wave;
    ASSERT_EQ(FindWave(&wave), RIFF_OK);
    ChunkInfo data;
    ASSERT_EQ(FindChunk(&data, kData, &wave), RIFF_OK);
    EXPECT_EQ(data.size, 1000u) << "the size is reported as stored; the short read shows the rest";
    EXPECT_EQ(Read(1000).size(), 10u);
    EXPECT_EQ(RiffRead(file_, header.data(), 4), 0);
    ASSERT_EQ(RiffAscend(file_, &data, 0), RIFF_OK);
    EXPECT_EQ(RiffRead(file_, header.data(), 4), 0);
    EXPECT_EQ(FindChunk(&data, kData, nullptr), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, ReadsLargerThanTheBufferAndJumpsBetweenThemAgree) {
    Bytes big(40000);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    Open(Form("RIFF", "WAVE", Join({Chunk("big ", big), Chunk("tail", {1, 2, 3, 4})})));
    ChunkInfo form;
    ASSERT_EQ(FindWave(&form), RIFF_OK);
    ChunkInfo chunk;
    ASSERT_EQ(FindChunk(&chunk, MakeFourCC('b', 'i', 'g', ' '), &form), RIFF_OK);
    Bytes got;
    for (int32_t piece : {1, 3, 8191, 8192, 8193, 5000, 10420}) {
        Bytes part = Read(piece);
        got.insert(got.end(), part.begin(), part.end());
    }
    EXPECT_EQ(got, big);
    ASSERT_EQ(RiffAscend(file_, &chunk, 0), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk, MakeFourCC('t', 'a', 'i', 'l'), &form), RIFF_OK);
    EXPECT_EQ(Read(4), (Bytes{1, 2, 3, 4}));
}

TEST_F(RiffTest, ATruncatedHeaderIsNoChunk) {
    Bytes truncated = Form("RIFF", "WAVE", Chunk("fmt ", Sequence(16, 0)));
    truncated.resize(6);
    Open(truncated);
    ChunkInfo form;
    EXPECT_EQ(FindWave(&form), RIFFERR_CHUNKNOTFOUND);
    EXPECT_NE(RiffDescend(file_, &form, nullptr, 0), RIFF_OK);
}

TEST_F(RiffTest, OpensOnlyRegularFilesForReading) {
    EXPECT_EQ(RiffOpen("no such file.wav", RIFF_READ | RIFF_ALLOCBUF), nullptr);
    EXPECT_EQ(RiffOpen(testing::TempDir().c_str(), RIFF_READ | RIFF_ALLOCBUF), nullptr);
    Open(Chunk("data", {1, 2}));
    EXPECT_EQ(RiffOpen(path_.c_str(), 0x0001 /* write */), nullptr);
}

// Random bytes, and random damage to a good file, put through the steps the
// game takes: nothing may read outside memory or hang.
TEST_F(RiffTest, SurvivesDamagedFiles) {
    Bytes good = Form("RIFF", "WAVE",
                      Join({Chunk("fmt ", Sequence(16, 1)), Chunk("LIST", Sequence(9, 0)),
                            Chunk("data", Sequence(33, 0))}));
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = good;
        if (round % 3 == 0) {
            damaged.resize(random() % (good.size() + 1));
        }
        int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes && !damaged.empty(); ++i) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        if (file_ != nullptr) {
            RiffClose(file_, 0);
            file_ = nullptr;
        }
        Open(damaged);
        ChunkInfo form;
        if (FindWave(&form) != RIFF_OK) {
            continue;
        }
        ChunkInfo fmt;
        if (FindChunk(&fmt, kFmt, &form) != RIFF_OK) {
            continue;
        }
        Read(18);
        RiffAscend(file_, &fmt, 0);
        ChunkInfo data;
        if (FindChunk(&data, kData, &form) != RIFF_OK) {
            continue;
        }
        EXPECT_LE(Read(static_cast<int32_t>(std::min<uint32_t>(data.size, 4096))).size(),
                  damaged.size());
    }
}

}  // namespace
}  // namespace platform
