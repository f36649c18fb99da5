#include "tools/assetgen/canvas.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

Canvas::Canvas(int width, int height, uint8_t fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

void Canvas::Set(int x, int y, uint8_t colour) {
    if (Contains(x, y)) {
        pixels_[Index(x, y)] = colour;
    }
}

void Canvas::Fill(const Rect& area, uint8_t colour) {
    for (int y = area.y; y < area.y + area.height; ++y) {
        HorizontalLine(area.x, y, area.width, colour);
    }
}

void Canvas::HorizontalLine(int x, int y, int length, uint8_t colour) {
    for (int i = 0; i < length; ++i) {
        Set(x + i, y, colour);
    }
}

void Canvas::VerticalLine(int x, int y, int length, uint8_t colour) {
    for (int i = 0; i < length; ++i) {
        Set(x, y + i, colour);
    }
}

void Canvas::Outline(const Rect& area, uint8_t colour) {
    Bevel(area, colour, colour);
}

void Canvas::Bevel(const Rect& area, uint8_t light, uint8_t dark) {
    HorizontalLine(area.x, area.y, area.width, light);
    VerticalLine(area.x, area.y, area.height, light);
    HorizontalLine(area.x + 1, area.Bottom(), area.width - 1, dark);
    VerticalLine(area.Right(), area.y + 1, area.height - 1, dark);
}

void Canvas::Paste(const Canvas& source, int x, int y) {
    for (int row = 0; row < source.Height(); ++row) {
        for (int column = 0; column < source.Width(); ++column) {
            Set(x + column, y + row, source.At(column, row));
        }
    }
}

uint8_t DitheredRamp(uint8_t first, int count, double lightness, int x, int y) {
    // 4 x 4 ordered-dither thresholds, spread evenly over 0..1.
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double position = std::clamp(lightness, 0.0, 1.0) * (count - 1);
    const int lower = static_cast<int>(std::floor(position));
    const double threshold = (kBayer[y & 3][x & 3] + 0.5) / 16.0;
    const int step = (position - lower) > threshold ? 1 : 0;
    return static_cast<uint8_t>(first + std::min(lower + step, count - 1));
}

}  // namespace assetgen
