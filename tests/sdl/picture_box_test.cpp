#include "platform/hosts/sdl/sdl_picture_box.h"

#include <gtest/gtest.h>

#include <tuple>

namespace platform::sdl {
namespace {

TEST(PictureBox, WholeScalesFromTwiceTheSizeAndTheWindowFilledBelowThat) {
    struct Case {
        int32_t windowWidth, windowHeight;
        Box expected;
    };
    const Case cases[] = {
        {1920, 1080, {320, 60, 1280, 960}},  // 2.25 would make uneven pixels
        {2560, 1440, {320, 0, 1920, 1440}}, {1280, 960, {0, 0, 1280, 960}},
        {1366, 768, {171, 0, 1024, 768}},  // under twice: as large as fits
        {640, 480, {0, 0, 640, 480}},       {1280, 480, {320, 0, 640, 480}},
        {500, 1000, {0, 312, 500, 375}},    {0, 768, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const Box box = PictureBox(c.windowWidth, c.windowHeight, 640, 480);
        SCOPED_TRACE(testing::Message() << c.windowWidth << " x " << c.windowHeight);
        const auto sides = [](const Box& b) { return std::tie(b.x, b.y, b.width, b.height); };
        EXPECT_EQ(sides(box), sides(c.expected));
    }
}

}  // namespace
}  // namespace platform::sdl
