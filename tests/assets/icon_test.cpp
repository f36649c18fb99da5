// The program's icon: the .ico file beside the program, and the copy the
// program carries (ProgramIcon), which must be the same picture.
#include <gtest/gtest.h>

#include <set>

#include "app/program_icon.h"
#include "tests/assets/file_readers.h"

namespace assets_test {
namespace {

struct DecodedIco {
    std::vector<uint8_t> pixels;  // top-down
    std::vector<uint32_t> colours;
};

DecodedIco DecodeOnlyImage(const std::vector<uint8_t>& bytes) {
    const uint32_t offset = Little32(bytes, 18);
    const uint32_t headerSize = Little32(bytes, offset);
    DecodedIco icon;
    const size_t palette = offset + headerSize;
    for (size_t i = 0; i < 16; ++i) {
        const size_t entry = palette + 4 * i;
        icon.colours.push_back((static_cast<uint32_t>(bytes[entry + 2]) << 16) |
                               (static_cast<uint32_t>(bytes[entry + 1]) << 8) | bytes[entry]);
    }
    const size_t rows = palette + 16 * 4;
    icon.pixels.resize(32 * 32);
    for (int stored = 0; stored < 32; ++stored) {
        const int y = 31 - stored;
        for (int x = 0; x < 32; ++x) {
            const uint8_t pair = bytes[rows + static_cast<size_t>(stored) * 16 + x / 2];
            icon.pixels[static_cast<size_t>(y * 32 + x)] =
                static_cast<uint8_t>(x % 2 == 0 ? pair >> 4 : pair & 0x0F);
        }
    }
    return icon;
}

TEST(IconFile, HoldsOne32By32ImageOf16Colours) {
    const std::vector<uint8_t> bytes = ReadWholeFile("stackwell.ico");
    ASSERT_GE(bytes.size(), 22u);
    EXPECT_EQ(Little16(bytes, 0), 0);
    EXPECT_EQ(Little16(bytes, 2), 1) << "an icon, not a cursor";
    ASSERT_EQ(Little16(bytes, 4), 1);
    EXPECT_EQ(bytes[6], 32);
    EXPECT_EQ(bytes[7], 32);
    EXPECT_EQ(bytes[8], 16);
    EXPECT_EQ(Little16(bytes, 12), 4);
    const uint32_t size = Little32(bytes, 14);
    const uint32_t offset = Little32(bytes, 18);
    ASSERT_EQ(offset + size, bytes.size());
    // The image: a bitmap header over colour rows and mask rows together.
    EXPECT_EQ(Little32(bytes, offset), 40u);
    EXPECT_EQ(Little32(bytes, offset + 4), 32u);
    EXPECT_EQ(Little32(bytes, offset + 8), 64u);
    EXPECT_EQ(Little16(bytes, offset + 14), 4);
    EXPECT_EQ(size, 40u + 16 * 4 + 32 * 32 / 2 + 32 * 4);
}

TEST(ProgramIcon, IsTheSamePictureAsTheIconFile) {
    const platform::IconImage& carried = ProgramIcon();
    ASSERT_EQ(carried.width, 32);
    ASSERT_EQ(carried.height, 32);
    ASSERT_EQ(carried.colourCount, 16);
    ASSERT_NE(carried.pixels, nullptr);
    ASSERT_NE(carried.colours, nullptr);

    const DecodedIco file = DecodeOnlyImage(ReadWholeFile("stackwell.ico"));
    for (size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(carried.colours[i], file.colours[i]) << "colour " << i;
    }
    std::set<uint8_t> used;
    for (size_t i = 0; i < 32 * 32; ++i) {
        ASSERT_LT(carried.pixels[i], 16);
        EXPECT_EQ(carried.pixels[i], file.pixels[i]) << "pixel " << i;
        used.insert(carried.pixels[i]);
    }
    EXPECT_GE(used.size(), 8u) << "a picture, not a blank square";
}

}  // namespace
}  // namespace assets_test
