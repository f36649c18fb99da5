// The fast blit: colour keys, pitches, refused rectangles, and the fast
// keyed copy held against the plain pixel-by-pixel definition.
#include <cstdint>
#include <random>
#include <vector>

#include "platform/common/pixel_rows.h"
#include "platform/display.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using BlitTest = DisplayTest;

std::vector<uint8_t> Pattern(int width, int height, uint8_t start) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<uint8_t>(start + i);
    }
    return pixels;
}

// What BltFast means, one pixel at a time, on pictures without padding.
void ReferenceBlit(std::vector<uint8_t>& destination, int destinationWidth, int x, int y,
                   const std::vector<uint8_t>& source, int sourceWidth, const Rect& from,
                   bool keyed, uint32_t low, uint32_t high) {
    for (int row = from.top; row < from.bottom; ++row) {
        for (int column = from.left; column < from.right; ++column) {
            const uint8_t pixel = source[row * sourceWidth + column];
            if (keyed && pixel >= low && pixel <= high) {
                continue;
            }
            destination[(y + row - from.top) * destinationWidth + x + column - from.left] = pixel;
        }
    }
}

TEST_F(BlitTest, KeyColouredPixelsLeaveTheDestinationShowing) {
    Surface* sprite = MakeKeyedSurface(3, 2, 253);
    WritePixels(*sprite, {1, 253, 2, 253, 3, 253});
    Surface* target = MakeSurface(5, 4);
    WritePixels(*target, std::vector<uint8_t>(20, 9));

    ASSERT_EQ(target->BltFast(1, 2, sprite, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), kOk);
    EXPECT_EQ(PixelsOf(*target), (std::vector<uint8_t>{9, 9, 9, 9, 9,  //
                                                       9, 9, 9, 9, 9,  //
                                                       9, 1, 9, 2, 9,  //
                                                       9, 9, 3, 9, 9}));
}

TEST_F(BlitTest, WithoutTheKeyFlagEveryPixelIsCopied) {
    Surface* sprite = MakeKeyedSurface(2, 1, 253);
    WritePixels(*sprite, {253, 4});
    Surface* target = MakeSurface(2, 1);
    ASSERT_EQ(target->BltFast(0, 0, sprite, nullptr, DDBLTFAST_NOCOLORKEY | DDBLTFAST_WAIT), kOk);
    EXPECT_EQ(PixelsOf(*target), (std::vector<uint8_t>{253, 4}));
}

TEST_F(BlitTest, ASourceRectangleIsTakenFromItsCorner) {
    Surface* sheet = MakeSurface(6, 4);
    WritePixels(*sheet, Pattern(6, 4, 10));
    Surface* target = MakeSurface(4, 4);
    const Rect from{3, 1, 5, 3};
    ASSERT_EQ(target->BltFast(0, 1, sheet, &from, DDBLTFAST_WAIT), kOk);
    EXPECT_EQ(PixelsOf(*target), (std::vector<uint8_t>{0, 0, 0, 0,    //
                                                       19, 20, 0, 0,  //
                                                       25, 26, 0, 0,  //
                                                       0, 0, 0, 0}));
}

TEST_F(BlitTest, FullScreenPictureReplacesAllButItsKeyPixels) {
    Surface* picture = MakeKeyedSurface(640, 480, 253);
    std::vector<uint8_t> pixels = Pattern(640, 480, 0);
    WritePixels(*picture, pixels);
    ASSERT_EQ(backBuffer->BltFast(0, 0, picture, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT),
              kOk);
    for (uint8_t& pixel : pixels) {
        if (pixel == 253) {
            pixel = 0;  // the cleared back buffer shows through
        }
    }
    EXPECT_EQ(PixelsOf(*backBuffer), pixels);
}

