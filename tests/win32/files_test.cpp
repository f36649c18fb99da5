// Files and RIFF chunks through the system's file handles and multimedia
// reader, on the game's own wave files in the run folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/result.h"
#include "platform/riff.h"
#include "platform/win32/win32_windows_api.h"

namespace {

using namespace platform;

FileHandle Open(const char* name) {
    return OpenFile(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

TEST(FilesTest, OnlyExistingFilesOnDiskOpenAndARefusalSaysWhy) {
    EXPECT_EQ(Open("no such file.bmp"), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "no such file");
    EXPECT_EQ(Open("."), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "it is a folder, not a file");
    EXPECT_EQ(Open("NUL"), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "not a regular file");
}

TEST(FilesTest, AReadPastTheEndSucceedsWithWhatArrived) {
    FileHandle file = Open("crunch.wav");
    ASSERT_NE(file, kInvalidFile);
    uint8_t header[12] = {};
    uint32_t arrived = 0;
    ASSERT_TRUE(ReadFile(file, header, sizeof header, &arrived));
    EXPECT_EQ(arrived, sizeof header);
    EXPECT_EQ(header[0], 'R');
    static uint8_t rest[1 << 20];
    ASSERT_TRUE(ReadFile(file, rest, sizeof rest, &arrived));
    EXPECT_GT(arrived, 0u);
    EXPECT_LT(arrived, sizeof rest);
    ASSERT_TRUE(ReadFile(file, rest, sizeof rest, &arrived));
    EXPECT_EQ(arrived, 0u);
    EXPECT_TRUE(CloseFile(file));
}

TEST(RiffTest, FindsTheWaveFormAndItsChunksAndSaysWhenOneIsMissing) {
    RiffFile file = RiffOpen("crunch.wav", RIFF_READ | RIFF_ALLOCBUF);
    ASSERT_NE(file, nullptr);
    ChunkInfo form{};
    form.formType = MakeFourCC('W', 'A', 'V', 'E');
    ASSERT_EQ(RiffDescend(file, &form, nullptr, RIFF_FINDRIFF), RIFF_OK);
    EXPECT_EQ(form.dataOffset, 8u) << "a form's data begins with its type";

    ChunkInfo format{};
    format.id = MakeFourCC('f', 'm', 't', ' ');
    ASSERT_EQ(RiffDescend(file, &format, &form, RIFF_FINDCHUNK), RIFF_OK);
    uint8_t fields[16] = {};
    ASSERT_EQ(RiffRead(file, fields, sizeof fields), 16);
    EXPECT_EQ(fields[0] | (fields[1] << 8), 1);
    ASSERT_EQ(RiffAscend(file, &format, 0), RIFF_OK);

    ChunkInfo data{};
    data.id = MakeFourCC('d', 'a', 't', 'a');
    ASSERT_EQ(RiffDescend(file, &data, &form, RIFF_FINDCHUNK), RIFF_OK);
    EXPECT_GT(data.size, 0u);
    ASSERT_EQ(RiffAscend(file, &data, 0), RIFF_OK);

    ChunkInfo missing{};
    missing.id = MakeFourCC('z', 'z', 'z', 'z');
    EXPECT_EQ(RiffDescend(file, &missing, &form, RIFF_FINDCHUNK), RIFFERR_CHUNKNOTFOUND);
    EXPECT_EQ(RiffClose(file, 0), RIFF_OK);
}

// A RIFF form of the given length whose chunks after the format are all
// zeros: empty chunks eight bytes apart. The zeros take no room on disk.
std::string ZeroFilledWave(const char* name, uint64_t length) {
    const uint8_t head[] = {'R', 'I', 'F', 'F', 0xF0, 0xFF, 0xFF, 0xFF, 'W', 'A', 'V', 'E'};
    std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(head), sizeof head);
    std::filesystem::resize_file(name, length);
    return name;
}

// The work of a search is measured by how far into the file it went: over
// zeros it gives up after a bounded number of chunks, and a file larger than
// any sound is refused before it is searched at all.
TEST(RiffTest, SearchesThroughZeroFilledFilesGoOnlyAFewChunksIn) {
    EXPECT_EQ(RiffOpen(ZeroFilledWave("huge.wav", uint64_t{4} << 30).c_str(), RIFF_READ), nullptr);
    EXPECT_STREQ(LastErrorText(), kRiffFileTooLarge);
    EXPECT_EQ(RiffOpen("NUL", RIFF_READ), nullptr);

    RiffFile file = RiffOpen(ZeroFilledWave("zeros.wav", kLargestRiffFile).c_str(), RIFF_READ);
    ASSERT_NE(file, nullptr);
    ChunkInfo form{};
    form.formType = MakeFourCC('W', 'A', 'V', 'E');
    ASSERT_EQ(RiffDescend(file, &form, nullptr, RIFF_FINDRIFF), RIFF_OK);
    ChunkInfo data{};
    data.id = MakeFourCC('d', 'a', 't', 'a');
    EXPECT_EQ(RiffDescend(file, &data, &form, RIFF_FINDCHUNK), RIFFERR_CHUNKNOTFOUND);
    const LONG reached = mmioSeek(reinterpret_cast<HMMIO>(file), 0, SEEK_CUR);
    EXPECT_LE(reached, 12 + 8 * static_cast<LONG>(kMostChunksPerSearch));
    EXPECT_EQ(RiffClose(file, 0), RIFF_OK);
    std::filesystem::remove("huge.wav");
    std::filesystem::remove("zeros.wav");
}

}  // namespace
