// The five pictures, read back from their bytes: what would make the game
// show garbage, cut its strips short, lose its transparency or show a hole.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "tests/support/picture_file.h"

namespace {

using namespace test_support;
using Bytes = std::vector<uint8_t>;

constexpr uint8_t kKey = 253;

Bytes PaletteOf(const Bytes& file) {
    return Bytes(file.begin() + 54, file.begin() + 1078);
}

// 8 bits, rows right behind the full palette, nothing missing or extra, a
// key colour no real colour shares; strips wide enough for every image the
// game cuts (20 x 20 every 23 pixels from column 2, row 4). Play and the end
// screen are shown in the palette of "menu1.bmp"; the title and play
// backgrounds are drawn over a cleared screen, so a key pixel in them would
// be a black hole.
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
        EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
        EXPECT_EQ(Little(file, 10), 1078u);
        EXPECT_EQ(Little(file, 30), 0u) << "compressed";
        EXPECT_EQ(file.size(), 1078 + ((picture.width + 3) & ~3) * picture.height);
        EXPECT_EQ(Little(file, 2), file.size());
        for (size_t i = 0; i < 256; ++i) {
            EXPECT_TRUE(i == kKey || std::memcmp(&file[54 + 4 * i], &file[54 + 4 * kKey], 3) != 0)
                << "entry " << i << " looks like the key";
        }
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

}  // namespace
