// What a captured frame shows, compared with the game's picture files.
#pragma once

#include <cstdint>

#include "platform/headless/control.h"
#include "tests/support/picture_file.h"

namespace test_support {

inline constexpr uint8_t kSeeThrough = 253;
inline constexpr int32_t kSpriteSize = 20;

// Where frame i of a strip of 20 x 20 sprites lies in its picture.
inline int32_t StripX(int32_t index) {
    return 2 + 23 * index;
}
inline constexpr int32_t kStripY = 4;

// Every pixel of the sprite that is not see-through shows at (left, top).
inline bool ShowsSprite(const platform::headless::Frame& frame, int32_t left, int32_t top,
                        const PictureFile& strip, int32_t index) {
    if (!strip.Loaded()) {
        return false;
    }
    for (int32_t y = 0; y < kSpriteSize; ++y) {
        for (int32_t x = 0; x < kSpriteSize; ++x) {
            const uint8_t pixel = strip.At(StripX(index) + x, kStripY + y);
            if (pixel != kSeeThrough && frame.At(left + x, top + y) != pixel) {
                return false;
            }
        }
    }
    return true;
}

// Whether a board cell shows the tile of the given value.
inline bool CellShows(const platform::headless::Frame& frame, int32_t row, int32_t column,
                      const PictureFile& tiles, int32_t value) {
    return ShowsSprite(frame, 190 + 20 * column, 1 + 20 * row, tiles, value);
}

// Whether the full-screen picture shows wherever it is not see-through.
inline bool ShowsPicture(const platform::headless::Frame& frame, const PictureFile& picture) {
    if (!picture.Loaded() || frame.width != picture.width || frame.height != picture.height) {
        return false;
    }
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const uint8_t pixel = picture.At(x, y);
            if (pixel != kSeeThrough && frame.At(x, y) != pixel) {
                return false;
            }
        }
    }
    return true;
}

inline bool SamePalette(const platform::headless::Frame& frame, const PictureFile& picture) {
    for (size_t i = 0; i < 256; ++i) {
        const auto& shown = frame.palette[i];
        const auto& wanted = picture.palette[i];
        if (shown.red != wanted.red || shown.green != wanted.green || shown.blue != wanted.blue) {
            return false;
        }
    }
    return true;
}

}  // namespace test_support
