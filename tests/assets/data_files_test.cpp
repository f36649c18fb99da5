// The five pictures and three sounds, read back from their bytes: what would
// make the game show garbage, cut its strips short, lose its transparency,
// show a hole or play noise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/picture_file.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace test_support;
namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kKey = 253;

Bytes PaletteOf(const Bytes& file) {
    return Bytes(file.begin() + 54, file.begin() + 1078);
}

// 8 bits, rows right behind the full palette, nothing missing or extra
// (the game reads every picture so, whatever its headers say); strips wide
// enough for every image the game cuts (20 x 20 every 23 pixels from column
// 2, row 4). Play and the end screen are shown in the palette of
// "menu1.bmp"; the title and play backgrounds are drawn over a cleared
// screen, so a key pixel in them would be a black hole.
TEST(Pictures, AreWholeEightBitFilesOfTheirSizesSharingTheGamePaletteWithoutHoles) {
    const Bytes playPalette = PaletteOf(ReadWholeFile("menu1.bmp"));
    const struct {
        const char* name;
        int32_t width, height;
        bool playColours, keyAllowed;
    } pictures[] = {{"menu1.bmp", 640, 480, true, false},
                    {"cubeshards2.bmp", 2 + 23 * 7 + 20, 24, true, true},
                    {"score.bmp", 2 + 23 * 9 + 20, 24, true, true},
                    {"start.bmp", 640, 480, false, false},
                    {"end.bmp", 640, 480, true, true}};
    for (const auto& [name, width, height, playColours, keyAllowed] : pictures) {
        SCOPED_TRACE(name);
        const Bytes file = ReadWholeFile(name);
        const PictureFile picture = ReadPictureFile(name);
        ASSERT_TRUE(picture.Loaded());
        EXPECT_EQ(file.size(), 1078 + ((picture.width + 3) & ~3) * picture.height);
        EXPECT_TRUE(width == 640 ? picture.width == 640 && picture.height == 480
                                 : picture.width >= width && picture.height >= height)
            << picture.width << " x " << picture.height;
        EXPECT_EQ(PaletteOf(file) == playPalette, playColours);
        EXPECT_TRUE(keyAllowed ||
                    std::count(picture.pixels.begin(), picture.pixels.end(), kKey) == 0);
    }
}

// The end screen is drawn over the score's nine digits: they show exactly
// where the picture is transparent.
TEST(Pictures, TheEndScreenIsTransparentExactlyOverTheScore) {
    const PictureFile end = ReadPictureFile("end.bmp");
    ASSERT_EQ(end.pixels.size(), 640u * 480u);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(end.At(x, y) == kKey, x >= 221 && x < 401 && y >= 148 && y < 168)
                << x << ", " << y;
        }
    }
}

// The samples behind a format chunk of 8-bit mono PCM at 22050 a second;
// none otherwise.
Bytes Samples(const std::string& name) {
    const Bytes file = ReadWholeFile(name);
    if (file.size() < 44 || Little(file, 4) + 8 != file.size() ||
        std::string(file.begin() + 8, file.begin() + 16) != "WAVEfmt " || Little(file, 16) != 16 ||
        Little(file, 20, 2) != 1 || Little(file, 22, 2) != 1 || Little(file, 24) != 22050 ||
        Little(file, 28) != 22050 || Little(file, 32, 2) != 1 || Little(file, 34, 2) != 8 ||
        std::string(file.begin() + 36, file.begin() + 40) != "data" ||
        44 + Little(file, 40) > file.size()) {
        return {};
    }
    return Bytes(file.begin() + 44, file.begin() + 44 + Little(file, 40));
}

// Each is 8-bit mono at 22050 a second, the one layout the game plays, and
// as long as what it is for.
TEST(Sounds, AreTheGamesLayoutAndLastAsLongAsTheirUse) {
    const struct {
        const char* name;
        double shortest, longest;
    } uses[] = {
        {"techno.wav", 20.0, 40.0}, {"superhappy.wav", 10.0, 25.0}, {"crunch.wav", 0.2, 0.5}};
    for (const auto& use : uses) {
        const auto seconds = static_cast<double>(Samples(use.name).size()) / 22050;
        EXPECT_GE(seconds, use.shortest) << use.name << ": not 8-bit mono at 22050, or cut short";
        EXPECT_LE(seconds, use.longest) << use.name;
    }
}

#ifdef ASSETGEN_PROGRAM

// The generator itself: every run writes the same bytes.
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

#endif

}  // namespace
