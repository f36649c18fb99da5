// The 8-bit screen in 32-bit colour: each pixel its palette colour, rows found
// through both pitches, nothing written past a row.
#include "platform/sdl/palette_expand.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform::sdl {
namespace {

TEST(PaletteExpansion, LooksUpOpaqueColoursInRedGreenBlueOrder) {
    PaletteEntry palette[256] = {};
    palette[1] = {0x12, 0x34, 0x56, 0};
    palette[255] = {0xFF, 0x00, 0x80, 0xAA};  // the flag byte does not leak into alpha
    uint32_t lookup[256];
    BuildColourLookup(palette, lookup);
    EXPECT_EQ(lookup[0], 0xFF000000u);
    EXPECT_EQ(lookup[1], 0xFF123456u);
    EXPECT_EQ(lookup[255], 0xFFFF0080u);
}

TEST(PaletteExpansion, NoPaletteIsAllBlack) {
    uint32_t lookup[256];
    BuildColourLookup(nullptr, lookup);
    for (uint32_t colour : lookup) {
        EXPECT_EQ(colour, 0xFF000000u);
    }
}

TEST(PaletteExpansion, FollowsBothPitchesAndLeavesThePaddingAlone) {
    constexpr int32_t kWidth = 13;  // not a multiple of anything convenient
    constexpr int32_t kHeight = 3;
    constexpr int32_t kPitch = 16;
    constexpr int32_t kOutPitch = 17 * 4;
    std::vector<uint8_t> pixels(kPitch * kHeight, 0xEE);  // padding holds a stray index
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            pixels[y * kPitch + x] = static_cast<uint8_t>(y * kWidth + x);
        }
    }
    uint32_t lookup[256];
    for (uint32_t index = 0; index < 256; ++index) {
        lookup[index] = 0xFF000000u | index * 0x010203u;
    }
    constexpr uint32_t kUntouched = 0xDEADBEEFu;
    std::vector<uint32_t> out(kOutPitch / 4 * kHeight, kUntouched);

    ExpandThroughPalette(pixels.data(), kPitch, kWidth, kHeight, lookup, out.data(), kOutPitch);

    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kOutPitch / 4; ++x) {
            const uint32_t got = out[y * (kOutPitch / 4) + x];
            if (x < kWidth) {
                EXPECT_EQ(got, lookup[y * kWidth + x]) << x << "," << y;
            } else {
                EXPECT_EQ(got, kUntouched) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace platform::sdl
