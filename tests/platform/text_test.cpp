// Text on a surface: colour matching, where the glyphs land, clipping, and
// the font itself.
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/common/font.h"
#include "platform/display.h"
#include "platform/text.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

class TextTest : public DisplayTest {
protected:
    // Writes the text on the back buffer and returns its pixels.
    std::vector<uint8_t> Write(const std::string& text, int32_t x, int32_t y, ColorRef colour,
                               int mode = TRANSPARENT) {
        DeviceContext* context = nullptr;
        EXPECT_EQ(backBuffer->GetDC(&context), kOk);
        SetTextColor(context, colour);
        SetBkMode(context, mode);
        EXPECT_TRUE(TextOut(context, x, y, text.c_str(), static_cast<int32_t>(text.size())));
        EXPECT_EQ(backBuffer->ReleaseDC(context), kOk);
        return PixelsOf(*backBuffer);
    }

    void SetColour(uint8_t index, PaletteEntry colour) {
        backBufferPalette->SetEntries(0, index, 1, &colour);
    }
};

// Text takes the nearest palette colour, the lowest index of equally near
// ones; before any picture's colours are in force it is drawn in black.
TEST_F(TextTest, TextTakesTheNearestPaletteColour) {
    struct Case {
        std::vector<std::pair<uint8_t, PaletteEntry>> colours;
        ColorRef wanted;
        uint8_t ink;
    };
    const Case cases[] = {
        {{{40, Colour(250, 250, 250)}, {41, Colour(200, 0, 0)}}, Rgb(255, 255, 255), 40},
        // 10 and 30 are both 10 away from 20 in red; black is further.
        {{{30, Colour(30, 0, 0)}, {12, Colour(10, 0, 0)}, {200, Colour(30, 0, 0)}},
         Rgb(20, 0, 0),
         12},
        {{}, Rgb(255, 255, 255), 0},
    };
    for (const Case& c : cases) {
        const PaletteEntry black[256] = {};
        backBufferPalette->SetEntries(0, 0, 256, black);
        for (const auto& [index, colour] : c.colours) {
            SetColour(index, colour);
        }
        ASSERT_EQ(Fill(backBuffer, 5), kOk);
        const std::vector<uint8_t> pixels = Write("Loading...", 20, 20, c.wanted);
        EXPECT_EQ(std::set<uint8_t>(pixels.begin(), pixels.end()), (std::set<uint8_t>{5, c.ink}))
            << int{c.ink};
    }
}

// Each character is painted in its own 8 x 16 cell from the point on, glyph
// row by glyph row, and nothing outside the cells.
TEST_F(TextTest, TheTextsTopLeftCornerIsThePoint) {
    SetColour(1, Colour(255, 255, 255));
    const std::vector<uint8_t> pixels = Write("Loading...", 20, 20, Rgb(255, 255, 255));
    int inked = 0;
    for (int character = 0; character < 10; ++character) {
        const detail::GlyphRows& glyph = detail::GlyphFor("Loading..."[character]);
        for (int row = 0; row < 16; ++row) {
            for (int column = 0; column < 8; ++column) {
                const bool ink = (glyph[row] >> (7 - column) & 1) != 0;
                inked += ink ? 1 : 0;
                EXPECT_EQ(pixels[(20 + row) * 640 + 20 + character * 8 + column], ink ? 1 : 0)
                    << character;
            }
        }
    }
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 1), inked);
}

TEST_F(TextTest, TransparentTextLeavesTheBackgroundOpaqueTextFillsItsCells) {
    SetColour(1, Colour(255, 255, 255));
    ASSERT_EQ(Fill(backBuffer, 9), kOk);
    std::vector<uint8_t> pixels = Write("I", 100, 100, Rgb(255, 255, 255));
    EXPECT_EQ(pixels[100 * 640 + 100], 9) << "row 0 of every glyph is empty";
    pixels = Write("I", 100, 100, Rgb(255, 255, 255), OPAQUE);
    EXPECT_EQ(pixels[100 * 640 + 100], 0);
    EXPECT_EQ(pixels[115 * 640 + 107], 0);
    EXPECT_EQ(pixels[116 * 640 + 100], 9) << "nothing below the cell";
    EXPECT_EQ(pixels[100 * 640 + 108], 9) << "nothing right of the cell";
}

TEST_F(TextTest, GlyphsAreClippedToTheSurface) {
    SetColour(1, Colour(255, 255, 255));
    const std::string wide(100, 'W');
    for (auto [x, y] : {std::pair{-4, -8}, {636, 472}, {-100000, 5}, {5, 2000000000}}) {
        Write(wide, x, y, Rgb(255, 255, 255));
    }
    const std::vector<uint8_t> pixels = PixelsOf(*backBuffer);
    int left = 640, top = 480, right = -1, bottom = -1;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (pixels[y * 640 + x] == 1) {
                left = std::min(left, x), top = std::min(top, y);
                right = std::max(right, x), bottom = std::max(bottom, y);
            }
        }
    }
    EXPECT_EQ(std::vector<int>({left, top, right, bottom}), std::vector<int>({0, 0, 639, 479}));
    // Nothing reached the padding behind the rows.
    for (int y = 0; y < 480; ++y) {
        for (int x = 640; x < backBuffer->Pitch(); ++x) {
            ASSERT_EQ(backBuffer->Pixels()[y * backBuffer->Pitch() + x], 0);
        }
    }
}

TEST_F(TextTest, OneContextAtATimeAndEachGivenBackOnce) {
    DeviceContext* context = nullptr;
    ASSERT_EQ(backBuffer->GetDC(&context), kOk);
    DeviceContext* second = nullptr;
    EXPECT_EQ(backBuffer->GetDC(&second), kErrSurfaceBusy);
    EXPECT_FALSE(TextOut(context, 0, 0, nullptr, 3));
    EXPECT_EQ(backBuffer->ReleaseDC(context), kOk);
    EXPECT_EQ(backBuffer->ReleaseDC(context), kErrInvalidParams);
}

TEST(Font, EveryPrintableCharacterHasItsOwnGlyphAndTheRestABox) {
    std::set<std::vector<uint8_t>> seen;
    for (char character = '!'; character <= '~'; ++character) {
        const detail::GlyphRows& glyph = detail::GlyphFor(character);
        std::vector<uint8_t> rows(glyph, glyph + 16);
        EXPECT_NE(rows, std::vector<uint8_t>(16, 0)) << character;
        EXPECT_TRUE(seen.insert(rows).second) << character << " looks like another character";
        // Rows 0 to 2 and 15 stay clear, so lines of text do not touch.
        EXPECT_EQ(glyph[0] | glyph[1] | glyph[2] | glyph[15], 0) << character;
    }
    const detail::GlyphRows& space = detail::GlyphFor(' ');
    EXPECT_EQ(std::vector<uint8_t>(space, space + 16), std::vector<uint8_t>(16, 0));
    const detail::GlyphRows& box = detail::GlyphFor('\x7F');
    for (char other : {'\n', static_cast<char>(0xE9), '\0'}) {
        EXPECT_EQ(&detail::GlyphFor(other), &box) << int{other};
    }
    EXPECT_NE(&detail::GlyphFor('~'), &box);
}

}  // namespace
}  // namespace platform::testing
