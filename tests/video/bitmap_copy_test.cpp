// Putting a picture's colours into a palette and its pixels into surfaces.
#include "tests/video/video_fixture.h"
#include "video/bitmap.h"
#include "video/display.h"

namespace {

using namespace video_test;
using platform::Surface;

constexpr uint8_t kUntouched = 0x77;

class BitmapCopyTest : public DisplayTest {
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
        FillSurface(surface, kUntouched);
        return surface;
    }

    std::vector<Surface*> surfaces;
};

// What the surface should hold after a copy: the picture rectangle at
// (srcX, srcY) where it lies inside both picture and surface, the old bytes
// everywhere else (row padding included).
std::vector<uint8_t> Expected(const Surface* surface, const Picture& picture, int32_t width,
                              int32_t rows, int32_t srcX, int32_t srcY) {
    std::vector<uint8_t> bytes = SurfaceBytes(surface);
    for (int64_t k = 0; k < rows && k < surface->Height(); ++k) {
        for (int64_t j = 0; j < width && j < surface->Width(); ++j) {
            const int64_t x = srcX + j;
            const int64_t y = srcY + k;
            if (x >= 0 && y >= 0 && x < picture.width && y < picture.height) {
                bytes[k * surface->Pitch() + j] =
                    picture.At(static_cast<int32_t>(x), static_cast<int32_t>(y));
            }
        }
    }
    return bytes;
}

TEST_F(BitmapCopyTest, ColoursReachThePaletteAsRedGreenBlue) {
    FilePalette colours = DistinctPalette();
    colours[7] = {0x10, 0x20, 0x30, 0x99};
    ApplyToScreen(colours);
    const platform::PaletteEntry* entries = backBufferPalette->Entries();
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(std::vector<int>({entries[i].red, entries[i].green, entries[i].blue}),
                  std::vector<int>({colours[i][2], colours[i][1], colours[i][0]}))
            << i;
    }
    // A picture that never loaded has black colours, and no palette is no harm.
    Bitmap neverLoaded;
    EXPECT_EQ(neverLoaded.Load("missing.bmp"), 0);
    EXPECT_EQ(neverLoaded.ApplyPalette(backBufferPalette), 1);
    EXPECT_EQ(neverLoaded.ApplyPalette(nullptr), 1);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(entries[i].red + entries[i].green + entries[i].blue, 0) << i;
    }
}

// A broken picture must neither make the copy read outside the picture nor
// write outside the surface: only the part inside both is copied.
TEST_F(BitmapCopyTest, RectangleLandsTopRowFirstAtTheSurfaceCornerAndNowhereElse) {
    const Picture picture = Pattern(40, 30);
    Bitmap bitmap;
    WriteBitmap("picture.bmp", picture);
    ASSERT_EQ(bitmap.Load("picture.bmp"), 1);
    struct Case {
        int32_t surfaceWidth, surfaceHeight, width, rows, srcX, srcY;
    };
    const Case cases[] = {
        {26, 25, 20, 20, 2, 4},    // a tile: 20 bytes in each of 20 rows
        {8, 6, 5, 4, 3, 0},        // srcY 0 is the picture's top row
        {10, 10, 10, 0, 0, 0},     // no rows
        {10, 10, 10, -3, 0, 0},    // no rows either
        {10, 10, -10, 10, 0, 0},   // no columns
        {30, 30, 30, 30, 25, 20},  // runs off the picture's right and bottom
        {10, 10, 10, 10, -4, -3},  // starts left of and above the picture
        {10, 10, 10, 10, 40, 0},   // wholly right of the picture
        {10, 10, 10, 10, 0, 30},   // wholly below the picture
        {10, 8, 40, 30, 0, 0},     // larger than the surface
        {10, 10, 10, 10, -2000000000, 2000000000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.rows << " from " << c.srcX << ", " << c.srcY);
        Surface* surface = Target(c.surfaceWidth, c.surfaceHeight);
        const auto expected = Expected(surface, picture, c.width, c.rows, c.srcX, c.srcY);
        ASSERT_EQ(bitmap.CopyToSurface(surface, c.width, c.rows, c.srcX, c.srcY), 1);
        EXPECT_EQ(SurfaceBytes(surface), expected);
    }
}

// A picture that did not load copies nothing; a surface that cannot be locked
// or is missing is left alone.
TEST_F(BitmapCopyTest, NothingToCopyOrNowhereToCopyToChangesNothing) {
    WriteBitmap("deep.bmp", Pattern(8, 8), DistinctPalette(), {.bitsPerPixel = 24});
    WriteBitmap("picture.bmp", Pattern(8, 8));
    const std::vector<uint8_t> untouched = SurfaceBytes(Target(8, 8));
    for (const char* name : {"missing.bmp", "deep.bmp"}) {
        Bitmap bitmap;
        bitmap.Load(name);
        Surface* surface = Target(8, 8);
        EXPECT_EQ(bitmap.CopyToSurface(surface, 8, 8, 0, 0), 1);
        EXPECT_EQ(SurfaceBytes(surface), untouched) << name;
    }
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("picture.bmp"), 1);
    Surface* surface = Target(8, 8);
    platform::headless::FailStep(platform::Fault::LockSurface);
    EXPECT_EQ(bitmap.CopyToSurface(surface, 8, 8, 0, 0), 0);
    EXPECT_EQ(SurfaceBytes(surface), untouched);
    EXPECT_EQ(bitmap.CopyToSurface(nullptr, 8, 8, 0, 0), 0);
}

}  // namespace
