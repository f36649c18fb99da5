// Turning the 8-bit screen into 32-bit colour for the video card. Kept apart
// from SDL so that it can be measured and tested on its own.
#pragma once

#include <cstdint>

#include "platform/display.h"

namespace platform::sdl {

// The 256 palette colours as opaque 0xAARRGGBB values. A null palette is all
// black.
void BuildColourLookup(const PaletteEntry* palette, uint32_t lookup[256]);

// Writes width x height 32-bit pixels to out, each the lookup entry of the
// 8-bit pixel in the same place. Both pitches are in bytes and may be wider
// than a row; out must be 4-byte aligned.
void ExpandThroughPalette(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                          const uint32_t lookup[256], void* out, int32_t outPitch);

}  // namespace platform::sdl