TEST_F(BlitTest, RectanglesLeavingEitherSurfaceAreRefusedWhole) {
    Surface* tile = MakeKeyedSurface(20, 20, 253);
    WritePixels(*tile, std::vector<uint8_t>(400, 6));
    struct Case {
        uint32_t x, y;
        Rect from;
    };
    const Case cases[] = {
        {621, 0, {0, 0, 20, 20}},          // one column past the right edge
        {0, 461, {0, 0, 20, 20}},          // one row past the bottom
        {0xFFFFFFF0u, 0, {0, 0, 20, 20}},  // wraps round as a signed number
        {0, 0, {-1, 0, 10, 10}},           // starts left of the source
        {0, 0, {0, 0, 21, 20}},            // ends right of the source
        {0, 0, {0, 5, 20, 5}},             // empty
        {0, 0, {8, 0, 4, 20}},             // upside down
    };
    for (const Case& c : cases) {
        EXPECT_EQ(backBuffer->BltFast(c.x, c.y, tile, &c.from, DDBLTFAST_SRCCOLORKEY),
                  kErrInvalidRect)
            << c.x << "," << c.y;
    }
    EXPECT_EQ(PixelsOf(*backBuffer), std::vector<uint8_t>(640 * 480, 0));
    // The last column and row that fit are fine.
    EXPECT_EQ(backBuffer->BltFast(620, 460, tile, nullptr, DDBLTFAST_SRCCOLORKEY), kOk);
    EXPECT_EQ(PixelsOf(*backBuffer).back(), 6);
}

TEST_F(BlitTest, ASurfaceCannotBeBlitOntoItself) {
    Surface* surface = MakeSurface(8, 8);
    const Rect from{0, 0, 2, 2};
    EXPECT_EQ(surface->BltFast(4, 4, surface, &from, 0), kErrInvalidParams);
    EXPECT_EQ(surface->BltFast(0, 0, nullptr, nullptr, 0), kErrInvalidParams);
}

TEST_F(BlitTest, AKeyRangeSkipsEveryColourInIt) {
    Surface* sprite = MakeSurface(40, 1);
    const ColorKey range{10, 20};
    ASSERT_EQ(sprite->SetColorKey(DDCKEY_SRCBLT, &range), kOk);
    WritePixels(*sprite, Pattern(40, 1, 0));
    Surface* target = MakeSurface(40, 1);
    WritePixels(*target, std::vector<uint8_t>(40, 99));
    ASSERT_EQ(target->BltFast(0, 0, sprite, nullptr, DDBLTFAST_SRCCOLORKEY), kOk);
    const std::vector<uint8_t> pixels = PixelsOf(*target);
    for (int i = 0; i < 40; ++i) {
        EXPECT_EQ(pixels[i], i >= 10 && i <= 20 ? 99 : i) << i;
    }
    // Taking the key away makes the blit copy everything.
    ASSERT_EQ(sprite->SetColorKey(DDCKEY_SRCBLT, nullptr), kOk);
    ASSERT_EQ(target->BltFast(0, 0, sprite, nullptr, DDBLTFAST_SRCCOLORKEY), kOk);
    EXPECT_EQ(PixelsOf(*target), Pattern(40, 1, 0));
}

TEST_F(BlitTest, FastKeyedCopyMatchesThePlainDefinition) {
    std::mt19937 random(20240531);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    for (int round = 0; round < 400; ++round) {
        const int sourceWidth = between(1, 90);
        const int sourceHeight = between(1, 12);
        const int targetWidth = between(sourceWidth, 120);
        const int targetHeight = between(sourceHeight, 16);
        // Few colours, so that key pixels come in runs as well as alone.
        const int colours = between(2, 6);
        const uint8_t base = static_cast<uint8_t>(between(0, 250));
        auto randomPixels = [&](int count) {
            std::vector<uint8_t> pixels(static_cast<size_t>(count));
            for (uint8_t& pixel : pixels) {
                pixel = static_cast<uint8_t>(base + between(0, colours - 1));
            }
            return pixels;
        };
        const std::vector<uint8_t> sourcePixels = randomPixels(sourceWidth * sourceHeight);
        std::vector<uint8_t> expected = randomPixels(targetWidth * targetHeight);

        Surface* source =
            MakeSurface(static_cast<uint32_t>(sourceWidth), static_cast<uint32_t>(sourceHeight));
        Surface* target =
            MakeSurface(static_cast<uint32_t>(targetWidth), static_cast<uint32_t>(targetHeight));
        WritePixels(*source, sourcePixels);
        WritePixels(*target, expected);

        const uint32_t low = base + static_cast<uint32_t>(between(0, colours - 1));
        const uint32_t high = between(0, 3) == 0 ? low + static_cast<uint32_t>(between(0, 3)) : low;
        const ColorKey key{low, high};
        ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), kOk);
        const bool keyed = between(0, 5) != 0;

        const int left = between(0, sourceWidth - 1);
        const int top = between(0, sourceHeight - 1);
        const Rect from{left, top, between(left + 1, sourceWidth), between(top + 1, sourceHeight)};
        const int x = between(0, targetWidth - (from.right - from.left));
        const int y = between(0, targetHeight - (from.bottom - from.top));

        ReferenceBlit(expected, targetWidth, x, y, sourcePixels, sourceWidth, from, keyed, low,
                      high);
        ASSERT_EQ(target->BltFast(static_cast<uint32_t>(x), static_cast<uint32_t>(y), source, &from,
                                  keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY),
                  kOk);
        ASSERT_EQ(PixelsOf(*target), expected)
            << "round " << round << ": " << (from.right - from.left) << " x "
            << (from.bottom - from.top) << " at " << x << "," << y << " key " << low << "-" << high;
    }
}

