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

class Random {
public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int Between(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(engine_);
    }

private:
    std::mt19937 engine_;
};

// The keyed copy, one pixel at a time: rows of width pixels, pitches apart,
// each pixel copied unless its colour lies in low..high.
void ReferenceCopy(uint8_t* target, int targetPitch, const uint8_t* source, int sourcePitch,
                   int width, int height, bool keyed, uint32_t low, uint32_t high) {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint8_t pixel = source[y * sourcePitch + x];
            if (!keyed || pixel < low || pixel > high) {
                target[y * targetPitch + x] = pixel;
            }
        }
    }
}

TEST_F(BlitTest, KeyColouredPixelsLeaveTheDestinationShowingUntilTheKeyIsTaken) {
    Surface* sprite = MakeKeyedSurface(3, 2, 253);
    WritePixels(*sprite, {1, 253, 2, 253, 3, 253});
    Surface* target = MakeSurface(5, 4);
    WritePixels(*target, std::vector<uint8_t>(20, 9));

    ASSERT_EQ(target->BltFast(1, 2, sprite, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), kOk);
    EXPECT_EQ(PixelsOf(*target), (std::vector<uint8_t>{9, 9, 9, 9, 9,  //
                                                       9, 9, 9, 9, 9,  //
                                                       9, 1, 9, 2, 9,  //
                                                       9, 9, 3, 9, 9}));
    ASSERT_EQ(sprite->SetColorKey(DDCKEY_SRCBLT, nullptr), kOk);
    ASSERT_EQ(target->BltFast(0, 0, sprite, nullptr, DDBLTFAST_SRCCOLORKEY), kOk);
    EXPECT_EQ(PixelsOf(*target)[1], 253);
    EXPECT_EQ(sprite->BltFast(0, 0, sprite, nullptr, 0), kErrInvalidParams) << "onto itself";
    EXPECT_EQ(sprite->BltFast(0, 0, nullptr, nullptr, 0), kErrInvalidParams);
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

// Random sizes, corners, places and key ranges, on surfaces whose rows are
// padded: few colours, so that key pixels come in runs as well as alone.
TEST_F(BlitTest, BlitsMatchThePlainDefinition) {
    Random random(20240531);
    for (int round = 0; round < 400; ++round) {
        const int sourceWidth = random.Between(1, 90);
        const int sourceHeight = random.Between(1, 12);
        const int targetWidth = random.Between(sourceWidth, 120);
        const int targetHeight = random.Between(sourceHeight, 16);
        const int colours = random.Between(2, 6);
        const int base = random.Between(0, 250);
        auto randomPixels = [&](int count) {
            std::vector<uint8_t> pixels(static_cast<size_t>(count));
            for (uint8_t& pixel : pixels) {
                pixel = static_cast<uint8_t>(base + random.Between(0, colours - 1));
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

        const auto low = static_cast<uint32_t>(base + random.Between(0, colours - 1));
        const uint32_t high =
            random.Between(0, 3) == 0 ? low + static_cast<uint32_t>(random.Between(0, 3)) : low;
        const ColorKey key{low, high};
        ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), kOk);
        const bool keyed = random.Between(0, 5) != 0;
        const int left = random.Between(0, sourceWidth - 1);
        const int top = random.Between(0, sourceHeight - 1);
        const Rect from{left, top, random.Between(left + 1, sourceWidth),
                        random.Between(top + 1, sourceHeight)};
        const int x = random.Between(0, targetWidth - (from.right - from.left));
        const int y = random.Between(0, targetHeight - (from.bottom - from.top));

        ReferenceCopy(&expected[y * targetWidth + x], targetWidth,
                      &sourcePixels[top * sourceWidth + left], sourceWidth, from.right - from.left,
                      from.bottom - from.top, keyed, low, high);
        ASSERT_EQ(target->BltFast(static_cast<uint32_t>(x), static_cast<uint32_t>(y), source, &from,
                                  keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY),
                  kOk);
        ASSERT_EQ(PixelsOf(*target), expected) << "round " << round;
    }
    // The padding behind the rows is never written, by a blit or a fill.
    Surface* target = MakeSurface(33, 3);
    Surface* sprite = MakeSurface(33, 3);
    WritePixels(*sprite, std::vector<uint8_t>(99, 5));
    ASSERT_EQ(target->BltFast(0, 0, sprite, nullptr, 0), kOk);
    ASSERT_EQ(Fill(target, 8), kOk);
    for (int y = 0; y < 3; ++y) {
        for (int x = 33; x < target->Pitch(); ++x) {
            EXPECT_EQ(target->Pixels()[y * target->Pitch() + x], 0) << x << "," << y;
        }
    }
}

// Each way of the keyed copy that this processor runs, straight on pixel
// blocks: widths around its groups of 16 and 64 pixels and up to a screen row,
// rows further apart than they are wide, and nothing written between rows.
TEST(KeyedCopy, EveryWayMatchesThePlainDefinition) {
    Random random(7031);
    const int widths[] = {1, 15, 16, 17, 20, 63, 64, 65, 127, 128, 129, 640};
    int checkedWays = 0;
    for (const detail::KeyedCopy& way : detail::KeyedCopies()) {
        if (!way.runsHere()) {
            continue;
        }
        ++checkedWays;
        SCOPED_TRACE(way.name);
        for (int round = 0; round < 200; ++round) {
            const int width = round < 24 ? widths[round % 12] : random.Between(1, 700);
            const int height = random.Between(1, 5);
            const int sourcePitch = width + random.Between(0, 70);
            const int targetPitch = width + random.Between(0, 70);
            const int low = random.Between(0, 255);
            const int high = random.Between(0, 2) == 0 ? random.Between(low, 255) : low;
            // Mostly key colours and their neighbours, so that runs and
            // single pixels of both kinds occur.
            auto randomPixels = [&](int count) {
                std::vector<uint8_t> pixels(static_cast<size_t>(count));
                for (uint8_t& pixel : pixels) {
                    pixel = static_cast<uint8_t>(random.Between(0, 1) == 0
                                                     ? random.Between(low, high)
                                                     : low + random.Between(-2, 2));
                }
                return pixels;
            };
            const std::vector<uint8_t> source = randomPixels(sourcePitch * height);
            std::vector<uint8_t> target = randomPixels(targetPitch * height);
            std::vector<uint8_t> expected = target;
            ReferenceCopy(expected.data(), targetPitch, source.data(), sourcePitch, width, height,
                          true, static_cast<uint32_t>(low), static_cast<uint32_t>(high));
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
