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

namespace detail {

// One expansion to carry out: the picture, its palette (never null here) and
// the output block.
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
