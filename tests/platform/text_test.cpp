// Text on a surface: glyphs are clipped to it.
#include <algorithm>
#include <string>

#include "platform/text.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

class TextTest : public DisplayTest {
protected:
    void Write(const std::string& text, int32_t x, int32_t y) {
        DeviceContext* context = nullptr;
        EXPECT_EQ(backBuffer->GetDC(&context), kOk);
        SetTextColor(context, Rgb(20, 0, 0));
        SetBkMode(context, TRANSPARENT);
        EXPECT_TRUE(TextOut(context, x, y, text.c_str(), static_cast<int32_t>(text.size())));
        EXPECT_EQ(backBuffer->ReleaseDC(context), kOk);
    }
};

TEST_F(TextTest, GlyphsAreClippedToTheSurface) {
    const PaletteEntry ink{20, 0, 0, 0};
    backBufferPalette->SetEntries(0, 1, 1, &ink);
    const std::string wide(100, 'W');
    for (auto [x, y] : {std::pair{-4, -8}, {636, 472}, {-100000, 5}, {5, 2000000000}}) {
        Write(wide, x, y);
    }
    const Pixels pixels = PixelsOf(*backBuffer);
    EXPECT_GT(std::count(pixels.begin(), pixels.begin() + 640, 1), 0) << "top row";
    EXPECT_GT(std::count(pixels.end() - 640, pixels.end(), 1), 0) << "bottom row";
    for (int y = 0; y < 480; ++y) {
        for (int x = 640; x < backBuffer->Pitch(); ++x) {
            ASSERT_EQ(backBuffer->Pixels()[y * backBuffer->Pitch() + x], 0) << "row padding";
        }
    }
}

}  // namespace
}  // namespace platform::testing
