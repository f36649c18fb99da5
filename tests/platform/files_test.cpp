// Reading the game's files: exact counts, the end of the file as a successful
// short read, and only existing regular files opened, only for reading.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace platform {
namespace {

FileHandle Open(const std::string& path, uint32_t access = GENERIC_READ,
                uint32_t disposition = OPEN_EXISTING) {
    return OpenFile(path.c_str(), access, FILE_SHARE_READ, disposition, FILE_ATTRIBUTE_NORMAL);
}

TEST(Files, ReadsGiveWhatWasAskedForUpToTheEnd) {
    const std::string path = ::testing::TempDir() + "files_test.bmp";
    std::vector<uint8_t> bytes(3000);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), out), bytes.size());
    std::fclose(out);
    EXPECT_EQ(Open(path, GENERIC_READ | 0x40000000u), kInvalidFile) << "writing";
    EXPECT_EQ(Open(path, GENERIC_READ, 2 /* create always */), kInvalidFile);
    EXPECT_EQ(Open(path + ".missing"), kInvalidFile);
    EXPECT_EQ(Open(::testing::TempDir()), kInvalidFile) << "a folder is not a file";
    EXPECT_EQ(OpenFile(nullptr, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0), kInvalidFile);

    FileHandle file = Open(path);
    ASSERT_NE(file, kInvalidFile);
    std::vector<uint8_t> got(3010, 0);
    uint32_t count = 0;
    ASSERT_TRUE(ReadFile(file, got.data(), 14, &count));
    EXPECT_EQ(count, 14u);
    ASSERT_TRUE(ReadFile(file, got.data() + 14, 2996, &count));
    EXPECT_EQ(count, 2986u);
    got.resize(3000);
    EXPECT_EQ(got, bytes);
    ASSERT_TRUE(ReadFile(file, got.data(), 8, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(ReadFile(file, nullptr, 1, &count));
    EXPECT_TRUE(CloseFile(file));
    count = 7;
    EXPECT_FALSE(ReadFile(kInvalidFile, got.data(), 1, &count));
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(CloseFile(kInvalidFile));
    std::remove(path.c_str());
}

}  // namespace
}  // namespace platform
