// Putting a picture's colours into the palettes and its pixels into surfaces.
#include <gtest/gtest.h>

#include "platform/headless/control.h"
#include "tests/video/display_fixture.h"
#include "video/bitmap.h"
#include "video/display.h"

namespace {

using platform::Surface;
using video_test::DistinctPalette;
using video_test::FilePalette;
using video_test::MakeSurface;
using video_test::Picture;
using video_test::SurfaceBytes;
using video_test::WriteBitmap;

constexpr uint8_t kUntouched = 0x77;

// Pixel (x, y) is 1 + x + 16 y: each one tells where it came from.
Picture Numbered(int32_t width, int32_t height) {
    Picture picture(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = static_cast<uint8_t>(1 + x + 16 * y);
        }
    }
    return picture;
}

class BitmapCopyTest : public video_test::DisplayTest {
  protected:
    void TearDown() override {
        for (Surface* surface : surfaces) {
            surface->Release();
        }
        DisplayTest::TearDown();
    }

    Surface* Target(int32_t width, int32_t height) {
        Surface* surface = MakeSurface(width, height);
        EXPECT_NE(surface, nullptr);
        surfaces.push_back(surface);
        video_test::FillSurface(surface, kUntouched);
        return surface;
    }

    void Load(Bitmap& bitmap, const Picture& picture) {
        WriteBitmap("picture.bmp", picture);
        ASSERT_EQ(bitmap.Load("picture.bmp"), 1);
    }

    // What the surface should hold after the copy: the picture rectangle at
    // (srcX, srcY) where it lies inside both, the old bytes everywhere else.
    static std::vector<uint8_t> Expected(const Surface* surface, const Picture& picture,
                                         int32_t width, int32_t rows, int32_t srcX, int32_t srcY) {
        std::vector<uint8_t> bytes = SurfaceBytes(surface);
        for (int32_t k = 0; k < rows && k < surface->Height(); ++k) {
            for (int32_t j = 0; j < width && j < surface->Width(); ++j) {
                const int32_t x = srcX + j;
                const int32_t y = srcY + k;
                if (x >= 0 && y >= 0 && x < picture.width && y < picture.height) {
                    bytes[static_cast<size_t>(k) * surface->Pitch() + j] = picture.At(x, y);
                }
            }
        }
        return bytes;
    }

    std::vector<Surface*> surfaces;
};

TEST_F(BitmapCopyTest, ColoursReachThePaletteAsRedGreenBlue) {
    FilePalette palette = DistinctPalette();
    palette[7] = {0x10, 0x20, 0x30, 0x99};
    WriteBitmap("colours.bmp", Picture(1, 1), palette);
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("colours.bmp"), 1);
    ASSERT_EQ(bitmap.ApplyPalette(primaryPalette), 1);

    const platform::PaletteEntry* entries = primaryPalette->Entries();
    EXPECT_EQ(entries[7].red, 0x30);
    EXPECT_EQ(entries[7].green, 0x20);
    EXPECT_EQ(entries[7].blue, 0x10);
    for (int i = 0; i < 256; ++i) {
        if (i != 7) {
            ASSERT_EQ(entries[i].red, palette[i].red) << i;
            ASSERT_EQ(entries[i].green, palette[i].green) << i;
            ASSERT_EQ(entries[i].blue, palette[i].blue) << i;
        }
    }
    EXPECT_EQ(bitmap.ApplyPalette(nullptr), 1);
}

TEST_F(BitmapCopyTest, PaletteOfAPictureThatNeverLoadedIsBlack) {
    ApplyToScreen(DistinctPalette());
    Bitmap bitmap;
    EXPECT_EQ(bitmap.Load("missing.bmp"), 0);
    EXPECT_EQ(bitmap.ApplyPalette(primaryPalette), 1);
    for (int i = 0; i < 256; ++i) {
        const platform::PaletteEntry& entry = primaryPalette->Entries()[i];
        ASSERT_EQ(entry.red + entry.green + entry.blue, 0) << i;
    }
}

