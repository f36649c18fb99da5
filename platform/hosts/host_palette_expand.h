// Turning the 8-bit screen into 32-bit colour for the video card. It is the
// largest piece of work in a frame, so it is kept apart from any host, to be
// measured and tested on its own.
#pragma once

#include <cstdint>
#include <span>

#include "platform/display.h"

namespace platform {

// Writes width x height opaque 0xAARRGGBB pixels to out, each the palette
// colour of the 8-bit pixel in the same place. Both pitches are in bytes and
// may be wider than a row; out must be 4-byte aligned. A null palette shows
// black.
void ExpandThroughPalette(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                          const PaletteEntry* palette, void* out, int32_t outPitch);

// The same, stretched to outWidth x outHeight with hard pixel edges: output
// pixel (x, y) shows picture pixel (x * width / outWidth, y * height /
// outHeight).
void ExpandThroughPaletteScaled(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                                const PaletteEntry* palette, void* out, int32_t outPitch,
                                int32_t outWidth, int32_t outHeight);

// A block of output pixels: columns [x, x + width), rows [y, y + height).
struct OutputPart {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// Only the given part of that stretched picture, the same pixels the whole
// would have there; out points at the part's first pixel. A window that shows
// a few changed rows of the picture redraws only those.
void ExpandThroughPaletteScaledPart(const uint8_t* pixels, int32_t pitch, int32_t width,
                                    int32_t height, const PaletteEntry* palette, void* out,
                                    int32_t outPitch, int32_t outWidth, int32_t outHeight,
                                    OutputPart part);

namespace detail {

// One expansion to carry out: the picture, its palette (never null here), the
// output block and the part of it to write, out pointing at the part's first
// pixel. An empty part stands for the whole block.
struct Stretch {
    const uint8_t* pixels;
    int32_t pitch;
    int32_t width;
    int32_t height;
    const PaletteEntry* palette;
    void* out;
    int32_t outPitch;
    int32_t outWidth;
    int32_t outHeight;
    OutputPart part{};
};

// One way of doing the expansion. ExpandThroughPalette takes the fastest one
// the processor can run; each must give the same pixels as every other.
struct PaletteExpansion {
    const char* name;
    bool (*runsHere)();
    void (*expand)(const Stretch& job);
};

// Every way, the plain one-pixel-at-a-time loop first.
std::span<const PaletteExpansion> PaletteExpansions();

}  // namespace detail
}  // namespace platform
