// The 8-bit screen in 32-bit colour: every way of expanding it that this
// processor can run gives, on random pictures, palettes, sizes, stretches and
// pitches, the pixels of the plain definition, and writes nothing outside the
// output rows.
#include "platform/common/palette_expand.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace platform::testing {
namespace {

constexpr uint32_t kUntouched = 0xDEADBEEFu;

uint32_t Opaque(const PaletteEntry& entry) {
    return 0xFF000000u | uint32_t{entry.red} << 16 | uint32_t{entry.green} << 8 | entry.blue;
}

struct Picture {
    int32_t width;
    int32_t height;
    int32_t pitch;  // bytes
    std::vector<uint8_t> pixels;
    int32_t outWidth;
    int32_t outHeight;
    int32_t outPitch;  // bytes
};

// What the expansion means, one pixel at a time, with the padding of each
// output row left as it was.
std::vector<uint32_t> Reference(const Picture& picture, const PaletteEntry* palette) {
    const int32_t outStride = picture.outPitch / 4;
    std::vector<uint32_t> out(static_cast<size_t>(outStride) * picture.outHeight, kUntouched);
    for (int32_t y = 0; y < picture.outHeight; ++y) {
        for (int32_t x = 0; x < picture.outWidth; ++x) {
            const int64_t sourceX = int64_t{x} * picture.width / picture.outWidth;
            const int64_t sourceY = int64_t{y} * picture.height / picture.outHeight;
            out[y * outStride + x] =
                Opaque(palette[picture.pixels[sourceY * picture.pitch + sourceX]]);
        }
    }
    return out;
}

std::vector<uint32_t> Expand(const detail::PaletteExpansion& way, const Picture& picture,
                             const PaletteEntry* palette) {
    std::vector<uint32_t> out(static_cast<size_t>(picture.outPitch / 4) * picture.outHeight,
                              kUntouched);
    way.expand({picture.pixels.data(), picture.pitch, picture.width, picture.height, palette,
                out.data(), picture.outPitch, picture.outWidth, picture.outHeight});
    return out;
}

TEST(PaletteExpansion, EveryWayMatchesThePlainDefinition) {
    std::mt19937 random(1987);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    // Widths around the wide way's groups of 64 and the full screen row.
    const int32_t widths[] = {1, 2, 15, 16, 17, 63, 64, 65, 127, 128, 129, 200, 639, 640};
    int checkedWays = 0;
    for (const detail::PaletteExpansion& way : detail::PaletteExpansions()) {
        if (!way.runsHere()) {
            continue;
        }
        ++checkedWays;
        SCOPED_TRACE(way.name);
        for (int round = 0; round < 200; ++round) {
            Picture picture;
            picture.width = round < 28 ? widths[round % 14] : between(1, 700);
            picture.height = between(1, 6);
            picture.pitch = picture.width + between(0, 40);
            // The same size, stretched by up to four times, or shrunk.
            const int stretch = round < 28 ? 0 : between(0, 3);
            auto stretched = [&](int side) {
                return stretch == 0   ? side
                       : stretch == 3 ? between(1, side)
                                      : between(side, 4 * side);
            };
            picture.outWidth = stretched(picture.width);
            picture.outHeight = stretched(picture.height);
            picture.outPitch = 4 * (picture.outWidth + between(0, 9));
            // The last row ends the block, so that a read past it shows
            // under the address sanitizer.
            picture.pixels.resize(static_cast<size_t>(picture.pitch) * (picture.height - 1) +
                                  picture.width);
            for (uint8_t& pixel : picture.pixels) {
                pixel = static_cast<uint8_t>(between(0, 255));
            }
            PaletteEntry palette[256];
            for (PaletteEntry& entry : palette) {
                entry = {
                    static_cast<uint8_t>(between(0, 255)), static_cast<uint8_t>(between(0, 255)),
                    static_cast<uint8_t>(between(0, 255)), static_cast<uint8_t>(between(0, 255))};
            }
            ASSERT_EQ(Expand(way, picture, palette), Reference(picture, palette))
                << picture.width << " x " << picture.height << " to " << picture.outWidth << " x "
                << picture.outHeight << ", pitches " << picture.pitch << " and "
                << picture.outPitch;
        }
    }
    EXPECT_GE(checkedWays, 1);
}

// The game's screen on a 1024 x 768 desktop, through the entry point the
// backend calls.
TEST(PaletteExpansion, TheScreenStretchedToADesktopShowsEachPixelAsABlock) {
    std::vector<uint8_t> screen(640 * 480);
    for (size_t i = 0; i < screen.size(); ++i) {
        screen[i] = static_cast<uint8_t>(i * 7 + i / 640);
    }
    PaletteEntry palette[256];
    for (int index = 0; index < 256; ++index) {
        palette[index] = {static_cast<uint8_t>(index), static_cast<uint8_t>(255 - index),
                          static_cast<uint8_t>(index * 3), 0};
    }
    std::vector<uint32_t> out(1024 * 768, kUntouched);
    ExpandThroughPaletteScaled(screen.data(), 640, 640, 480, palette, out.data(), 1024 * 4, 1024,
                               768);
    const Picture picture{640, 480, 640, screen, 1024, 768, 1024 * 4};
    EXPECT_EQ(out, Reference(picture, palette));
    // 8 picture pixels become 13 output pixels across and down.
    EXPECT_EQ(out[0], out[1]);
    EXPECT_EQ(out[1024], out[0]);
    EXPECT_NE(out[2], out[1]);
}

TEST(PaletteExpansion, ColoursAreOpaqueRedGreenBlueAndNoPaletteIsBlack) {
    PaletteEntry palette[256] = {};
    palette[1] = {0x12, 0x34, 0x56, 0};
    palette[255] = {0xFF, 0x00, 0x80, 0xAA};  // the flag byte does not leak into alpha
    const uint8_t pixels[3] = {1, 255, 0};
    uint32_t out[3] = {};

    ExpandThroughPalette(pixels, 3, 3, 1, palette, out, sizeof out);
    EXPECT_EQ(out[0], 0xFF123456u);
    EXPECT_EQ(out[1], 0xFFFF0080u);
    EXPECT_EQ(out[2], 0xFF000000u);

    ExpandThroughPalette(pixels, 3, 3, 1, nullptr, out, sizeof out);
    for (uint32_t colour : out) {
        EXPECT_EQ(colour, 0xFF000000u);
    }
}

}  // namespace
}  // namespace platform::testing
