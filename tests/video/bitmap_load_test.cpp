// Reading picture files: the rows behind the palette, their padding and
// order, and files that are broken, cut short or not pictures of ours.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "platform/headless/control.h"
#include "tests/video/picture_files.h"
#include "video/bitmap.h"

namespace {

using video_test::BitmapFileOptions;
using video_test::DistinctPalette;
using video_test::EncodeBitmap;
using video_test::Picture;
using video_test::ScratchDirectory;
using video_test::WriteBitmap;
using video_test::WriteFileBytes;

constexpr size_t kRowsStart = 1078;

// Every pixel differs from its neighbours, so a shifted or flipped row shows.
Picture Gradient(int32_t width, int32_t height) {
    Picture picture(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = static_cast<uint8_t>(1 + (x + 7 * y) % 250);
        }
    }
    return picture;
}

// The stored rows the bitmap should hold: bottom row first, no padding.
std::vector<uint8_t> StoredRows(const Picture& picture) {
    std::vector<uint8_t> rows;
    for (int32_t y = picture.height - 1; y >= 0; --y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            rows.push_back(picture.At(x, y));
        }
    }
    return rows;
}

std::vector<uint8_t> HeldPixels(const Bitmap& bitmap) {
    const size_t count = static_cast<size_t>(bitmap.Width()) * static_cast<size_t>(bitmap.Height());
    return std::vector<uint8_t>(bitmap.Pixels(), bitmap.Pixels() + count);
}

class BitmapLoadTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::headless::Reset(); }

    ScratchDirectory scratch;
};

TEST_F(BitmapLoadTest, RowsArePaddedToFourBytesAndThePaddingIsDropped) {
    for (int32_t width : {20, 21, 22, 23}) {
        SCOPED_TRACE(width);
        const Picture picture = Gradient(width, 6);
        WriteBitmap("padded.bmp", picture);

        Bitmap bitmap;
        ASSERT_EQ(bitmap.Load("padded.bmp"), 1);
        EXPECT_EQ(bitmap.Width(), width);
        EXPECT_EQ(bitmap.Height(), 6);
        ASSERT_NE(bitmap.Pixels(), nullptr);
        EXPECT_EQ(HeldPixels(bitmap), StoredRows(picture));
    }
}

TEST_F(BitmapLoadTest, RowsAreReadRightBehindThePaletteWhateverTheOffsetFieldSays) {
    const Picture picture = Gradient(8, 3);
    for (uint32_t offset : {0u, 54u, 1000u, 2000u}) {
        SCOPED_TRACE(offset);
        BitmapFileOptions options;
        options.pixelDataOffset = offset;
        WriteBitmap("offset.bmp", picture, DistinctPalette(), options);

        Bitmap bitmap;
        ASSERT_EQ(bitmap.Load("offset.bmp"), 1);
        EXPECT_EQ(HeldPixels(bitmap), StoredRows(picture));
    }
}

TEST_F(BitmapLoadTest, PictureOfHeightZeroLoadsEmpty) {
    WriteBitmap("flat.bmp", Picture(5, 0));
    Bitmap bitmap;
    EXPECT_EQ(bitmap.Load("flat.bmp"), 1);
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.Height(), 0);
}

TEST_F(BitmapLoadTest, NothingIsDefinedBeforeALoad) {
    Bitmap bitmap;
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    EXPECT_EQ(bitmap.Pixels(), nullptr);
}

TEST_F(BitmapLoadTest, MissingOrEmptyFilesDoNotLoad) {
    WriteFileBytes("empty.bmp", {});
    std::filesystem::create_directory("folder.bmp");
    for (const char* name : {"missing.bmp", "empty.bmp", "folder.bmp", ""}) {
        SCOPED_TRACE(name);
        Bitmap bitmap;
        EXPECT_EQ(bitmap.Load(name), 0);
        EXPECT_EQ(bitmap.Pixels(), nullptr);
    }
    Bitmap bitmap;
    EXPECT_EQ(bitmap.Load(nullptr), 0);
}

TEST_F(BitmapLoadTest, OnlyEightBitPicturesLoad) {
    for (uint16_t bits : {1, 4, 16, 24, 32, 0}) {
        SCOPED_TRACE(bits);
        BitmapFileOptions options;
        options.bitsPerPixel = bits;
        WriteBitmap("colours.bmp", Gradient(4, 4), DistinctPalette(), options);
        Bitmap bitmap;
        EXPECT_EQ(bitmap.Load("colours.bmp"), 0);
        EXPECT_EQ(bitmap.Pixels(), nullptr);
    }
}

