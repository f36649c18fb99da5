// Turning the 8-bit screen into 32-bit colour for the video card. It is the
// largest piece of work in a frame, so it is kept apart from any backend, to be
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

namespace detail {

// One way of doing the expansion. ExpandThroughPalette takes the fastest one
// the processor can run; each must give the same pixels as every other.
struct PaletteExpansion {
    const char* name;
    bool (*runsHere)();
    void (*expand)(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                   const PaletteEntry* palette, void* out, int32_t outPitch);
};

// Every way, the plain one-pixel-at-a-time loop first.
std::span<const PaletteExpansion> PaletteExpansions();

}  // namespace detail
}  // namespace platform
