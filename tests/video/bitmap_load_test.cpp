// Reading picture files: the rows behind the palette, their padding and
// order, and files that are broken, cut short or not pictures of ours.
#include <limits>

#include "tests/video/video_fixture.h"
#include "video/bitmap.h"

namespace {

using namespace video_test;

// The rows a bitmap should hold: bottom row first, no padding.
std::vector<uint8_t> StoredRows(const Picture& picture) {
    std::vector<uint8_t> rows;
    for (int32_t y = picture.height - 1; y >= 0; --y) {
        const auto first = picture.pixels.begin() + static_cast<ptrdiff_t>(y) * picture.width;
        rows.insert(rows.end(), first, first + picture.width);
    }
    return rows;
}

std::vector<uint8_t> Held(const Bitmap& bitmap) {
    if (bitmap.Pixels() == nullptr) {
        return {};
    }
    return {bitmap.Pixels(),
            bitmap.Pixels() + static_cast<size_t>(bitmap.Width()) * bitmap.Height()};
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t length) {
    bytes.resize(length);
    return bytes;
}

using BitmapLoadTest = PictureTest;

// The offset field is never used: rows always start at 1078.
TEST_F(BitmapLoadTest, RowsComeBottomUpFromBehindThePaletteWithoutTheirPadding) {
    struct Case {
        int32_t width, height;
        uint32_t offsetField;
    };
    for (const Case& c : {Case{20, 6, 1078}, Case{21, 6, 1078}, Case{22, 3, 54}, Case{23, 3, 0},
                          Case{4096, 2, 2000}, Case{5, 0, 1078}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ", " << c.offsetField);
        const Picture picture = Pattern(c.width, c.height);
        WriteBitmap("picture.bmp", picture, DistinctPalette(), {.pixelDataOffset = c.offsetField});
        Bitmap bitmap;
        ASSERT_EQ(bitmap.Load("picture.bmp"), 1);
        EXPECT_EQ(bitmap.Width(), c.width);
        EXPECT_EQ(bitmap.Height(), c.height);
        ASSERT_NE(bitmap.Pixels(), nullptr);
        EXPECT_EQ(Held(bitmap), StoredRows(picture));
    }
}

TEST_F(BitmapLoadTest, FilesThatAreNoEightBitPictureOfOursLoadNothing) {
    const int32_t most = std::numeric_limits<int32_t>::max();
    const int32_t least = std::numeric_limits<int32_t>::min();
    const Picture picture = Pattern(4, 4);
    std::vector<std::vector<uint8_t>> files = {{}, Cut(EncodeBitmap(picture), 28)};
    for (int bits : {1, 4, 16, 24, 32}) {
        files.push_back(EncodeBitmap(picture, DistinctPalette(),
                                     {.bitsPerPixel = static_cast<uint16_t>(bits)}));
    }
    for (auto [width, height] : {std::pair{4, -4},
                                 {-4, 4},
                                 {0, 4},
                                 {4097, 1},
                                 {1, 4097},
                                 {most, most},
                                 {most, 2},
                                 {65536, 65536},
                                 {least, least}}) {
        files.push_back(
            EncodeBitmap(picture, DistinctPalette(), {.widthField = width, .heightField = height}));
    }
    for (size_t i = 0; i < files.size(); ++i) {
        WriteFileBytes("broken.bmp", files[i]);
        Bitmap bitmap;
        EXPECT_EQ(bitmap.Load("broken.bmp"), 0) << i;
        EXPECT_EQ(bitmap.Pixels(), nullptr) << i;
    }
    std::filesystem::create_directory("folder.bmp");
    for (const char* name : {"missing.bmp", "folder.bmp", "", static_cast<const char*>(nullptr)}) {
        Bitmap bitmap;
        EXPECT_EQ(bitmap.Load(name), 0);
    }
}

// A file is read as far as it goes; what it did not supply is 0.
TEST_F(BitmapLoadTest, FileCutShortLoadsWithTheMissingPixelsZero) {
    const std::vector<uint8_t> whole = EncodeBitmap(Picture(21, 4, 0xAB));  // stride 24
    WriteFileBytes("cut.bmp", Cut(whole, 1078 + 24 + 10));
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    std::vector<uint8_t> expected(21 * 4, 0);
    std::fill_n(expected.begin(), 21 + 10, 0xAB);
    EXPECT_EQ(Held(bitmap), expected);

    WriteFileBytes("cut.bmp", Cut(whole, 600));  // inside the palette
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    EXPECT_EQ(Held(bitmap), std::vector<uint8_t>(21 * 4, 0));
}

// Headers that no longer describe an old pixel block must not stay with it;
// a file that never opened changes nothing.
TEST_F(BitmapLoadTest, FailedLoadLeavesNoPixelsOfTheEarlierPicture) {
    WriteBitmap("good.bmp", Pattern(8, 8));
    WriteBitmap("deep.bmp", Pattern(8, 8), DistinctPalette(),
                {.bitsPerPixel = 24, .widthField = 500});
    WriteBitmap("small.bmp", Pattern(3, 2));
    Bitmap bitmap;
    EXPECT_EQ(Held(bitmap), std::vector<uint8_t>{});
    ASSERT_EQ(bitmap.Load("good.bmp"), 1);
    EXPECT_EQ(bitmap.Load("deep.bmp"), 0);
    EXPECT_EQ(bitmap.Pixels(), nullptr);
    ASSERT_EQ(bitmap.Load("good.bmp"), 1);
    EXPECT_EQ(bitmap.Load("missing.bmp"), 0);
    EXPECT_EQ(Held(bitmap), StoredRows(Pattern(8, 8)));
    ASSERT_EQ(bitmap.Load("small.bmp"), 1);
    EXPECT_EQ(Held(bitmap), StoredRows(Pattern(3, 2)));
}

}  // namespace
