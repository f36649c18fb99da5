// The five pictures, read back as the game reads them: what would make the
// game show garbage, lose its transparency or cut the wrong pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <set>
#include <string>

#include "tests/assets/file_readers.h"

namespace assets_test {
namespace {

constexpr uint8_t kTransparent = 253;
constexpr int kCell = 20;

BitmapFile Load(const std::string& name) {
    std::optional<BitmapFile> bitmap = ReadBitmap(name);
    if (!bitmap) {
        ADD_FAILURE() << name << " is missing or shorter than its pixel rows";
        return {};
    }
    return *bitmap;
}

// Where the game cuts tile or digit i out of its strip.
int CutX(int index) {
    return 2 + 23 * index;
}
constexpr int kCutY = 4;

struct Area {
    int x;
    int y;
    int width;
    int height;
    bool Contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

std::vector<uint8_t> CutOut(const BitmapFile& bitmap, const Area& area) {
    std::vector<uint8_t> pixels;
    for (int y = area.y; y < area.y + area.height; ++y) {
        for (int x = area.x; x < area.x + area.width; ++x) {
            pixels.push_back(bitmap.At(x, y));
        }
    }
    return pixels;
}

int CountOf(const std::vector<uint8_t>& pixels, uint8_t index) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), index));
}

double MeanLuma(const BitmapFile& bitmap, const std::vector<uint8_t>& pixels) {
    double sum = 0.0;
    for (uint8_t index : pixels) {
        sum += Luma(bitmap.palette[index]);
    }
    return pixels.empty() ? 0.0 : sum / static_cast<double>(pixels.size());
}

class EveryPicture : public testing::TestWithParam<const char*> {};

TEST_P(EveryPicture, IsAnEightBitBitmapWithItsRowsRightBehindTheFullPaletteAndAKeyOfItsOwn) {
    const BitmapFile bitmap = Load(GetParam());
    EXPECT_EQ(bitmap.signature, "BM");
    EXPECT_EQ(bitmap.bitsPerPixel, 8);
    EXPECT_EQ(bitmap.pixelOffset, 1078u);
    EXPECT_EQ(bitmap.infoSize, 40u);
    EXPECT_EQ(bitmap.compression, 0u);
    ASSERT_GT(bitmap.width, 0);
    ASSERT_GT(bitmap.height, 0) << "rows must be stored bottom-up";
    const size_t stride = (static_cast<size_t>(bitmap.width) + 3) & ~size_t{3};
    EXPECT_EQ(bitmap.fileSize, 1078 + stride * bitmap.height) << "nothing missing, nothing extra";
    EXPECT_EQ(bitmap.declaredFileSize, bitmap.fileSize);
    // The transparent colour stays apart from every real colour.
    const Colour key = bitmap.palette[kTransparent];
    for (size_t i = 0; i < bitmap.palette.size(); ++i) {
        if (i != kTransparent) {
            EXPECT_NE(bitmap.palette[i], key) << "entry " << i;
        }
    }
    EXPECT_LT(Luma(bitmap.palette[0]), 24) << "the clear colour is black or nearly";
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture,
                         testing::Values("menu1.bmp", "cubeshards2.bmp", "score.bmp", "start.bmp",
                                         "end.bmp"));

// Play and the end screen are shown through the palette of "menu1.bmp", so
// every picture drawn for them must be drawn with exactly that palette. The
// screens are drawn over a cleared screen: any key colour in the play or
// title screen would punch a black hole into it.
TEST(Screens, AreFullScreenAndShareTheGamePaletteWithoutHoles) {
    const BitmapFile background = Load("menu1.bmp");
    for (const char* name : {"menu1.bmp", "start.bmp", "end.bmp"}) {
        const BitmapFile bitmap = Load(name);
        EXPECT_EQ(bitmap.width, 640) << name;
        EXPECT_EQ(bitmap.height, 480) << name;
    }
    for (const char* name : {"cubeshards2.bmp", "score.bmp", "end.bmp"}) {
        EXPECT_TRUE(Load(name).palette == background.palette) << name;
    }
    EXPECT_FALSE(Load("start.bmp").palette == background.palette);
    EXPECT_EQ(CountOf(background.pixels, kTransparent), 0);
    EXPECT_EQ(CountOf(Load("start.bmp").pixels, kTransparent), 0);
}

