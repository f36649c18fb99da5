// The colours of the game. Play, the tiles, the digits and the end screen all
// show through one palette (the one stored in "menu1.bmp"); the title screen
// brings its own. Both share the layout below, so drawing code names a colour
// by its role and works on either picture.
#pragma once

#include <array>
#include <cstdint>

namespace assetgen {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Rgb&) const = default;
};

using Palette = std::array<Rgb, 256>;

namespace colour {

// What the screen is cleared to before every frame.
inline constexpr uint8_t kClear = 0;
// The colour key of every sprite: never a real colour of any picture.
inline constexpr uint8_t kTransparent = 253;

// A smooth ramp for backdrops, dark to light: the play backdrop on the game
// palette, the evening sky on the title palette.
inline constexpr uint8_t kBackdropFirst = 1;
inline constexpr int kBackdropCount = 47;

// Cool grey metal for frames and walls, dark to light.
inline constexpr uint8_t kSteelFirst = 48;
inline constexpr int kSteelCount = 16;

// Seven block colours, each with six shades from outline to highlight.
enum class Shade : uint8_t { Outline, Dark, Shadow, Base, Light, Highlight };
inline constexpr uint8_t kBlockFirst = 64;
inline constexpr int kBlockKinds = 7;
inline constexpr int kShadesPerBlock = 6;
constexpr uint8_t Block(int kind, Shade shade) {
    return static_cast<uint8_t>(kBlockFirst + (kind - 1) * kShadesPerBlock +
                                static_cast<int>(shade));
}

// The floor of the well and the insides of the panels.
inline constexpr uint8_t kWellFloor = 112;
inline constexpr uint8_t kWellGrid = 113;
inline constexpr uint8_t kWellGridDot = 114;
inline constexpr uint8_t kFieldInside = 115;
inline constexpr uint8_t kFieldEdge = 116;

// The score digits, lit from above: top, upper, lower, bottom, outline, glint.
inline constexpr uint8_t kDigitTop = 128;
inline constexpr uint8_t kDigitUpper = 129;
inline constexpr uint8_t kDigitLower = 130;
inline constexpr uint8_t kDigitBottom = 131;
inline constexpr uint8_t kDigitOutline = 132;
inline constexpr uint8_t kDigitGlint = 133;

// Lettering.
inline constexpr uint8_t kLabel = 136;
inline constexpr uint8_t kTextShadow = 137;
inline constexpr uint8_t kWhite = 138;
inline constexpr uint8_t kGold = 139;
inline constexpr uint8_t kDimText = 140;
inline constexpr uint8_t kAccent = 141;

// Title scenery (title palette only): the far and near hills.
inline constexpr uint8_t kHillFirst = 144;
inline constexpr int kHillCount = 8;

}  // namespace colour

// The game palette, stored in "menu1.bmp" and used by every picture drawn
// for play and for the end screen.
Palette GamePalette();

// The title screen's own palette: the same roles in evening colours.
Palette TitlePalette();

// Perceived brightness 0..255 of a colour.
int Luma(Rgb colour);

}  // namespace assetgen
