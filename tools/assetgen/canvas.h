// A picture of palette indices and the few drawing steps the artwork is made
// of. Coordinates are pixels, (0, 0) at the top-left; drawing outside the
// picture is clipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace assetgen {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width - 1; }
    int Bottom() const { return y + height - 1; }
    Rect Inset(int by) const { return {x + by, y + by, width - 2 * by, height - 2 * by}; }
};

class Canvas {
public:
    Canvas(int width, int height, uint8_t fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    uint8_t At(int x, int y) const { return pixels_[Index(x, y)]; }
    void Set(int x, int y, uint8_t colour);

    void Fill(const Rect& area, uint8_t colour);
    void HorizontalLine(int x, int y, int length, uint8_t colour);
    void VerticalLine(int x, int y, int length, uint8_t colour);
    // A one-pixel outline.
    void Outline(const Rect& area, uint8_t colour);
    // A one-pixel edge lit from the top-left: light on top and left, dark on
    // the bottom and right.
    void Bevel(const Rect& area, uint8_t light, uint8_t dark);
    // Copies a whole canvas with its top-left corner at (x, y).
    void Paste(const Canvas& source, int x, int y);

    // Rows top-down, width bytes each.
    const std::vector<uint8_t>& Pixels() const { return pixels_; }

private:
    size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

    int width_;
    int height_;
    std::vector<uint8_t> pixels_;
};

// Picks an entry of a ramp of count colours from first for a lightness of 0
// to 1, with ordered dithering between neighbouring entries so that a smooth
// gradient shows no bands.
uint8_t DitheredRamp(uint8_t first, int count, double lightness, int x, int y);

}  // namespace assetgen
