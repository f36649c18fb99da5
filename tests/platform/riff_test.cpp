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

Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes joined;
    for (const Bytes& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

// An identifier and a size field, whatever follows.
Bytes Header(const char* id, uint32_t size) {
    Bytes bytes(id, id + 4);
    for (int shift = 0; shift < 32; shift += 8) {
        bytes.push_back(static_cast<uint8_t>(size >> shift));
    }
    return bytes;
}

// A chunk as stored: identifier, size, data, and a pad byte after odd data.
Bytes Chunk(const char* id, const Bytes& data) {
    Bytes bytes = Cat({Header(id, static_cast<uint32_t>(data.size())), data});
    if (data.size() % 2 != 0) {
        bytes.push_back(0xEE);
    }
    return bytes;
}

Bytes Form(const char* id, const char* formType, std::initializer_list<Bytes> chunks) {
    return Chunk(id, Cat({Bytes(formType, formType + 4), Cat(chunks)}));
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
        Close();
        std::remove(path_.c_str());
    }

    void Open(const Bytes& contents) {
        Close();
        path_ = testing::TempDir() + "riff_test_" +
                testing::UnitTest::GetInstance()->current_test_info()->name() + ".bin";
        FILE* out = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        ASSERT_EQ(std::fwrite(contents.data(), 1, contents.size(), out), contents.size());
        std::fclose(out);
        file_ = RiffOpen(path_.c_str(), RIFF_READ | RIFF_ALLOCBUF);
        ASSERT_NE(file_, nullptr);
    }

    void Close() {
        if (file_ != nullptr) {
            EXPECT_EQ(RiffClose(file_, 0), RIFF_OK);
            file_ = nullptr;
        }
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
        const int32_t got = RiffRead(file_, bytes.data(), count);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }

    std::string path_;
    RiffFile file_ = nullptr;
    ChunkInfo form_;
    ChunkInfo chunk_;
};

TEST_F(RiffTest, ReadsAWaveFileTheWayTheGameDoes) {
    const Bytes format = Sequence(16, 1);
    const Bytes samples = Sequence(5, 100);
    Open(Form("RIFF", "WAVE", {Chunk("fmt ", format), Chunk("data", samples)}));

    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    EXPECT_EQ(form_.id, MakeFourCC('R', 'I', 'F', 'F'));
    EXPECT_EQ(form_.dataOffset, 12u);
    EXPECT_EQ(form_.size, 4u + 24u + 14u);
    ASSERT_EQ(FindChunk(&chunk_, kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 16u);
    EXPECT_EQ(chunk_.dataOffset, 20u);
    // Eighteen bytes from a sixteen-byte chunk: the read runs on into the next.
    const Bytes eighteen = Read(18);
    EXPECT_EQ(eighteen, Cat({format, Bytes{'d', 'a'}}));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk_, kData, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 5u);
    EXPECT_EQ(Read(5), samples);
}

// Searches and plain descents go on from where the last chunk was left,
// over the pad byte behind odd data.
TEST_F(RiffTest, ChunksAreFoundInOrderFromTheCurrentPosition) {
    Open(Form(
        "RIFF", "WAVE",
        {Chunk("odd ", {1, 2, 3}), Chunk("fmt ", Sequence(16, 0)), Chunk("LIST", Sequence(9, 0)),
         Chunk("data", Sequence(4, 50)), Chunk("data", Sequence(2, 80))}));
    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    ASSERT_EQ(RiffDescend(file_, &chunk_, &form_, 0), RIFF_OK);
    EXPECT_EQ(chunk_.id, MakeFourCC('o', 'd', 'd', ' '));
    EXPECT_EQ(chunk_.size, 3u);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(RiffDescend(file_, &chunk_, &form_, 0), RIFF_OK);
    EXPECT_EQ(chunk_.id, kFmt);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);

    ASSERT_EQ(FindChunk(&chunk_, kData, &form_), RIFF_OK);
    EXPECT_EQ(Read(4), Sequence(4, 50));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk_, kData, &form_), RIFF_OK);
    EXPECT_EQ(Read(2), Sequence(2, 80));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    // The format chunk lies behind: a search from here does not find it.
    EXPECT_EQ(FindChunk(&chunk_, kFmt, &form_), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, ASearchNeverLeavesItsParent) {
    // The form's size covers only the format chunk; a data chunk follows it.
    Open(Cat({Form("RIFF", "WAVE", {Chunk("fmt ", Sequence(16, 0))}), Chunk("data", {1, 2})}));
    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    ChunkInfo data;
    EXPECT_EQ(FindChunk(&data, kData, &form_), RIFFERR_CHUNKNOTFOUND);
    // A failed search leaves the position where it was.
    ASSERT_EQ(FindChunk(&chunk_, kFmt, &form_), RIFF_OK);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    EXPECT_EQ(FindChunk(&data, kData, &form_), RIFFERR_CHUNKNOTFOUND);
    // Without a parent the search runs on to the end of the file.
    EXPECT_EQ(FindChunk(&data, kData, nullptr), RIFF_OK);
    EXPECT_EQ(Read(2), (Bytes{1, 2}));
}

