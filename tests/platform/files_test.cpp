// Reading the game's files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
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
    void SetUp() override {
        folder_ =
            std::filesystem::temp_directory_path() / ("files_test_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
    }
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

    std::filesystem::path folder_;
};

TEST_F(FilesTest, ReadsComeInTheExactCountsAskedFor) {
    std::vector<uint8_t> bytes(3000);
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7);
    }
    FileHandle file = Open(MakeFile("picture.bmp", bytes));
    ASSERT_NE(file, kInvalidFile);
    std::vector<uint8_t> header(14);
    uint32_t got = 0;
    ASSERT_TRUE(ReadFile(file, header.data(), 14, &got));
    EXPECT_EQ(got, 14u);
    EXPECT_EQ(header, std::vector<uint8_t>(bytes.begin(), bytes.begin() + 14));
    std::vector<uint8_t> rest(2986);
    ASSERT_TRUE(ReadFile(file, rest.data(), 2986, &got));
    EXPECT_EQ(got, 2986u);
    EXPECT_EQ(rest, std::vector<uint8_t>(bytes.begin() + 14, bytes.end()));
    EXPECT_TRUE(CloseFile(file));
}

TEST_F(FilesTest, TheEndOfTheFileIsASuccessfulShortRead) {
    FileHandle file = Open(MakeFile("short.wav", {1, 2, 3, 4, 5}));
    ASSERT_NE(file, kInvalidFile);
    uint8_t buffer[8] = {};
    uint32_t got = 99;
    ASSERT_TRUE(ReadFile(file, buffer, 8, &got));
    EXPECT_EQ(got, 5u);
    EXPECT_EQ(buffer[4], 5);
    ASSERT_TRUE(ReadFile(file, buffer, 8, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_TRUE(ReadFile(file, buffer, 0, nullptr));
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
}

TEST_F(FilesTest, InvalidHandlesAreRefused) {
    uint8_t byte = 0;
    uint32_t got = 7;
    EXPECT_FALSE(ReadFile(kInvalidFile, &byte, 1, &got));
    EXPECT_EQ(got, 0u);
    EXPECT_FALSE(CloseFile(kInvalidFile));
    FileHandle file = Open(MakeFile("one.bin", {9}));
    EXPECT_FALSE(ReadFile(file, nullptr, 1, &got));
    EXPECT_TRUE(CloseFile(file));
}

}  // namespace
}  // namespace platform
