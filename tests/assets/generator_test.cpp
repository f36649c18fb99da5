// The generator itself: every run writes the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "tests/assets/file_readers.h"

#ifdef ASSETGEN_PROGRAM

namespace assets_test {
namespace {

namespace fs = std::filesystem;

int RunGenerator(const std::string& arguments) {
    const std::string command = std::string("\"") + ASSETGEN_PROGRAM + "\" " + arguments;
    return std::system(command.c_str());
}

fs::path FreshFolder(const std::string& name) {
    const fs::path folder = fs::temp_directory_path() / (name + "_" + std::to_string(getpid()));
    fs::remove_all(folder);
    return folder;
}

TEST(Generator, WritesTheSameBytesAsTheBuildDid) {
    const fs::path run = FreshFolder("stackwell_assets_again");
    const fs::path source = run / "generated";
    ASSERT_EQ(RunGenerator(run.string() + " " + source.string()), 0);
    for (const char* name : {"menu1.bmp", "cubeshards2.bmp", "score.bmp", "start.bmp", "end.bmp",
                             "techno.wav", "crunch.wav", "superhappy.wav", "stackwell.ico"}) {
        const std::vector<uint8_t> again = ReadWholeFile((run / name).string());
        EXPECT_FALSE(again.empty()) << name;
        EXPECT_TRUE(again == ReadWholeFile(name)) << name << " differs from the build's";
    }
    EXPECT_FALSE(ReadWholeFile((source / "icon_resource.cpp").string()).empty());
#ifdef ICON_PICTURE_FOLDER
    for (const char* name : {"stackwell-32.png", "stackwell-48.png", "stackwell-64.png",
                             "stackwell-128.png", "stackwell-256.png"}) {
        const std::vector<uint8_t> again = ReadWholeFile((source / name).string());
        EXPECT_FALSE(again.empty()) << name;
        EXPECT_TRUE(again == ReadWholeFile((fs::path(ICON_PICTURE_FOLDER) / name).string()))
            << name << " differs from the build's";
    }
#endif
    fs::remove_all(run);
}

}  // namespace
}  // namespace assets_test

#endif