TEST_F(RiffTest, FindsOnlyARiffFormOfTheWantedType) {
    Open(Cat({Form("LIST", "WAVE", {Chunk("fake", {})}), Form("RIFF", "AVI ", {Chunk("fake", {})}),
              Form("RIFF", "WAVE", {Chunk("real", {})})}));
    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    EXPECT_EQ(form_.dataOffset, 20u + 20u + 12u);
    ASSERT_EQ(RiffDescend(file_, &chunk_, &form_, 0), RIFF_OK);
    EXPECT_EQ(chunk_.id, MakeFourCC('r', 'e', 'a', 'l'));
    ASSERT_EQ(RiffAscend(file_, &form_, 0), RIFF_OK);
    EXPECT_EQ(FindWave(&form_), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, SizesThatLieOrRunPastTheEndStopSafely) {
    // Empty chunks do not stall a search; one claiming nearly 4 GiB ends it.
    Open(Form("RIFF", "WAVE",
              {Chunk("none", {}), Chunk("none", {}), Chunk("fmt ", {}), Header("junk", 0xFFFFFFF0u),
               Chunk("data", {5})}));
    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk_, kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 0u);
    EXPECT_EQ(FindChunk(&chunk_, kData, &form_), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(FindChunk(&chunk_, kData, nullptr), RIFFERR_CHUNKNOTFOUND);

    // A chunk longer than the file gives what there is.
    Open(Form("RIFF", "WAVE", {Header("data", 1000), Sequence(10, 0)}));
    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk_, kData, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 1000u) << "the size is reported as stored";
    EXPECT_EQ(Read(1000).size(), 10u);
    EXPECT_EQ(Read(4).size(), 0u);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    EXPECT_EQ(Read(4).size(), 0u);
    EXPECT_EQ(FindChunk(&chunk_, kData, nullptr), RIFFERR_CHUNKNOTFOUND);

    // A header cut short is no chunk.
    Open(Bytes{'R', 'I', 'F', 'F', 30, 0});
    EXPECT_EQ(FindWave(&form_), RIFFERR_CHUNKNOTFOUND);
    EXPECT_NE(RiffDescend(file_, &form_, nullptr, 0), RIFF_OK);
}

TEST_F(RiffTest, ReadsLargerThanTheBufferAndJumpsBetweenThemAgree) {
    Bytes big(40000);
    for (size_t i = 0; i < big.size(); ++i) {
        big[i] = static_cast<uint8_t>(i * 7 + i / 251);
    }
    Open(Form("RIFF", "WAVE", {Chunk("big ", big), Chunk("tail", {1, 2, 3, 4})}));
    ASSERT_EQ(FindWave(&form_), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk_, MakeFourCC('b', 'i', 'g', ' '), &form_), RIFF_OK);
    Bytes got;
    for (int32_t piece : {1, 3, 8191, 8192, 8193, 5000, 10420}) {
        got = Cat({got, Read(piece)});
    }
    EXPECT_EQ(got, big);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(FindChunk(&chunk_, MakeFourCC('t', 'a', 'i', 'l'), &form_), RIFF_OK);
    EXPECT_EQ(Read(4), (Bytes{1, 2, 3, 4}));
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
    const Bytes good = Form("RIFF", "WAVE",
                            {Chunk("fmt ", Sequence(16, 1)), Chunk("LIST", Sequence(9, 0)),
                             Chunk("data", Sequence(33, 0))});
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = good;
        if (round % 3 == 0) {
            damaged.resize(random() % (good.size() + 1));
        }
        const int changes = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < changes && !damaged.empty(); ++i) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        Open(damaged);
        if (FindWave(&form_) != RIFF_OK || FindChunk(&chunk_, kFmt, &form_) != RIFF_OK) {
            continue;
        }
        Read(18);
        RiffAscend(file_, &chunk_, 0);
        if (FindChunk(&chunk_, kData, &form_) == RIFF_OK) {
            EXPECT_LE(Read(static_cast<int32_t>(std::min<uint32_t>(chunk_.size, 4096))).size(),
                      damaged.size());
        }
    }
}

}  // namespace
}  // namespace platform
