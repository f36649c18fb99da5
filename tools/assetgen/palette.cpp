#include "tools/assetgen/palette.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace assetgen {
namespace {

uint8_t Channel(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

Rgb Mix(Rgb from, Rgb to, double t) {
    return {Channel(from.r + (to.r - from.r) * t), Channel(from.g + (to.g - from.g) * t),
            Channel(from.b + (to.b - from.b) * t)};
}

Rgb Scale(Rgb colour, double factor) {
    return {Channel(colour.r * factor), Channel(colour.g * factor), Channel(colour.b * factor)};
}

// Fills count entries from first with a ramp through evenly spaced stops.
void FillRamp(Palette& palette, int first, int count, const std::vector<Rgb>& stops) {
    const int segments = static_cast<int>(stops.size()) - 1;
    for (int i = 0; i < count; ++i) {
        const double position = count > 1 ? static_cast<double>(i) / (count - 1) * segments : 0.0;
        const int segment = std::min(static_cast<int>(position), segments - 1);
        palette[first + i] = Mix(stops[segment], stops[segment + 1], position - segment);
    }
}

// Shades of one block: deep outline, two darker bevel shades, the face, and
// two lighter bevel shades that lean towards white.
void FillBlock(Palette& palette, int kind, Rgb face) {
    using colour::Shade;
    const Rgb white{255, 255, 255};
    palette[colour::Block(kind, Shade::Outline)] = Scale(face, 0.22);
    palette[colour::Block(kind, Shade::Dark)] = Scale(face, 0.48);
    palette[colour::Block(kind, Shade::Shadow)] = Scale(face, 0.72);
    palette[colour::Block(kind, Shade::Base)] = face;
    palette[colour::Block(kind, Shade::Light)] = Mix(face, white, 0.38);
    palette[colour::Block(kind, Shade::Highlight)] = Mix(face, white, 0.72);
}

// The seven faces run from dark to bright so that they differ in lightness,
// not only in hue.
void FillBlocks(Palette& palette) {
    FillBlock(palette, 1, {196, 36, 52});   // brick red, darkish
    FillBlock(palette, 2, {250, 214, 52});  // sun yellow, brightest
    FillBlock(palette, 3, {46, 160, 84});   // leaf green, middle
    FillBlock(palette, 4, {92, 206, 236});  // sky cyan, bright
    FillBlock(palette, 5, {44, 72, 196});   // deep blue, darkest
    FillBlock(palette, 6, {146, 70, 186});  // violet, dark-middle
    FillBlock(palette, 7, {244, 134, 40});  // orange, light-middle
}

void FillShared(Palette& palette) {
    FillBlocks(palette);
    FillRamp(palette, colour::kSteelFirst, colour::kSteelCount,
             {{18, 20, 32}, {70, 78, 104}, {150, 160, 186}, {226, 232, 246}});

    palette[colour::kDigitTop] = {255, 252, 228};
    palette[colour::kDigitUpper] = {255, 234, 162};
    palette[colour::kDigitLower] = {250, 202, 96};
    palette[colour::kDigitBottom] = {226, 160, 54};
    palette[colour::kDigitOutline] = {22, 12, 6};
    palette[colour::kDigitGlint] = {255, 255, 255};

    palette[colour::kLabel] = {168, 218, 255};
    palette[colour::kTextShadow] = {4, 6, 16};
    palette[colour::kWhite] = {248, 248, 255};
    palette[colour::kGold] = {255, 200, 84};
    palette[colour::kDimText] = {122, 140, 182};
    palette[colour::kAccent] = {255, 120, 150};

    // Entries no picture uses hold a plain grey ramp, so that every colour a
    // text routine might match is an ordinary one.
    FillRamp(palette, 160, 93, {{0, 0, 0}, {252, 252, 252}});
    palette[colour::kTransparent] = {255, 0, 255};
    palette[254] = {192, 192, 192};
    palette[255] = {255, 255, 255};
}

}  // namespace

Palette GamePalette() {
    Palette palette{};
    FillShared(palette);
    palette[colour::kClear] = {5, 6, 16};
    // Night blue deepening into the clear colour, with a muted teal at the top.
    FillRamp(palette, colour::kBackdropFirst, colour::kBackdropCount,
             {{7, 8, 21}, {16, 18, 44}, {30, 32, 78}, {46, 58, 108}, {70, 98, 140}});
    palette[colour::kWellFloor] = {11, 13, 29};
    palette[colour::kWellGrid] = {20, 24, 48};
    palette[colour::kWellGridDot] = {32, 38, 70};
    palette[colour::kFieldInside] = {6, 7, 18};
    palette[colour::kFieldEdge] = {40, 46, 82};
    FillRamp(palette, colour::kHillFirst, colour::kHillCount, {{20, 24, 50}, {60, 70, 120}});
    return palette;
}

Palette TitlePalette() {
    Palette palette{};
    FillShared(palette);
    palette[colour::kClear] = {4, 2, 14};
    // Evening sky: deep violet high up, through rose, to a warm glow low down.
    FillRamp(palette, colour::kBackdropFirst, colour::kBackdropCount,
             {{10, 6, 34},
              {38, 18, 78},
              {96, 36, 112},
              {188, 78, 110},
              {246, 150, 96},
              {255, 214, 150}});
    palette[colour::kWellFloor] = {14, 8, 30};
    palette[colour::kWellGrid] = {30, 18, 56};
    palette[colour::kWellGridDot] = {46, 28, 80};
    palette[colour::kFieldInside] = {10, 6, 26};
    palette[colour::kFieldEdge] = {70, 40, 110};
    // Hills in the dusk, from the far purple ones to the near, nearly black ones.
    FillRamp(palette, colour::kHillFirst, colour::kHillCount, {{8, 4, 20}, {62, 30, 92}});
    return palette;
}

int Luma(Rgb colour) {
    return (299 * colour.r + 587 * colour.g + 114 * colour.b) / 1000;
}

}  // namespace assetgen