// Each way of the keyed copy that this processor runs, straight on pixel
// blocks: widths around its groups of 16 and 64 pixels and up to a screen row,
// rows further apart than they are wide, and nothing written between rows.
TEST(KeyedCopy, EveryWayMatchesThePlainDefinition) {
    std::mt19937 random(7031);
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int widths[] = {1, 15, 16, 17, 20, 63, 64, 65, 127, 128, 129, 640};
    int checkedWays = 0;
    for (const detail::KeyedCopy& way : detail::KeyedCopies()) {
        if (!way.runsHere()) {
            continue;
        }
        ++checkedWays;
        SCOPED_TRACE(way.name);
        for (int round = 0; round < 200; ++round) {
            const int width = round < 24 ? widths[round % 12] : between(1, 700);
            const int height = between(1, 5);
            const int sourcePitch = width + between(0, 70);
            const int targetPitch = width + between(0, 70);
            const uint8_t low = static_cast<uint8_t>(between(0, 255));
            const uint8_t high = between(0, 2) == 0 ? static_cast<uint8_t>(between(low, 255)) : low;
            // Mostly key colours and their neighbours, so that runs and
            // single pixels of both kinds occur.
            auto randomPixels = [&](int count) {
                std::vector<uint8_t> pixels(static_cast<size_t>(count));
                for (uint8_t& pixel : pixels) {
                    pixel = static_cast<uint8_t>(between(0, 1) == 0 ? between(low, high)
                                                                    : low + between(-2, 2));
                }
                return pixels;
            };
            const std::vector<uint8_t> source = randomPixels(sourcePitch * height);
            std::vector<uint8_t> target = randomPixels(targetPitch * height);
            std::vector<uint8_t> expected = target;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const uint8_t pixel = source[y * sourcePitch + x];
                    if (pixel < low || pixel > high) {
                        expected[y * targetPitch + x] = pixel;
                    }
                }
            }
            way.copy({target.data(), targetPitch, width, height}, {source.data(), sourcePitch}, low,
                     high);
            ASSERT_EQ(target, expected)
                << width << " x " << height << ", key " << int{low} << "-" << int{high};
        }
    }
    EXPECT_GE(checkedWays, 1);
}

TEST_F(BlitTest, PaddingBehindTheRowsIsNeverWritten) {
    Surface* sprite = MakeSurface(33, 3);
    WritePixels(*sprite, std::vector<uint8_t>(99, 5));
    Surface* target = MakeSurface(33, 3);
    ASSERT_EQ(target->BltFast(0, 0, sprite, nullptr, 0), kOk);
    BltFx fx{sizeof(BltFx), 8};
    ASSERT_EQ(target->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), kOk);
    for (int y = 0; y < 3; ++y) {
        for (int x = 33; x < target->Pitch(); ++x) {
            EXPECT_EQ(target->Pixels()[y * target->Pitch() + x], 0) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace platform::testing
