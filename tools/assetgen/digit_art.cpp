#include "tools/assetgen/digit_art.h"

#include <array>

#include "tools/assetgen/palette.h"

namespace assetgen {
namespace {

constexpr int kGridWidth = 6;
constexpr int kGridHeight = 8;
constexpr int kScale = 2;
// The numeral's top-left pixel inside its cell: centred across, with room
// for the outline above and below.
constexpr int kLeft = (kDigitCell - kGridWidth * kScale) / 2;
constexpr int kTop = (kDigitCell - kGridHeight * kScale) / 2;

using Numeral = std::array<const char*, kGridHeight>;

// clang-format off
constexpr std::array<Numeral, 10> kNumerals = {{
    {".####.", "##..##", "##..##", "##..##", "##..##", "##..##", "##..##", ".####."},
    {"..##..", ".###..", "..##..", "..##..", "..##..", "..##..", "..##..", ".####."},
    {".####.", "##..##", "....##", "...##.", "..##..", ".##...", "##....", "######"},
    {".####.", "##..##", "....##", "..###.", "....##", "....##", "##..##", ".####."},
    {"...##.", "..###.", ".####.", "##.##.", "##.##.", "######", "...##.", "...##."},
    {"######", "##....", "##....", "#####.", "....##", "....##", "##..##", ".####."},
    {".####.", "##..##", "##....", "#####.", "##..##", "##..##", "##..##", ".####."},
    {"######", "....##", "....##", "...##.", "..##..", "..##..", "..##..", "..##.."},
    {".####.", "##..##", "##..##", ".####.", "##..##", "##..##", "##..##", ".####."},
    {".####.", "##..##", "##..##", "##..##", ".#####", "....##", "##..##", ".####."},
}};
// clang-format on

bool Inked(int digit, int px, int py) {
    const int column = px / kScale;
    const int row = py / kScale;
    if (px < 0 || py < 0 || column >= kGridWidth || row >= kGridHeight) {
        return false;
    }
    return kNumerals[digit][row][column] == '#';
}

// Lighter at the top, warmer towards the bottom, as if lit from above.
uint8_t InkColour(int py) {
    constexpr std::array<uint8_t, 4> kBands = {colour::kDigitTop, colour::kDigitUpper,
                                               colour::kDigitLower, colour::kDigitBottom};
    return kBands[py * 4 / (kGridHeight * kScale)];
}

bool TouchesInk(int digit, int px, int py) {
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            if (Inked(digit, px + dx, py + dy)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

void DrawDigit(Canvas& canvas, int x, int y, int digit) {
    for (int cy = 0; cy < kDigitCell; ++cy) {
        for (int cx = 0; cx < kDigitCell; ++cx) {
            const int px = cx - kLeft;
            const int py = cy - kTop;
            if (Inked(digit, px, py)) {
                const bool glint = !Inked(digit, px - 1, py) && !Inked(digit, px, py - 1);
                canvas.Set(x + cx, y + cy, glint ? colour::kDigitGlint : InkColour(py));
            } else if (TouchesInk(digit, px, py)) {
                canvas.Set(x + cx, y + cy, colour::kDigitOutline);
            }
        }
    }
}

}  // namespace assetgen