// Eight solid tiles where the game cuts them; the empty cell darker than any
// block; and, seen in grey alone, as by a player who cannot tell the hues
// apart, any two blocks still differ clearly by brightness or by pattern.
TEST(TileStrip, HoldsEightSolidTilesThatStandApartEvenInGrey) {
    const BitmapFile tiles = Load("cubeshards2.bmp");
    ASSERT_GE(tiles.width, CutX(7) + kCell);
    ASSERT_GE(tiles.height, kCutY + kCell);
    std::vector<std::vector<int>> grey(8);
    for (int tile = 0; tile < 8; ++tile) {
        const std::vector<uint8_t> cut = CutOut(tiles, {CutX(tile), kCutY, kCell, kCell});
        EXPECT_EQ(CountOf(cut, kTransparent), 0) << "tile " << tile << " has a hole";
        for (uint8_t index : cut) {
            grey[tile].push_back(Luma(tiles.palette[index]));
        }
    }
    auto mean = [](const std::vector<int>& values) {
        return std::accumulate(values.begin(), values.end(), 0.0) /
               static_cast<double>(values.size());
    };
    for (int a = 1; a < 8; ++a) {
        EXPECT_GT(mean(grey[a]), mean(grey[0]) + 30) << "tile " << a;
        for (int b = a + 1; b < 8; ++b) {
            double difference = 0.0;
            for (size_t i = 0; i < grey[a].size(); ++i) {
                difference += std::abs(grey[a][i] - grey[b][i]);
            }
            EXPECT_GT(difference / static_cast<double>(grey[a].size()), 12.0)
                << "tiles " << a << " and " << b << " look alike in grey";
        }
    }
}

// Each digit is readable and leaves room around it, its left and right
// columns clear so that nine digits side by side do not run together; and it
// stands out from the score and games-left fields of the play screen and
// from the cleared screen behind the end picture.
TEST(DigitStrip, HoldsTenDifferentDigitsWithRoomAroundThemThatStandOutFromTheirFields) {
    const BitmapFile digits = Load("score.bmp");
    const BitmapFile background = Load("menu1.bmp");
    ASSERT_GE(digits.width, CutX(9) + kCell);
    ASSERT_GE(digits.height, kCutY + kCell);
    const double fields[] = {MeanLuma(background, CutOut(background, {395, 256, 180, 20})),
                             MeanLuma(background, CutOut(background, {473, 331, 20, 20})),
                             static_cast<double>(Luma(background.palette[0]))};
    std::set<std::vector<uint8_t>> seen;
    for (int digit = 0; digit < 10; ++digit) {
        const Area cell{CutX(digit), kCutY, kCell, kCell};
        const std::vector<uint8_t> cut = CutOut(digits, cell);
        seen.insert(cut);
        EXPECT_GT(kCell * kCell - CountOf(cut, kTransparent), 60) << digit << " is too faint";
        EXPECT_GT(CountOf(cut, kTransparent), 100) << digit << " hides its field";
        for (int y = 0; y < kCell; ++y) {
            EXPECT_EQ(digits.At(cell.x, cell.y + y), kTransparent) << "digit " << digit;
            EXPECT_EQ(digits.At(cell.x + kCell - 1, cell.y + y), kTransparent) << "digit " << digit;
        }
        int brightest = 0;
        for (uint8_t index : cut) {
            brightest = index == kTransparent ? brightest
                                              : std::max(brightest, Luma(digits.palette[index]));
        }
        for (double field : fields) {
            EXPECT_GT(brightest - field, 120.0) << "digit " << digit;
        }
    }
    EXPECT_EQ(seen.size(), 10u);
}

// The end screen is drawn over the score's nine digits: they show exactly
// where the picture is transparent.
TEST(EndScreen, IsTransparentExactlyOverTheScoreDigits) {
    const BitmapFile end = Load("end.bmp");
    const Area window{221, 148, 180, 20};
    int strayKeys = 0;
    for (int y = 0; y < end.height; ++y) {
        for (int x = 0; x < end.width; ++x) {
            const bool transparent = end.At(x, y) == kTransparent;
            if (window.Contains(x, y)) {
                ASSERT_TRUE(transparent) << "the score is covered at (" << x << ", " << y << ")";
            } else if (transparent) {
                ++strayKeys;
            }
        }
    }
    EXPECT_EQ(strayKeys, 0) << "holes outside the score window";
}

}  // namespace
}  // namespace assets_test
