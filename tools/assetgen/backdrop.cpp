#include "tools/assetgen/backdrop.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/palette.h"

namespace assetgen {
namespace {

constexpr int kBrickWidth = 40;
constexpr int kBrickHeight = 20;

// How much the brick pattern lifts or lowers the light at (x, y).
double BrickRelief(int x, int y) {
    const int row = y / kBrickHeight;
    const int shifted = x + (row % 2) * (kBrickWidth / 2);
    const int u = shifted % kBrickWidth;
    const int v = y % kBrickHeight;
    if (u == 0 || v == 0) {
        return 0.05;
    }
    if (u == kBrickWidth - 1 || v == kBrickHeight - 1) {
        return -0.05;
    }
    return 0.02 * (1.0 - static_cast<double>(u + v) / (kBrickWidth + kBrickHeight));
}

}  // namespace

void PaintBackdrop(Canvas& canvas, int glowX, int glowY) {
    const double reach = canvas.Width() * 0.7;
    for (int y = 0; y < canvas.Height(); ++y) {
        const double fromTop = static_cast<double>(y) / canvas.Height();
        for (int x = 0; x < canvas.Width(); ++x) {
            const double distance = std::hypot(x - glowX, (y - glowY) * 1.3) / reach;
            const double glow = 0.34 * std::exp(-distance * distance * 2.2);
            const double lightness = 0.10 + 0.16 * (1.0 - fromTop) + glow + BrickRelief(x, y);
            canvas.Set(
                x, y,
                DitheredRamp(colour::kBackdropFirst, colour::kBackdropCount, lightness, x, y));
        }
    }
}

void DrawFramedField(Canvas& canvas, const Rect& inside, int frame) {
    const uint8_t steel = colour::kSteelFirst;
    // From the outer edge inwards: a dark rim, a lit ridge falling off, and a
    // dark lip where the frame meets the sunken field.
    const uint8_t shades[] = {static_cast<uint8_t>(steel + 2), static_cast<uint8_t>(steel + 13),
                              static_cast<uint8_t>(steel + 10), static_cast<uint8_t>(steel + 7),
                              static_cast<uint8_t>(steel + 1)};
    for (int ring = 0; ring < frame; ++ring) {
        const int shadeIndex = std::min(ring * 5 / frame, 4);
        const int grow = frame - ring;
        canvas.Outline(
            {inside.x - grow, inside.y - grow, inside.width + 2 * grow, inside.height + 2 * grow},
            shades[shadeIndex]);
    }
    canvas.Fill(inside, colour::kFieldInside);
}

void DrawPlate(Canvas& canvas, const Rect& area) {
    canvas.Fill(area, colour::kFieldInside);
    canvas.Bevel(area, colour::kFieldEdge, static_cast<uint8_t>(colour::kSteelFirst + 1));
}

}  // namespace assetgen
