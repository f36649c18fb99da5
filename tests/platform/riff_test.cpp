// Reading RIFF files: finding the form and its chunks, reading and stepping
// back out, and stopping safely in files that lie about their sizes.
#include "platform/riff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/emulated/emulated_file_source.h"
#include "platform/result.h"
#include "tests/audio/wave_writer.h"

namespace platform {
namespace {

using namespace wave_test;

constexpr FourCC kFmt = MakeFourCC('f', 'm', 't', ' ');
constexpr FourCC kData = MakeFourCC('d', 'a', 't', 'a');
constexpr FourCC kTail = MakeFourCC('t', 'a', 'i', 'l');

class RiffTest : public testing::Test {
protected:
    void TearDown() override {
        if (file_ != nullptr) {
            EXPECT_EQ(RiffClose(file_, 0), RIFF_OK);
            file_ = nullptr;
        }
    }

    void Open(const Bytes& contents) {
        TearDown();
        file_ = RiffOpen(WriteWave("riff_test.bin", contents).c_str(), RIFF_READ | RIFF_ALLOCBUF);
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
        bytes.resize(static_cast<size_t>(std::max(RiffRead(file_, bytes.data(), count), 0)));
        return bytes;
    }

    RiffFile file_ = nullptr;
    ChunkInfo form_;
    ChunkInfo chunk_;
};

// Only a RIFF form of the wanted type is taken; a search goes on from where
// the last chunk was left, over the pad byte behind odd data, and never past
// the end of its parent.
TEST_F(RiffTest, FindsChunksInOrderWithinTheirForm) {
    const Bytes format = Sawtooth(16);
    const Bytes odd = Sawtooth(20001, 251);
    Open(Cat({Chunk("LIST", Cat({Bytes{'W', 'A', 'V', 'E'}, Chunk("fake", {})})),
              Riff("AVI ", {Chunk("fake", {})}),
              Riff("WAVE", {Chunk("odd ", odd), Chunk("fmt ", format), Chunk("data", {4, 5}),
                            Chunk("data", {6})}),
              Chunk("tail", {7, 8})}));
    ASSERT_EQ(FindWave(), RIFF_OK);
    EXPECT_EQ(form_.dataOffset, 20u + 20u + 8u) << "a form's data begins with its type";
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
    EXPECT_EQ(Find(kTail, &form_), RIFFERR_CHUNKNOTFOUND)
        << "it lies beyond the form; the failed search leaves the position";
    for (const Bytes& first : {Bytes{4}, Bytes{6}}) {
        ASSERT_EQ(Find(kData, &form_), RIFF_OK);
        EXPECT_EQ(Read(1), first);
        ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    }
    EXPECT_EQ(Find(kFmt, &form_), RIFFERR_CHUNKNOTFOUND) << "it lies behind";
    EXPECT_EQ(Find(kTail, nullptr), RIFF_OK) << "no parent, no bound";
    EXPECT_EQ(Read(2), (Bytes{7, 8}));
    ASSERT_EQ(RiffAscend(file_, &form_, 0), RIFF_OK);
    EXPECT_EQ(FindWave(), RIFFERR_CHUNKNOTFOUND);
}

// Empty chunks do not stall a search; one claiming nearly 4 GiB ends it. Files
// cut short or longer chunks are read through the wave file tests.
TEST_F(RiffTest, SizesThatLieStopTheSearchAndOnlyFilesOpen) {
    Open(Riff("WAVE",
              {Chunk("none", {}), Chunk("fmt ", {}),
               Cat({Bytes{'j', 'u', 'n', 'k'}, Little(0xFFFFFFF0u, 4)}), Chunk("data", {5})}));
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 0u);
    EXPECT_EQ(Find(kData, &form_), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(Find(kData, nullptr), RIFFERR_CHUNKNOTFOUND);

    EXPECT_EQ(RiffOpen(testing::TempDir().c_str(), RIFF_READ | RIFF_ALLOCBUF), nullptr);
    EXPECT_EQ(RiffOpen(WriteWave("riff_test.bin", {}).c_str(), 0x0001 /* write */), nullptr);
}

// A file of the given length that holds head and then zeros; the zeros take
// no room on disk.
std::string SparseFile(const char* name, const Bytes& head, uint64_t length) {
    const std::string path = WriteWave(name, head);
    std::filesystem::resize_file(path, length);
    return path;
}

// The work of a search is counted in reads of the file, not in time: over a
// zero-filled file, where every eight bytes make an empty chunk, it stops
// after a bounded number of chunks instead of walking the file to its end,
// and a file past the largest sound is refused before a byte of it is read.
TEST_F(RiffTest, SearchesThroughZeroFilledFilesReadOnlyTheirFirstBlocks) {
    const Bytes head = Cat({Bytes{'R', 'I', 'F', 'F'}, Little(0xFFFFFFF0u, 4),
                            Bytes{'W', 'A', 'V', 'E'}, Format(1, 1, 8)});
    const uint64_t reads = detail::SourceReads();
    EXPECT_EQ(RiffOpen(SparseFile("huge.wav", head, uint64_t{4} << 30).c_str(), RIFF_READ),
              nullptr);
    EXPECT_EQ(detail::SourceReads(), reads);
    EXPECT_NE(std::string(LastErrorText()).find("larger than 64 MiB"), std::string::npos);
    EXPECT_EQ(RiffOpen(SparseFile("huge.wav", {}, kLargestRiffFile + 1).c_str(), RIFF_READ),
              nullptr);

    file_ = RiffOpen(SparseFile("zeros.wav", head, kLargestRiffFile).c_str(), RIFF_READ);
    ASSERT_NE(file_, nullptr);
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    const uint64_t before = detail::SourceReads();
    EXPECT_EQ(Find(kData, &form_), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(Find(kData, nullptr), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(FindWave(), RIFFERR_CHUNKNOTFOUND);
    EXPECT_LE(detail::SourceReads() - before, 6u);
}

}  // namespace
}  // namespace platform
