// The generator itself: every run writes the same bytes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/picture_file.h"
#include "tests/support/scratch_folder.h"

#ifdef ASSETGEN_PROGRAM

namespace {

namespace fs = std::filesystem;
using test_support::ReadWholeFile;

TEST(Generator, WritesTheSameBytesAsTheBuildDid) {
    const fs::path run = test_support::MakeScratchFolder("stackwell-assets-again");
    const fs::path source = run / "generated";
    const std::string command =
        std::string("\"") + ASSETGEN_PROGRAM + "\" " + run.string() + " " + source.string();
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::vector<std::pair<fs::path, fs::path>> files;  // written again, written by the build
    for (const char* name : {"menu1.bmp", "cubeshards2.bmp", "score.bmp", "start.bmp", "end.bmp",
                             "techno.wav", "crunch.wav", "superhappy.wav", "stackwell.ico"}) {
        files.emplace_back(run / name, name);
    }
#ifdef ICON_PICTURE_FOLDER
    for (const char* size : {"32", "48", "64", "128", "256"}) {
        const std::string name = std::string("stackwell-") + size + ".png";
        files.emplace_back(source / name, fs::path(ICON_PICTURE_FOLDER) / name);
    }
#endif
    for (const auto& [again, built] : files) {
        EXPECT_FALSE(ReadWholeFile(again.string()).empty()) << again;
        EXPECT_TRUE(ReadWholeFile(again.string()) == ReadWholeFile(built.string()))
            << again << " differs from the build's";
    }
    EXPECT_FALSE(ReadWholeFile((source / "icon_resource.cpp").string()).empty());
    fs::remove_all(run);
}

}  // namespace

#endif
