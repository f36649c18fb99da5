// Text on a surface: colour matching, clipping, and the font itself.
#include <algorithm>
#include <set>
#include <string>

#include "platform/common/font.h"
#include "platform/text.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

class TextTest : public DisplayTest {
protected:
    // Writes the text on the back buffer and returns its pixels.
    Pixels Write(const std::string& text, int32_t x, int32_t y) {
        DeviceContext* context = nullptr;
        EXPECT_EQ(backBuffer->GetDC(&context), kOk);
        SetTextColor(context, Rgb(20, 0, 0));
        SetBkMode(context, TRANSPARENT);
        EXPECT_TRUE(TextOut(context, x, y, text.c_str(), static_cast<int32_t>(text.size())));
        EXPECT_EQ(backBuffer->ReleaseDC(context), kOk);
        return PixelsOf(*backBuffer);
    }
};

// Dark red text takes the nearest palette colour, the lowest index of equally
// near ones (10 and 30 are both 10 from 20); before any palette it is black.
// Where the glyphs land is checked with the loading screen's text.
TEST_F(TextTest, TextTakesTheNearestPaletteColour) {
    ASSERT_EQ(Fill(backBuffer, 5), kOk);
    Pixels pixels = Write("W", 0, 0);
    EXPECT_EQ(std::set<uint8_t>(pixels.begin(), pixels.end()), (std::set<uint8_t>{0, 5}));
    const PaletteEntry colours[] = {{30, 0, 0, 0}, {10, 0, 0, 0}};
    backBufferPalette->SetEntries(0, 200, 1, &colours[0]);
    backBufferPalette->SetEntries(0, 12, 1, &colours[1]);
    backBufferPalette->SetEntries(0, 30, 1, &colours[0]);
    ASSERT_EQ(Fill(backBuffer, 5), kOk);
    pixels = Write("W", 0, 0);
    EXPECT_EQ(std::set<uint8_t>(pixels.begin(), pixels.end()), (std::set<uint8_t>{5, 12}));
}

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
    // Nothing reached the padding behind the rows.
    for (int y = 0; y < 480; ++y) {
        for (int x = 640; x < backBuffer->Pitch(); ++x) {
            ASSERT_EQ(backBuffer->Pixels()[y * backBuffer->Pitch() + x], 0);
        }
    }
}

TEST(Font, EveryPrintableCharacterHasItsOwnGlyphAndTheRestABox) {
    std::set<std::vector<uint8_t>> seen;
    for (char character = '!'; character <= '~'; ++character) {
        const detail::GlyphRows& glyph = detail::GlyphFor(character);
        EXPECT_TRUE(seen.insert(std::vector<uint8_t>(glyph, glyph + 16)).second) << character;
        // Rows 0 to 2 and 15 stay clear, so lines of text do not touch.
        EXPECT_EQ(glyph[0] | glyph[1] | glyph[2] | glyph[15], 0) << character;
    }
    EXPECT_FALSE(seen.contains(std::vector<uint8_t>(16, 0)));
    const detail::GlyphRows& box = detail::GlyphFor('\x7F');
    for (char other : {'\n', static_cast<char>(0xE9), '\0'}) {
        EXPECT_EQ(&detail::GlyphFor(other), &box) << int{other};
    }
    EXPECT_NE(&detail::GlyphFor('~'), &box);
}

}  // namespace
}  // namespace platform::testing
