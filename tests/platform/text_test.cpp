// Text on a surface: colour matching, where the glyphs land, clipping, and
// the font itself.
#include <cstdint>
#include <cstring>
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

    void Fill(uint8_t colour) {
        BltFx fx{sizeof(BltFx), colour};
        ASSERT_EQ(backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), kOk);
    }

    void SetColours(std::initializer_list<std::pair<uint8_t, PaletteEntry>> colours) {
        for (const auto& [index, colour] : colours) {
            backBufferPalette->SetEntries(0, index, 1, &colour);
        }
    }
};

struct Box {
    int left = 640, top = 480, right = -1, bottom = -1;
};

Box InkedArea(const std::vector<uint8_t>& pixels, uint8_t ink) {
    Box box;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            if (pixels[y * 640 + x] == ink) {
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x),
                       std::max(box.bottom, y)};
            }
        }
    }
    return box;
}

TEST_F(TextTest, TextTakesTheNearestPaletteColour) {
    SetColours({{40, Colour(250, 250, 250)}, {41, Colour(200, 0, 0)}});
    const std::vector<uint8_t> pixels = Write("Loading...", 20, 20, Rgb(255, 255, 255));
    EXPECT_NE(InkedArea(pixels, 40).right, -1);
    for (uint8_t pixel : pixels) {
        EXPECT_TRUE(pixel == 0 || pixel == 40);
    }
}

TEST_F(TextTest, EquallyNearColoursGoToTheLowestIndex) {
    // 10 and 30 are both 10 away from 20 in red; black is further.
    SetColours({{30, Colour(30, 0, 0)}, {12, Colour(10, 0, 0)}, {200, Colour(30, 0, 0)}});
    const std::vector<uint8_t> pixels = Write("X", 0, 0, Rgb(20, 0, 0));
    EXPECT_NE(InkedArea(pixels, 12).right, -1);
    EXPECT_EQ(InkedArea(pixels, 30).right, -1);
}

TEST_F(TextTest, AnAllBlackPaletteInksWithIndexZero) {
    // Before any picture's colours are in force everything is drawn black.
    Fill(5);
    const std::vector<uint8_t> pixels = Write("A", 0, 0, Rgb(255, 255, 255));
    EXPECT_NE(InkedArea(pixels, 0).right, -1);
}

TEST_F(TextTest, TheTextsTopLeftCornerIsThePoint) {
    SetColours({{1, Colour(255, 255, 255)}});
    const std::vector<uint8_t> pixels = Write("Loading...", 20, 20, Rgb(255, 255, 255));
    const Box box = InkedArea(pixels, 1);
    // Ten cells of 8 x 16 from (20, 20) on, and the ink fills them out.
    EXPECT_GE(box.left, 20);
    EXPECT_LE(box.left, 21);
    EXPECT_GE(box.top, 20);
    EXPECT_LE(box.top, 23);
    EXPECT_LT(box.right, 20 + 10 * 8);
    EXPECT_GE(box.right, 20 + 9 * 8);
    EXPECT_LT(box.bottom, 20 + 16);
    // Each character is painted in its own cell, glyph row by glyph row.
    for (int character = 0; character < 10; ++character) {
        const detail::GlyphRows& glyph = detail::GlyphFor("Loading..."[character]);
        for (int row = 0; row < 16; ++row) {
            for (int column = 0; column < 8; ++column) {
                const bool inked = (glyph[row] >> (7 - column) & 1) != 0;
                const int x = 20 + character * 8 + column;
                EXPECT_EQ(pixels[(20 + row) * 640 + x], inked ? 1 : 0) << character;
            }
        }
    }
}

TEST_F(TextTest, TransparentTextLeavesTheBackgroundOpaqueTextFillsItsCells) {
    SetColours({{1, Colour(255, 255, 255)}});
    Fill(9);
    std::vector<uint8_t> pixels = Write("I", 100, 100, Rgb(255, 255, 255));
    for (int x = 100; x < 108; ++x) {
        EXPECT_EQ(pixels[100 * 640 + x], 9) << "row 0 of every glyph is empty";
    }
    pixels = Write("I", 100, 100, Rgb(255, 255, 255), OPAQUE);
    EXPECT_EQ(pixels[100 * 640 + 100], 0);
    EXPECT_EQ(pixels[115 * 640 + 107], 0);
    EXPECT_EQ(pixels[116 * 640 + 100], 9) << "nothing below the cell";
    EXPECT_EQ(pixels[100 * 640 + 108], 9) << "nothing right of the cell";
}

TEST_F(TextTest, GlyphsAreClippedToTheSurface) {
    SetColours({{1, Colour(255, 255, 255)}});
    const std::string wide(100, 'W');
    for (auto [x, y] : {std::pair{-4, -8}, {636, 472}, {-100000, 5}, {5, 2000000000}}) {
        Write(wide, x, y, Rgb(255, 255, 255));
    }
    const Box box = InkedArea(PixelsOf(*backBuffer), 1);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 639);
    EXPECT_EQ(box.bottom, 479);
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

TEST(Font, EveryPrintableCharacterHasItsOwnGlyphInsideTheCell) {
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
}

TEST(Font, CharactersOutsidePrintableAsciiShowAsABox) {
    const detail::GlyphRows& box = detail::GlyphFor('\x7F');
    EXPECT_EQ(&detail::GlyphFor('\n'), &box);
    EXPECT_EQ(&detail::GlyphFor(static_cast<char>(0xE9)), &box);
    EXPECT_EQ(&detail::GlyphFor('\0'), &box);
    EXPECT_NE(&detail::GlyphFor('~'), &box);
}

}  // namespace
}  // namespace platform::testing
