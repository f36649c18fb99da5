// Reading the game's files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/result.h"

namespace platform {
namespace {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(folder_); }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string MakeFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    static FileHandle Open(const std::string& path) {
        return OpenFile(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                        FILE_ATTRIBUTE_NORMAL);
    }

    const std::filesystem::path folder_ =
        std::filesystem::temp_directory_path() / ("files_test_" + std::to_string(::getpid()));
};

// Reads come in the exact counts asked for; the end of the file is a
// successful short read.
TEST_F(FilesTest, ReadsGiveWhatWasAskedForUpToTheEnd) {
    std::vector<uint8_t> bytes(3000);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    FileHandle file = Open(MakeFile("picture.bmp", bytes));
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
    EXPECT_TRUE(ReadFile(file, got.data(), 0, nullptr));
    EXPECT_FALSE(ReadFile(file, nullptr, 1, &count));
    EXPECT_TRUE(CloseFile(file));
}

TEST_F(FilesTest, OnlyExistingRegularFilesOpenAndOnlyForReading) {
    const std::string path = MakeFile("menu.bmp", {1});
    EXPECT_EQ(Open((folder_ / "missing.bmp").string()), kInvalidFile);
    EXPECT_EQ(Open(folder_.string()), kInvalidFile) << "a folder is not a file";
    EXPECT_EQ(OpenFile(nullptr, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0), kInvalidFile);
    EXPECT_EQ(OpenFile(path.c_str(), GENERIC_READ | 0x40000000u, 0, OPEN_EXISTING, 0),
              kInvalidFile);
    EXPECT_EQ(OpenFile(path.c_str(), GENERIC_READ, 0, 2 /* create always */, 0), kInvalidFile);
    EXPECT_STRNE(LastErrorText(), "no error");

    uint8_t byte = 0;
    uint32_t got = 7;
    EXPECT_FALSE(ReadFile(kInvalidFile, &byte, 1, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(CloseFile(kInvalidFile));
}

}  // namespace
}  // namespace platform
