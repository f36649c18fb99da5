// Files and RIFF chunks on every driver: only existing files on a disk open,
// reads stop at the end, chunks are found in order within their form, and
// files that lie about their sizes end a search soon.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/result.h"
#include "platform/riff.h"
#include "tests/audio/wave_writer.h"
#include "tests/contract/contract_shim.h"

namespace platform {
namespace {

using namespace wave_test;

constexpr FourCC kFmt = MakeFourCC('f', 'm', 't', ' ');
constexpr FourCC kData = MakeFourCC('d', 'a', 't', 'a');
constexpr FourCC kTail = MakeFourCC('t', 'a', 'i', 'l');
// A device among the files, which no data file may be.
#ifdef _WIN32
constexpr const char* kDevice = "NUL";
#else
constexpr const char* kDevice = "/dev/null";
#endif

FileHandle Open(const std::string& path) {
    return OpenFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL);
}

TEST(Files, OnlyExistingFilesOnADiskOpenAndReadsStopAtTheEnd) {
    const std::string path = WriteWave("files_test.bmp", {'0', '1', '2', '3', '4', '5', '6', '7'});
    EXPECT_EQ(Open(path + ".missing"), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "no such file");
    EXPECT_EQ(Open(std::filesystem::path(path).parent_path().string()), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "it is a folder, not a file");
    EXPECT_EQ(Open(kDevice), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "not a regular file");

    FileHandle file = Open(path);
    ASSERT_NE(file, kInvalidFile);
    char got[16] = {};
    uint32_t count = 0;
    ASSERT_TRUE(ReadFile(file, got, 4, &count));
    ASSERT_TRUE(ReadFile(file, got + 4, 12, &count));
    EXPECT_EQ(count, 4u);
    EXPECT_STREQ(got, "01234567");
    ASSERT_TRUE(ReadFile(file, got, 12, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_TRUE(CloseFile(file));
}

class RiffFiles : public testing::Test {
protected:
    void TearDown() override {
        if (file_ != nullptr) {
            EXPECT_EQ(RiffClose(file_, 0), RIFF_OK);
            file_ = nullptr;
        }
    }
    void Open(const std::string& path) {
        TearDown();
        file_ = RiffOpen(path.c_str(), RIFF_READ | RIFF_ALLOCBUF);
        ASSERT_NE(file_, nullptr) << LastErrorText();
    }
    RiffResult FindWave() {
        form_.formType = MakeFourCC('W', 'A', 'V', 'E');
        return RiffDescend(file_, &form_, nullptr, RIFF_FINDRIFF);
    }
    RiffResult Find(FourCC id, const ChunkInfo* parent) {
        chunk_.id = id;
        return RiffDescend(file_, &chunk_, parent, RIFF_FINDCHUNK);
    }
    wave_test::Bytes Read(int32_t count) {
        wave_test::Bytes bytes(static_cast<size_t>(count));
        bytes.resize(static_cast<size_t>(std::max(RiffRead(file_, bytes.data(), count), 0)));
        return bytes;
    }

    RiffFile file_ = nullptr;
    ChunkInfo form_;
    ChunkInfo chunk_;
};

// Only a RIFF form of the wanted type is taken; a search goes on from where
// the last chunk was left, over the pad byte behind odd data, and never past
// the end of its parent; reads run on past the end of a chunk.
TEST_F(RiffFiles, FindsChunksInOrderWithinTheirForm) {
    const wave_test::Bytes format = Sawtooth(16);
    const wave_test::Bytes odd = Sawtooth(20001, 251);
    Open(WriteWave(
        "riff_test.bin",
        Cat({Chunk("LIST", Cat({wave_test::Bytes{'W', 'A', 'V', 'E'}, Chunk("fake", {})})),
             Riff("AVI ", {Chunk("fake", {})}),
             Riff("WAVE", {Chunk("odd ", odd), Chunk("fmt ", format), Chunk("data", {4, 5})}),
             Chunk("tail", {7, 8})})));
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(MakeFourCC('o', 'd', 'd', ' '), &form_), RIFF_OK);
    wave_test::Bytes got;  // in pieces smaller and larger than a reader's buffer
    for (int32_t piece : {1, 8191, 8192, 3617}) {
        got = Cat({got, Read(piece)});
    }
    EXPECT_EQ(got, odd);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 16u);
    // Eighteen bytes from a sixteen-byte chunk: the read runs on into the next.
    EXPECT_EQ(Read(18), Cat({format, wave_test::Bytes{'d', 'a'}}));
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    EXPECT_EQ(Find(kTail, &form_), RIFFERR_CHUNKNOTFOUND) << "it lies beyond the form";
    ASSERT_EQ(Find(kData, &form_), RIFF_OK);
    EXPECT_EQ(Read(2), (wave_test::Bytes{4, 5}));
    EXPECT_EQ(RiffOpen("no such file.wav", RIFF_READ), nullptr);
    EXPECT_STREQ(LastErrorText(), "no such file");
}

// A file of the given length that holds head and then zeros; the zeros take
// no room on disk.
std::string SparseFile(const char* name, const wave_test::Bytes& head, uint64_t length) {
    const std::string path = WriteWave(name, head);
    std::filesystem::resize_file(path, length);
    return path;
}

// Empty chunks do not stall a search, nor does one claiming nearly 4 GiB; over
// a zero-filled file, where every eight bytes make an empty chunk, a search
// gives up after a bounded number of chunks, and a file past the largest
// sound is refused before it is searched at all.
TEST_F(RiffFiles, SizesThatLieEndTheSearchSoon) {
    Open(
        WriteWave("riff_test.bin",
                  Riff("WAVE", {Chunk("none", {}), Chunk("fmt ", {}),
                                Cat({wave_test::Bytes{'j', 'u', 'n', 'k'}, Little(0xFFFFFFF0u, 4)}),
                                Chunk("data", {5})})));
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    EXPECT_EQ(chunk_.size, 0u);
    EXPECT_EQ(Find(kData, &form_), RIFFERR_CHUNKNOTFOUND);

    const wave_test::Bytes head = Cat({wave_test::Bytes{'R', 'I', 'F', 'F'}, Little(0xFFFFFFF0u, 4),
                                       wave_test::Bytes{'W', 'A', 'V', 'E'}, Format(1, 1, 8)});
    // Past 32 bits, where a length kept in 32 bits would read as empty; the
    // browser build's tests run where a file cannot be made that long.
#ifdef __EMSCRIPTEN__
    constexpr uint64_t kHuge = uint64_t{1} << 30;
#else
    constexpr uint64_t kHuge = uint64_t{4} << 30;
#endif
    EXPECT_EQ(RiffOpen(SparseFile("huge.wav", head, kHuge).c_str(), RIFF_READ), nullptr);
    EXPECT_STREQ(LastErrorText(), kRiffFileTooLarge);
    Open(SparseFile("zeros.wav", head, kLargestRiffFile));
    ASSERT_EQ(FindWave(), RIFF_OK);
    ASSERT_EQ(Find(kFmt, &form_), RIFF_OK);
    ASSERT_EQ(RiffAscend(file_, &chunk_, 0), RIFF_OK);
    const uint64_t before = contract::RiffWork(file_);
    EXPECT_EQ(Find(kData, &form_), RIFFERR_CHUNKNOTFOUND);
    EXPECT_LE(contract::RiffWork(file_) - before, 8u * 8192u);
    std::filesystem::remove(SparseFile("huge.wav", {}, 0));
}

}  // namespace
}  // namespace platform
