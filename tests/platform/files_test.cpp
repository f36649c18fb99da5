// Game files are opened only when they exist, are regular files and are only
// read; a read at the end of the file succeeds short.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/result.h"
#include "tests/audio/wave_writer.h"
#include "tests/support/scratch_folder.h"

namespace platform {
namespace {

FileHandle Open(const std::string& path, uint32_t access = GENERIC_READ,
                uint32_t disposition = OPEN_EXISTING) {
    return OpenFile(path.c_str(), access, FILE_SHARE_READ, disposition, FILE_ATTRIBUTE_NORMAL);
}

TEST(Files, OnlyExistingFilesOpenOnlyForReadingAndReadsStopAtTheEnd) {
    const std::string path =
        wave_test::WriteWave("files_test.bmp", {'0', '1', '2', '3', '4', '5', '6', '7', '8', '9'});
    EXPECT_EQ(Open(path, GENERIC_READ | 0x40000000u), kInvalidFile) << "writing";
    EXPECT_EQ(Open(path, GENERIC_READ, 2 /* create always */), kInvalidFile);
    EXPECT_EQ(Open(path + ".missing"), kInvalidFile);
    EXPECT_EQ(Open(::testing::TempDir()), kInvalidFile) << "a folder is not a file";

    FileHandle file = Open(path);
    ASSERT_NE(file, kInvalidFile);
    char got[16] = {};
    uint32_t count = 0;
    ASSERT_TRUE(ReadFile(file, got, 4, &count));
    ASSERT_TRUE(ReadFile(file, got + 4, 12, &count));
    EXPECT_EQ(count, 6u);
    EXPECT_STREQ(got, "0123456789");
    EXPECT_TRUE(CloseFile(file));
    count = 7;
    EXPECT_FALSE(ReadFile(kInvalidFile, got, 1, &count));
    EXPECT_EQ(count, 0u);
}

// A named pipe where a data file should be is refused at once: opened the
// usual way it would wait for ever for someone to write to it.
TEST(Files, ANamedPipeIsRefusedWithoutWaitingForAWriter) {
    if (!test_support::CanMakeNamedPipes()) {
        GTEST_SKIP() << "this system keeps no named pipes among its files";
    }
    const std::string path = wave_test::WriteWave("pipe.bmp", {});
    std::filesystem::remove(path);
    ASSERT_TRUE(test_support::MakeNamedPipe(path));
    EXPECT_EQ(Open(path), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "not a regular file");
    std::filesystem::remove(path);
    EXPECT_EQ(Open(path), kInvalidFile);
    EXPECT_STREQ(LastErrorText(), "no such file");
}

}  // namespace
}  // namespace platform
