// The fast blit: refused rectangles, and the blit and each way of its keyed
// copy held against the plain pixel-by-pixel definition.
#include <random>

#include "platform/emulated/emulated_pixel_rows.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using BlitTest = DisplayTest;

// The keyed copy, one pixel at a time: each pixel copied unless its colour
// lies in low..high.
void ReferenceCopy(uint8_t* target, int targetPitch, const uint8_t* source, int sourcePitch,
                   int width, int height, uint32_t low, uint32_t high) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t pixel = source[y * sourcePitch + x];
            if (pixel < low || pixel > high) {
                target[y * targetPitch + x] = pixel;
            }
        }
    }
}

// Blits and fills reaching outside either surface, empty or upside down, are
// refused whole; the last column and row that fit are fine.
TEST_F(BlitTest, RectanglesLeavingEitherSurfaceAreRefusedWhole) {
    Surface* tile = MakeSurface(20, 20);
    WritePixels(*tile, Pixels(400, 6));
    const struct {
        uint32_t x, y;
        Rect from;
    } blits[] = {
        {621, 0, {0, 0, 20, 20}}, {0, 461, {0, 0, 20, 20}}, {0xFFFFFFF0u, 0, {0, 0, 20, 20}},
        {0, 0, {-1, 0, 10, 10}},  {0, 0, {0, 0, 21, 20}},   {0, 0, {0, 5, 20, 5}},
        {0, 0, {8, 0, 4, 20}},
    };
    for (const auto& blit : blits) {
        EXPECT_EQ(backBuffer->BltFast(blit.x, blit.y, tile, &blit.from, 0), kErrInvalidRect)
            << blit.x << "," << blit.y;
    }
    for (const Rect& outside : {Rect{-1, 0, 4, 4}, Rect{0, 0, 21, 20}, Rect{0, 0, 20, 21},
                                Rect{5, 5, 5, 6}, Rect{4, 2, 3, 5}}) {
        EXPECT_EQ(Fill(tile, 1, &outside), kErrInvalidRect);
    }
    EXPECT_EQ(tile->BltFast(0, 0, tile, nullptr, 0), kErrInvalidParams) << "onto itself";
    EXPECT_EQ(tile->BltFast(0, 0, nullptr, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(PixelsOf(*backBuffer), Pixels(640 * 480, 0));
    EXPECT_EQ(backBuffer->BltFast(620, 460, tile, nullptr, 0), kOk);
    EXPECT_EQ(PixelsOf(*backBuffer).back(), 6);
}

int Between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

Pixels RandomPixels(std::mt19937& random, int count, int low, int high) {
    Pixels pixels(static_cast<size_t>(count));
    for (uint8_t& pixel : pixels) {
        pixel = static_cast<uint8_t>(Between(random, low, high));
    }
    return pixels;
}

// The source's corner and the place on the target, keyed or not (no colour
// lies above 255), against the plain copy.
TEST_F(BlitTest, BlitsCopyTheirRectangleToItsPlace) {
    std::mt19937 random(5);
    const Pixels sourcePixels = RandomPixels(random, 30 * 9, 250, 255);
    Surface* source = MakeSurface(30, 9);
    Surface* target = MakeSurface(40, 12);
    WritePixels(*source, sourcePixels);
    const ColorKey key{253, 254};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), kOk);
    const Rect from{3, 5, 28, 9};
    for (uint32_t flags : {DDBLTFAST_NOCOLORKEY, DDBLTFAST_SRCCOLORKEY}) {
        Pixels expected = RandomPixels(random, 40 * 12, 250, 255);
        WritePixels(*target, expected);
        ReferenceCopy(&expected[2 * 40 + 7], 40, &sourcePixels[5 * 30 + 3], 30, 25, 4,
                      flags == DDBLTFAST_SRCCOLORKEY ? 253 : 256, 254);
        ASSERT_EQ(target->BltFast(7, 2, source, &from, flags), kOk);
        EXPECT_EQ(PixelsOf(*target), expected) << flags;
    }
}

// Each way of the keyed copy that this processor runs, straight on pixel
// blocks: widths around its groups of 16 and 64 pixels and up to a screen row,
// rows further apart than they are wide, and nothing written between rows.
TEST(KeyedCopy, EveryWayMatchesThePlainDefinition) {
    std::mt19937 random(7031);
    const int widths[] = {1, 15, 16, 17, 20, 63, 64, 65, 127, 128, 129, 640};
    int checkedWays = 0;
    for (const detail::KeyedCopy& way : detail::KeyedCopies()) {
        if (!way.runsHere()) {
            continue;
        }
        ++checkedWays;
        SCOPED_TRACE(way.name);
        for (int round = 0; round < 200; ++round) {
            const int width = round < 24 ? widths[round % 12] : Between(random, 1, 700);
            const int height = Between(random, 1, 5);
            const int sourcePitch = width + Between(random, 0, 70);
            const int targetPitch = width + Between(random, 0, 70);
            const int low = Between(random, 0, 255);
            const int high = Between(random, 0, 2) == 0 ? Between(random, low, 255) : low;
            // Key colours and their neighbours, so that runs and single pixels
            // of both kinds occur.
            const Pixels source = RandomPixels(random, sourcePitch * height, low - 2, high + 2);
            Pixels target = RandomPixels(random, targetPitch * height, low - 2, high + 2);
            Pixels expected = target;
            ReferenceCopy(expected.data(), targetPitch, source.data(), sourcePitch, width, height,
                          static_cast<uint32_t>(low), static_cast<uint32_t>(high));
            way.copy({target.data(), targetPitch, width, height}, {source.data(), sourcePitch},
                     static_cast<uint8_t>(low), static_cast<uint8_t>(high));
            ASSERT_EQ(target, expected)
                << width << " x " << height << ", key " << low << "-" << high;
        }
    }
    EXPECT_GE(checkedWays, 1);
}

}  // namespace
}  // namespace platform::testing
