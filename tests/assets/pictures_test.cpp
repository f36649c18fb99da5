// The five pictures, read back from their bytes: what would make the game
// show garbage, lose its transparency or show a hole, or make the tiles and
// digits hard to tell apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "tests/assets/file_readers.h"

namespace assets_test {
namespace {

constexpr uint8_t kKey = 253;

// The file's palette as stored, four bytes an entry.
Bytes PaletteOf(const Picture& picture) {
    return Bytes(picture.file.begin() + 54, picture.file.begin() + 1078);
}

// The 20 x 20 image i of a strip, where the game cuts it.
Bytes Cut(const Picture& strip, int i) {
    Bytes pixels;
    for (int y = 4; y < 24; ++y) {
        for (int x = 2 + 23 * i; x < 22 + 23 * i; ++x) {
            pixels.push_back(strip.At(x, y));
        }
    }
    return pixels;
}

// 8 bits, rows right behind the full palette, nothing missing or extra, a
// key colour no real colour shares, and a black or nearly black clear colour.
// Play and the end screen are shown in the palette of "menu1.bmp"; the title
// and play backgrounds are drawn over a cleared screen, so a key pixel in
// them would be a black hole.
TEST(Pictures, AreWholeEightBitFilesSharingTheGamePaletteWithoutHoles) {
    const Picture play = ReadPicture("menu1.bmp");
    const struct {
        const char* name;
        bool screen, playColours;
    } pictures[] = {{"menu1.bmp", true, true},
                    {"cubeshards2.bmp", false, true},
                    {"score.bmp", false, true},
                    {"start.bmp", true, false},
                    {"end.bmp", true, true}};
    for (const auto& [name, screen, playColours] : pictures) {
        SCOPED_TRACE(name);
        const Picture picture = ReadPicture(name);
        ASSERT_GT(picture.width, 0);
        const Bytes& file = picture.file;
        EXPECT_EQ(std::string(file.begin(), file.begin() + 2), "BM");
        EXPECT_EQ(Little(file, 28, 2), 8u);
        EXPECT_EQ(Little(file, 10), 1078u);
        EXPECT_EQ(Little(file, 30), 0u) << "compressed";
        EXPECT_EQ(file.size(), 1078 + ((picture.width + 3) & ~3) * picture.height);
        EXPECT_EQ(Little(file, 2), file.size());
        for (size_t i = 0; i < 256; ++i) {
            EXPECT_TRUE(i == kKey || std::memcmp(&file[54 + 4 * i], &file[54 + 4 * kKey], 3) != 0)
                << "entry " << i << " looks like the key";
        }
        EXPECT_LT(picture.grey[0], 24);
        EXPECT_EQ(picture.width == 640 && picture.height == 480, screen);
        EXPECT_EQ(PaletteOf(picture) == PaletteOf(play), playColours);
    }
    for (const char* name : {"menu1.bmp", "start.bmp"}) {
        const Bytes& pixels = ReadPicture(name).pixels;
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kKey), 0) << name;
    }
}

// No hole in a tile; the empty cell darker than any block; and, seen in grey
// alone, as by a player who cannot tell the hues apart, any two blocks differ
// clearly by brightness or by pattern.
TEST(Pictures, TheEightTilesAreSolidAndStandApartEvenInGrey) {
    const Picture tiles = ReadPicture("cubeshards2.bmp");
    ASSERT_GE(tiles.width, 2 + 23 * 7 + 20);
    std::vector<Bytes> cuts;
    for (int tile = 0; tile < 8; ++tile) {
        cuts.push_back(Cut(tiles, tile));
        EXPECT_EQ(std::count(cuts.back().begin(), cuts.back().end(), kKey), 0) << tile;
    }
    auto grey = [&](int tile, size_t i) { return tiles.grey[cuts[static_cast<size_t>(tile)][i]]; };
    for (int a = 0; a < 8; ++a) {
        for (int b = a + 1; b < 8; ++b) {
            int difference = 0, brighter = 0;
            for (size_t i = 0; i < 400; ++i) {
                difference += std::abs(grey(a, i) - grey(b, i));
                brighter += grey(b, i) - grey(a, i);
            }
            EXPECT_GT(difference, 12 * 400) << "tiles " << a << " and " << b << " alike in grey";
            EXPECT_TRUE(a > 0 || brighter > 30 * 400) << "tile " << b << " is dark";
        }
    }
}

// Ten different digits that are neither faint nor solid, with clear left and
// right columns so that nine side by side do not run together, and bright
// against the score and games-left fields and the cleared screen.
TEST(Pictures, TheTenDigitsAreReadableAgainstTheirFields) {
    const Picture digits = ReadPicture("score.bmp");
    const Picture play = ReadPicture("menu1.bmp");
    ASSERT_GE(digits.width, 2 + 23 * 9 + 20);
    std::vector<double> fields = {static_cast<double>(play.grey[0])};  // mean grey of each
    for (auto [left, top, width] : {std::tuple{395, 256, 180}, {473, 331, 20}}) {
        double sum = 0;
        for (int y = top; y < top + 20; ++y) {
            for (int x = left; x < left + width; ++x) {
                sum += play.grey[play.At(x, y)];
            }
        }
        fields.push_back(sum / (20 * width));
    }
    std::set<Bytes> seen;
    for (int digit = 0; digit < 10; ++digit) {
        const Bytes cut = Cut(digits, digit);
        seen.insert(cut);
        const auto clear = std::count(cut.begin(), cut.end(), kKey);
        EXPECT_TRUE(clear > 100 && clear < 340) << digit;
        int brightest = 0;
        for (size_t i = 0; i < cut.size(); ++i) {
            brightest = cut[i] == kKey ? brightest : std::max(brightest, digits.grey[cut[i]]);
            EXPECT_TRUE(cut[i] == kKey || (i % 20 != 0 && i % 20 != 19)) << digit;
        }
        for (double field : fields) {
            EXPECT_GT(brightest - field, 120.0) << digit;
        }
    }
    EXPECT_EQ(seen.size(), 10u);
}

// The end screen is drawn over the score's nine digits: they show exactly
// where the picture is transparent.
TEST(Pictures, TheEndScreenIsTransparentExactlyOverTheScore) {
    const Picture end = ReadPicture("end.bmp");
    ASSERT_EQ(end.pixels.size(), 640u * 480u);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            ASSERT_EQ(end.At(x, y) == kKey, x >= 221 && x < 401 && y >= 148 && y < 168)
                << x << ", " << y;
        }
    }
}

}  // namespace
}  // namespace assets_test
