// The 8-bit screen in 32-bit colour: every way of expanding it that runs here
// gives the pixels of the plain definition, and nothing outside the rows or the
// part asked for.
#include "platform/hosts/host_palette_expand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

namespace platform::testing {
namespace {

TEST(PaletteExpansion, EveryWayMatchesThePlainDefinition) {
    std::mt19937 random(1987);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto byte = [&] { return static_cast<uint8_t>(between(0, 255)); };
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
            const int32_t width = round < 28 ? widths[round % 14] : between(1, 700);
            const int32_t height = between(1, 6), pitch = width + between(0, 40);
            // The same size, stretched by up to four times, or shrunk.
            const int stretch = round < 28 ? 0 : between(0, 3);
            auto stretched = [&](int side) {
                return stretch == 0   ? side
                       : stretch == 3 ? between(1, side)
                                      : between(side, 4 * side);
            };
            const int32_t outWidth = stretched(width), outHeight = stretched(height);
            const int32_t stride = outWidth + between(0, 9);
            // The whole output, or (from round 100) a part of it of any size.
            OutputPart part{0, 0, outWidth, outHeight};
            if (round >= 100) {
                part.x = between(0, outWidth - 1);
                part.y = between(0, outHeight - 1);
                part.width = between(1, outWidth - part.x);
                part.height = between(1, outHeight - part.y);
            }
            // The last row ends the block, so that a read past it shows under
            // the address sanitizer.
            std::vector<uint8_t> pixels(static_cast<size_t>(pitch * (height - 1) + width));
            std::generate(pixels.begin(), pixels.end(), byte);
            PaletteEntry palette[256];
            for (PaletteEntry& entry : palette) {
                entry = {byte(), byte(), byte(), byte()};
            }
            // Opaque red, green, blue with the flag byte left out; padding untouched.
            std::vector<uint32_t> expected(static_cast<size_t>(stride * outHeight), 0xDEADBEEFu);
            std::vector<uint32_t> out = expected;
            for (int32_t y = part.y; y < part.y + part.height; ++y) {
                for (int32_t x = part.x; x < part.x + part.width; ++x) {
                    const PaletteEntry entry =
                        palette[pixels[y * height / outHeight * pitch + x * width / outWidth]];
                    expected[y * stride + x] = 0xFF000000u | uint32_t{entry.red} << 16 |
                                               uint32_t{entry.green} << 8 | entry.blue;
                }
            }
            way.expand({pixels.data(), pitch, width, height, palette,
                        out.data() + part.y * stride + part.x, stride * 4, outWidth, outHeight,
                        part});
            ASSERT_EQ(out, expected) << width << " x " << height << " to " << outWidth << " x "
                                     << outHeight << ", pitches " << pitch << " and " << stride
                                     << ", part at " << part.x << ", " << part.y;
        }
    }
    EXPECT_GE(checkedWays, 1);
}

TEST(PaletteExpansion, NoPaletteIsBlack) {
    const uint8_t pixels[3] = {1, 255, 0};
    uint32_t out[6] = {};
    ExpandThroughPaletteScaled(pixels, 3, 3, 1, nullptr, out, sizeof out, 6, 1);
    EXPECT_EQ(std::vector<uint32_t>(out, out + 6), std::vector<uint32_t>(6, 0xFF000000u));
}

}  // namespace
}  // namespace platform::testing
