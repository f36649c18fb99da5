// Reading picture files, broken ones included, and copying their rectangles
// and colours into surfaces and palettes.
#include <cstring>
#include <limits>
#include <string>

#include "platform/emulated/emulated_file_source.h"
#include "tests/video/video_fixture.h"

namespace {

using namespace video_test;
using platform::Surface;

// The rows a bitmap should hold: bottom row first, no padding.
Bytes StoredRows(const Picture& picture) {
    Bytes rows;
    for (int32_t y = picture.height - 1; y >= 0; --y) {
        const auto first = picture.pixels.begin() + y * picture.width;
        rows.insert(rows.end(), first, first + picture.width);
    }
    return rows;
}

Bytes Held(const Bitmap& bitmap) {
    const uint8_t* pixels = bitmap.Pixels();
    return pixels == nullptr ? Bytes{}
                             : Bytes(pixels, pixels + static_cast<size_t>(bitmap.Width()) *
                                                          static_cast<size_t>(bitmap.Height()));
}

Bytes Cut(Bytes bytes, size_t length) {
    bytes.resize(length);
    return bytes;
}

using PictureTest = VideoTest;

// Whatever the offset field says, rows start at 1078; the file's colours
// reach the palette as they are, channel by channel.
TEST_F(PictureTest, RowsComeBottomUpFromBehindThePaletteWithoutTheirPadding) {
    struct Case {
        int32_t width, height;
        uint32_t offsetField;
    };
    Bitmap bitmap;
    for (const Case& c : {Case{20, 6, 1078}, Case{21, 6, 1078}, Case{22, 3, 54}, Case{23, 3, 0},
                          Case{4096, 2, 2000}, Case{5, 0, 1078}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << ", " << c.offsetField);
        const Picture picture = Pattern(c.width, c.height);
        WriteFile("picture.bmp", EncodeBitmap(picture, {.pixelDataOffset = c.offsetField}));
        ASSERT_EQ(bitmap.Load("picture.bmp"), 1);
        EXPECT_EQ(std::pair(bitmap.Width(), bitmap.Height()), std::pair(c.width, c.height));
        EXPECT_EQ(Held(bitmap), StoredRows(picture));
    }
    EXPECT_EQ(bitmap.ApplyPalette(primaryPalette), 1);
    PresentFrame();
    for (int32_t i = 0; i < 256; ++i) {
        const platform::PaletteEntry shown = Shown().palette[static_cast<size_t>(i)];
        const platform::PaletteEntry wanted = FileColour(i);
        ASSERT_EQ(std::memcmp(&shown, &wanted, 3), 0) << "red, green and blue of entry " << i;
    }
}

// Absurd sizes once made the game ask for gigabytes or read past its block.
// The game loads each picture once into a fresh bitmap and draws whatever
// pixels it holds: a broken or missing file must leave none. A cut file is
// read as far as it goes and the rest is 0, without reading on past its end
// row by row.
TEST_F(PictureTest, BrokenFilesLoadNothingAndCutFilesLoadWhatTheyHold) {
    const int32_t most = std::numeric_limits<int32_t>::max();
    const Picture picture = Pattern(4, 4);
    std::vector<Bytes> files = {{}, Cut(EncodeBitmap(picture), 28)};
    for (int bits : {1, 4, 16, 24, 32}) {
        files.push_back(EncodeBitmap(picture, {.bitsPerPixel = static_cast<uint16_t>(bits)}));
    }
    for (auto [width, height] :
         {std::pair{4, -4}, {-4, 4}, {0, 4}, {4097, 1}, {1, 4097}, {most, most}, {65536, 65536}}) {
        files.push_back(EncodeBitmap(picture, {.width = width, .height = height}));
    }
    std::vector<std::string> names = {"missing.bmp", "folder.bmp"};
    std::filesystem::create_directory("folder.bmp");
    for (size_t i = 0; i < files.size(); ++i) {
        names.push_back("broken" + std::to_string(i) + ".bmp");
        WriteFile(names.back().c_str(), files[i]);
    }
    for (const std::string& name : names) {
        Bitmap broken;
        broken.Load(name.c_str());
        EXPECT_EQ(broken.Pixels(), nullptr) << name;
    }

    Bitmap bitmap;
    const Bytes whole = EncodeBitmap(Picture(21, 4, 0xAB));  // stride 24
    WriteFile("cut.bmp", Cut(whole, 1078 + 24 + 10));
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    Bytes expected(21 * 4, 0);
    std::fill_n(expected.begin(), 21 + 10, 0xAB);
    EXPECT_EQ(Held(bitmap), expected);
    WriteFile("cut.bmp", Cut(whole, 600));  // inside the palette
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    EXPECT_EQ(Held(bitmap), Bytes(21 * 4, 0));
    WriteFile("cut.bmp", Cut(EncodeBitmap(Picture(8, 4096, 1)), 1078 + 8 * 100 + 3));
    const uint64_t readsBefore = platform::detail::SourceReads();
    ASSERT_EQ(bitmap.Load("cut.bmp"), 1);
    EXPECT_LE(platform::detail::SourceReads() - readsBefore, 110u) << "read on past the end";
}

// The game cuts each image from its strip into a surface of the image's size,
// from a corner inside the strip. A strip too small must neither make the
// copy read outside the picture nor write outside the surface: the picture
// rectangle lands where it lies inside the picture, the old bytes (row
// padding included) stay everywhere else.
TEST_F(PictureTest, RectangleLandsTopRowFirstWhereThePictureHasIt) {
    const Picture picture = Pattern(40, 30);
    WriteFile("picture.bmp", EncodeBitmap(picture));
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("picture.bmp"), 1);
    struct Case {
        int32_t width, rows, srcX, srcY;
    };
    for (const Case& c :
         {Case{21, 20, 2, 4}, Case{30, 30, 25, 20}, Case{10, 10, 40, 0}, Case{10, 10, 0, 30}}) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.rows << " from " << c.srcX << ", " << c.srcY);
        const platform::SurfaceDesc description{
            .size = sizeof(platform::SurfaceDesc),
            .flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT,
            .height = static_cast<uint32_t>(c.rows),
            .width = static_cast<uint32_t>(c.width),
            .caps = {platform::DDSCAPS_OFFSCREENPLAIN}};
        Surface* surface = nullptr;
        ASSERT_EQ(directDraw->CreateSurface(&description, &surface, nullptr), platform::kOk);
        FillSurface(surface, 0x77);
        Bytes expected = SurfaceBytes(surface);
        for (int32_t k = 0; k < c.rows && c.srcY + k < picture.height; ++k) {
            for (int32_t j = 0; j < c.width && c.srcX + j < picture.width; ++j) {
                expected[static_cast<size_t>(k * surface->Pitch() + j)] =
                    picture.At(c.srcX + j, c.srcY + k);
            }
        }
        ASSERT_EQ(bitmap.CopyToSurface(surface, c.width, c.rows, c.srcX, c.srcY), 1);
        EXPECT_EQ(SurfaceBytes(surface), expected);
        surface->Release();
    }
}

}  // namespace
