// Reading RIFF files: finding the form and its chunks, reading and stepping
// back out, and surviving files that lie about their sizes.
#include "platform/riff.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace platform {
namespace {

using Bytes = std::vector<uint8_t>;

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
    return Bytes{static_cast<uint8_t>(id[0]),      static_cast<uint8_t>(id[1]),
                 static_cast<uint8_t>(id[2]),      static_cast<uint8_t>(id[3]),
                 static_cast<uint8_t>(size),       static_cast<uint8_t>(size >> 8),
                 static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
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
        bytes[i] = static_cast<uint8_t>(first + i * 7 + i / 251);
    }
    return bytes;
}

class RiffTest : public testing::Test {
protected:
    void TearDown() override {
        Open({});
        std::remove(path_.c_str());
    }

    // Closes the file open before, and opens one of these contents.
    void Open(const Bytes& contents) {
        if (file_ != nullptr) {
            EXPECT_EQ(RiffClose(file_, 0), RIFF_OK);
            file_ = nullptr;
        }
        if (contents.empty()) {
            return;
        }
        FILE* out = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(out, nullptr);
        std::fwrite(contents.data(), 1, contents.size(), out);
        std::fclose(out);
        file_ = RiffOpen(path_.c_str(), RIFF_READ | RIFF_ALLOCBUF);
        ASSERT_NE(file_, nullptr);
    }

    RiffResult FindWave() {
        form_.formType = MakeFourCC('W', 'A', 'V', 'E');
        return RiffDescend(file_, &form_, nullptr, RIFF_FINDRIFF);
    }

    RiffResult Find(FourCC id, const ChunkInfo* parent) {
        chunk_.id = id;
        return RiffDescend(file_, &chunk_, parent, RIFF_FINDCHUNK);
    }

    Bytes Read(int32_t count) {
        Bytes bytes(static_cast<size_t>(count));
        const int32_t got = RiffRead(file_, bytes.data(), count);
        bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
        return bytes;
    }

    std::string path_ = testing::TempDir() + "riff_test.bin";
    RiffFile file_ = nullptr;
    ChunkInfo form_;
    ChunkInfo chunk_;
};

// Only a RIFF form of the wanted type is taken; a search goes on from where
// the last chunk was left, over the pad byte behind odd data, and never past
// the end of its parent.
TEST_F(RiffTest, FindsChunksInOrderWithinTheirForm) {
    const Bytes format = Sequence(16, 1);
    const Bytes odd = Sequence(20001, 0);
    Open(Cat({Form("LIST", "WAVE", {Chunk("fake", {})}), Form("RIFF", "AVI ", {Chunk("fake", {})}),
              Form("RIFF", "WAVE",
                   {Chunk("odd ", odd), Chunk("fmt ", format), Chunk("data", {4, 5}),
                    Chunk("data", {6})}),
              Chunk("tail", {7, 8})}));
    ASSERT_EQ(FindWave(), RIFF_OK);
    EXPECT_EQ(form_.dataOffset, 20u + 20u + 12u);
    EXPECT_EQ(form_.size, 4u + 20010u + 24u + 10u + 10u);
    ASSERT_EQ(RiffDescend(file_, &chunk_, &form_, 0), RIFF_OK);
    EXPECT_EQ(chunk_.id, MakeFourCC('o', 'd', 'd', ' '));
    Bytes got;  // in pieces smaller and larger than the reader's buffer
    for (int32_t piece : {1, 8191, 8192, 3617}) {
        got = Cat({got, Read(piece)});
    }
    EXPECT_EQ(got, odd);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 16u);
    EXPECT_EQ(chunk_.dataOffset, 52u + 20010u + 8u);
    // Eighteen bytes from a sixteen-byte chunk: the read runs on into the next.
    EXPECT_EQ(Read(18), Cat({format, Bytes{'d', 'a'}}));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    EXPECT_EQ(Find(MakeFourCC('t', 'a', 'i', 'l'), &form_), RIFFERR_CHUNKNOTFOUND)
        << "it lies beyond the form; the failed search leaves the position";
    ASSERT_EQ(Find(kData, &form_), RIFF_OK);
    EXPECT_EQ(Read(2), (Bytes{4, 5}));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(Find(kData, &form_), RIFF_OK);
    EXPECT_EQ(Read(1), (Bytes{6}));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    EXPECT_EQ(Find(kFmt, &form_), RIFFERR_CHUNKNOTFOUND) << "it lies behind";
    EXPECT_EQ(Find(MakeFourCC('t', 'a', 'i', 'l'), nullptr), RIFF_OK) << "no parent, no bound";
    EXPECT_EQ(Read(2), (Bytes{7, 8}));
    ASSERT_EQ(RiffAscend(file_, &form_, 0), RIFF_OK);
    EXPECT_EQ(FindWave(), RIFFERR_CHUNKNOTFOUND);
}

TEST_F(RiffTest, SizesThatLieOrRunPastTheEndStopSafely) {
    // Empty chunks do not stall a search; one claiming nearly 4 GiB ends it.
    Open(Form(
        "RIFF", "WAVE",
        {Chunk("none", {}), Chunk("fmt ", {}), Header("junk", 0xFFFFFFF0u), Chunk("data", {5})}));
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 0u);
    EXPECT_EQ(Find(kData, &form_), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(Find(kData, nullptr), RIFFERR_CHUNKNOTFOUND);

    // A chunk longer than the file gives what there is.
    Open(Form("RIFF", "WAVE", {Header("data", 1000), Sequence(10, 0)}));
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(kData, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 1000u) << "the size is reported as stored";
    EXPECT_EQ(Read(1000).size(), 10u);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    EXPECT_EQ(Read(4).size(), 0u);
    EXPECT_EQ(Find(kData, nullptr), RIFFERR_CHUNKNOTFOUND);

    // A header cut short is no chunk.
    Open(Bytes{'R', 'I', 'F', 'F', 30, 0});
    EXPECT_EQ(FindWave(), RIFFERR_CHUNKNOTFOUND);
    EXPECT_NE(RiffDescend(file_, &form_, nullptr, 0), RIFF_OK);

    EXPECT_EQ(RiffOpen(testing::TempDir().c_str(), RIFF_READ | RIFF_ALLOCBUF), nullptr);
    EXPECT_EQ(RiffOpen(path_.c_str(), 0x0001 /* write */), nullptr);
}

// Random damage to a good file, put through the steps the game takes: nothing
// may read outside memory or hang.
TEST_F(RiffTest, SurvivesDamagedFiles) {
    const Bytes good = Form("RIFF", "WAVE",
                            {Chunk("fmt ", Sequence(16, 1)), Chunk("LIST", Sequence(9, 0)),
                             Chunk("data", Sequence(33, 0))});
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = good;
        if (round % 3 == 0) {
            damaged.resize(1 + random() % good.size());
        }
        for (int i = 0, changes = 1 + static_cast<int>(random() % 6); i < changes; ++i) {
            damaged[random() % damaged.size()] = static_cast<uint8_t>(random());
        }
        Open(damaged);
        if (FindWave() != RIFF_OK || Find(kFmt, &form_) != RIFF_OK) {
            continue;
        }
        Read(18);
        RiffAscend(file_, &chunk_, 0);
        if (Find(kData, &form_) == RIFF_OK) {
            EXPECT_LE(Read(static_cast<int32_t>(std::min<uint32_t>(chunk_.size, 4096))).size(),
                      damaged.size());
        }
    }
}

}  // namespace
}  // namespace platform