TEST_F(BitmapLoadTest, SizesThatAreNoPictureOfOursAreRejected) {
    const int32_t huge = std::numeric_limits<int32_t>::max();
    const int32_t lowest = std::numeric_limits<int32_t>::min();
    const std::pair<int32_t, int32_t> sizes[] = {
        {4, -4},
        {-4, 4},
        {-4, -4},
        {0, 4},
        {kMaxBitmapSide + 1, 1},
        {1, kMaxBitmapSide + 1},
        {huge, huge},
        {huge, 2},
        {65536, 65536},
        {lowest, lowest},
    };
    const Picture picture = Gradient(4, 4);
    for (const auto& [width, height] : sizes) {
        SCOPED_TRACE(testing::Message() << width << " x " << height);
        BitmapFileOptions options;
        options.widthField = width;
        options.heightField = height;
        WriteBitmap("absurd.bmp", picture, DistinctPalette(), options);
        Bitmap bitmap;
        EXPECT_EQ(bitmap.Load("absurd.bmp"), 0);
        EXPECT_EQ(bitmap.Pixels(), nullptr);
    }
}

TEST_F(BitmapLoadTest, TheLargestAllowedPictureLoads) {
    WriteBitmap("wide.bmp", Picture(kMaxBitmapSide, 2, 9));
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("wide.bmp"), 1);
    EXPECT_EQ(bitmap.Pixels()[2 * kMaxBitmapSide - 1], 9);
}

// Cut before the bits-per-pixel field is complete, a file is no 8-bit picture.
TEST_F(BitmapLoadTest, FileCutInItsHeadersDoesNotLoad) {
    const std::vector<uint8_t> whole = EncodeBitmap(Gradient(4, 4), DistinctPalette());
    for (size_t length : {1u, 13u, 14u, 20u, 28u}) {
        SCOPED_TRACE(length);
        WriteFileBytes("cut.bmp", std::vector<uint8_t>(whole.begin(), whole.begin() + length));
        Bitmap bitmap;
        EXPECT_EQ(bitmap.Load("cut.bmp"), 0);
        EXPECT_EQ(bitmap.Pixels(), nullptr);
    }
}

// A file read as far as it goes: what it did not supply is 0.
TEST_F(BitmapLoadTest, FileCutInItsPaletteLoadsWithBlankRows) {
    const std::vector<uint8_t> whole = EncodeBitmap(Gradient(4, 3), DistinctPalette());
    WriteFileBytes("cut.bmp", std::vector<uint8_t>(whole.begin(), whole.begin() + 600));
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    EXPECT_EQ(HeldPixels(bitmap), std::vector<uint8_t>(12, 0));
}

TEST_F(BitmapLoadTest, FileCutInsideTheRowsLoadsWithTheMissingPixelsZero) {
    const Picture picture(21, 4, 0xAB);  // stride 24
    const std::vector<uint8_t> whole = EncodeBitmap(picture, DistinctPalette());
    // One whole stored row, then 10 pixels of the second.
    WriteFileBytes("cut.bmp",
                   std::vector<uint8_t>(whole.begin(), whole.begin() + kRowsStart + 24 + 10));

    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    std::vector<uint8_t> expected(21 * 4, 0);
    std::memset(expected.data(), 0xAB, 21 + 10);
    EXPECT_EQ(HeldPixels(bitmap), expected);
}

TEST_F(BitmapLoadTest, FailedLoadLeavesNoPixelsOfTheEarlierPicture) {
    WriteBitmap("good.bmp", Gradient(8, 8));
    BitmapFileOptions options;
    options.bitsPerPixel = 24;
    options.widthField = 500;
    WriteBitmap("bad.bmp", Gradient(8, 8), DistinctPalette(), options);

    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("good.bmp"), 1);
    EXPECT_EQ(bitmap.Load("bad.bmp"), 0);
    EXPECT_EQ(bitmap.Pixels(), nullptr);

    // A file that cannot be opened changes nothing.
    ASSERT_EQ(bitmap.Load("good.bmp"), 1);
    EXPECT_EQ(bitmap.Load("missing.bmp"), 0);
    EXPECT_EQ(HeldPixels(bitmap), StoredRows(Gradient(8, 8)));
}

TEST_F(BitmapLoadTest, LoadingAgainReplacesThePicture) {
    WriteBitmap("first.bmp", Gradient(8, 8));
    WriteBitmap("second.bmp", Gradient(3, 2));
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("first.bmp"), 1);
    ASSERT_EQ(bitmap.Load("second.bmp"), 1);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(HeldPixels(bitmap), StoredRows(Gradient(3, 2)));
}

}  // namespace
