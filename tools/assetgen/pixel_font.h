// The game's lettering: a 5 x 7 pixel font of our own drawing with capital
// letters, digits, a little punctuation and four arrows, drawn at any whole
// scale with an optional drop shadow.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "tools/assetgen/canvas.h"

namespace assetgen::font {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Characters that stand for the arrow keys.
inline constexpr char kArrowLeft = '\x01';
inline constexpr char kArrowRight = '\x02';
inline constexpr char kArrowDown = '\x03';
inline constexpr char kArrowUp = '\x04';

// Whether pixel (x, y) of the glyph for c is set; unknown characters and
// space are blank. Small letters are drawn as capitals.
bool GlyphPixel(char c, int x, int y);

struct TextStyle {
    int scale = 2;
    uint8_t colour = 0;
    // Used for the lower three rows of every glyph, for a two-tone face.
    std::optional<uint8_t> lowerColour;
    std::optional<uint8_t> shadow;
};

int TextWidth(std::string_view text, int scale);
int TextHeight(int scale);

void DrawText(Canvas& canvas, int x, int y, std::string_view text, const TextStyle& style);
void DrawTextCentred(Canvas& canvas, int centreX, int y, std::string_view text,
                     const TextStyle& style);

}  // namespace assetgen::font
