// Files and RIFF chunks through the system's file handles and multimedia
// reader, on the game's own wave files in the run folder.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/files.h"
#include "platform/riff.h"

namespace {

using namespace platform;

FileHandle Open(const char* name) {
    return OpenFile(name, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

TEST(FilesTest, OnlyExistingFilesOnDiskOpen) {
    EXPECT_EQ(Open("no such file.bmp"), kInvalidFile);
    EXPECT_EQ(Open("."), kInvalidFile);
    EXPECT_EQ(Open("NUL"), kInvalidFile);
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

}  // namespace
