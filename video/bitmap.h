// One 8-bit bitmap file in memory: its headers, its 256 colours and its pixel
// rows, kept just long enough to copy them into surfaces and palettes.
#pragma once

#include <cstdint>

#include "platform/display.h"

// The largest width or height a picture may have. The game's pictures are at
// most 640 x 480; anything far beyond is a broken file, not a picture.
inline constexpr int32_t kMaxBitmapSide = 4096;

class Bitmap {
public:
    Bitmap();
    ~Bitmap();
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    // 1 on success, 0 on failure, which leaves no pixel block and tells the
    // player why on standard error. Rows the file does not supply read as 0.
    // Once the run has been asked to end, nothing is read and 0 comes back.
    int32_t Load(const char* fileName);
    // Writes the picture's 256 colours into the palette. Always 1.
    int32_t ApplyPalette(platform::Palette* target);
    // Copies the picture rectangle at (srcX, srcY), width x rows, to the
    // surface's top-left corner. 0 when the surface cannot be locked. Only the
    // part that lies inside both the picture and the surface is copied.
    int32_t CopyToSurface(platform::Surface* surface, int32_t width, int32_t rows, int32_t srcX,
                          int32_t srcY);

    int32_t Width() const;
    int32_t Height() const;
    const uint8_t* Pixels() const { return pixels; }

private:
    uint8_t fileHeader[14];
    uint8_t infoHeader[40];
    uint8_t palette[256][4];  // blue, green, red, reserved
    uint8_t* pixels;          // width x height, rows as stored; only while the headers describe it

    void ReleasePixels();
};