TEST_F(BitmapCopyTest, TopRowOfThePictureLandsOnTopHonouringThePitch) {
    const Picture picture = Numbered(12, 9);
    Bitmap bitmap;
    Load(bitmap, picture);
    Surface* surface = Target(8, 6);
    ASSERT_GT(surface->Pitch(), surface->Width());

    const std::vector<uint8_t> expected = Expected(surface, picture, 5, 4, 3, 0);
    ASSERT_EQ(bitmap.CopyToSurface(surface, 5, 4, 3, 0), 1);
    EXPECT_EQ(SurfaceBytes(surface), expected);
    EXPECT_EQ(surface->Pixels()[0], picture.At(3, 0));
    EXPECT_EQ(surface->Pixels()[surface->Pitch()], picture.At(3, 1));
}

TEST_F(BitmapCopyTest, TileSizedCopyWritesTwentyBytesInEachOfTwentyRowsAndNothingElse) {
    const Picture picture = Numbered(40, 30);
    Bitmap bitmap;
    Load(bitmap, picture);
    Surface* surface = Target(26, 25);

    const std::vector<uint8_t> expected = Expected(surface, picture, 20, 20, 2, 4);
    ASSERT_EQ(bitmap.CopyToSurface(surface, 20, 20, 2, 4), 1);
    EXPECT_EQ(SurfaceBytes(surface), expected);
}

TEST_F(BitmapCopyTest, NoRowsChangeNothing) {
    Bitmap bitmap;
    Load(bitmap, Numbered(10, 10));
    Surface* surface = Target(10, 10);
    const std::vector<uint8_t> before = SurfaceBytes(surface);
    EXPECT_EQ(bitmap.CopyToSurface(surface, 10, 0, 0, 0), 1);
    EXPECT_EQ(bitmap.CopyToSurface(surface, 10, -3, 0, 0), 1);
    EXPECT_EQ(bitmap.CopyToSurface(surface, -10, 10, 0, 0), 1);
    EXPECT_EQ(SurfaceBytes(surface), before);
}

// Broken pictures must not make the copy read outside the picture or write
// outside the surface; the part that exists is copied.
TEST_F(BitmapCopyTest, OnlyWhatLiesInsidePictureAndSurfaceIsCopied) {
    const Picture picture = Numbered(15, 12);
    Bitmap bitmap;
    Load(bitmap, picture);
    struct Case {
        int32_t width, rows, srcX, srcY;
    };
    const Case cases[] = {
        {20, 20, 2, 4},    // runs off the picture's right and bottom
        {10, 10, -4, -3},  // starts left of and above the picture
        {10, 10, 15, 0},   // wholly right of the picture
        {10, 10, 0, 12},   // wholly below the picture
        {40, 40, 0, 0},    // larger than the surface
        {10, 10, -2000000000, 2000000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.rows << " at " << c.srcX << ", " << c.srcY);
        Surface* surface = Target(10, 8);
        const std::vector<uint8_t> expected =
            Expected(surface, picture, c.width, c.rows, c.srcX, c.srcY);
        ASSERT_EQ(bitmap.CopyToSurface(surface, c.width, c.rows, c.srcX, c.srcY), 1);
        EXPECT_EQ(SurfaceBytes(surface), expected);
    }
}

TEST_F(BitmapCopyTest, PictureThatDidNotLoadCopiesNothing) {
    WriteBitmap("deep.bmp", Numbered(8, 8), DistinctPalette(), {.bitsPerPixel = 24});
    for (const char* name : {"missing.bmp", "deep.bmp"}) {
        Bitmap bitmap;
        bitmap.Load(name);
        Surface* surface = Target(8, 8);
        const std::vector<uint8_t> before = SurfaceBytes(surface);
        EXPECT_EQ(bitmap.CopyToSurface(surface, 8, 8, 0, 0), 1);
        EXPECT_EQ(SurfaceBytes(surface), before);
    }
}

TEST_F(BitmapCopyTest, SurfaceThatCannotBeLockedIsLeftAlone) {
    Bitmap bitmap;
    Load(bitmap, Numbered(8, 8));
    Surface* surface = Target(8, 8);
    const std::vector<uint8_t> before = SurfaceBytes(surface);
    platform::headless::FailStep(platform::Fault::LockSurface);
    EXPECT_EQ(bitmap.CopyToSurface(surface, 8, 8, 0, 0), 0);
    platform::headless::ClearFaults();
    EXPECT_EQ(SurfaceBytes(surface), before);
    EXPECT_EQ(bitmap.CopyToSurface(nullptr, 8, 8, 0, 0), 0);
}

}  // namespace
