// What a captured frame shows, compared with the game's picture files.
#pragma once

#include <algorithm>
#include <cstdint>

#include "platform/hosts/headless/headless_control.h"
#include "tests/support/picture_file.h"

namespace test_support {

using platform::headless::Frame;
inline constexpr uint8_t kSeeThrough = 253;

// The picture's w x h area at (srcX, srcY) shows at (left, top): each
// see-through pixel as what lies beneath, or as the index `under` if given.
inline bool ShowsArea(const Frame& frame, int32_t left, int32_t top, const PictureFile& picture,
                      int32_t srcX, int32_t srcY, int32_t w, int32_t h, int under = -1) {
    if (!picture.Loaded() || frame.width < left + w || frame.height < top + h) {
        return false;
    }
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t pixel = picture.At(srcX + x, srcY + y);
            const int shown = pixel == kSeeThrough ? under : pixel;
            if (shown >= 0 && frame.At(left + x, top + y) != shown) {
                return false;
            }
        }
    }
    return true;
}

// Sprite i of a strip of 20 x 20 sprites lies at (2 + 23 i, 4) in its picture.
inline bool ShowsSprite(const Frame& frame, int32_t left, int32_t top, const PictureFile& strip,
                        int32_t index, int under = -1) {
    return ShowsArea(frame, left, top, strip, 2 + 23 * index, 4, 20, 20, under);
}

inline bool CellShows(const Frame& frame, int32_t row, int32_t column, const PictureFile& tiles,
                      int32_t value) {
    return ShowsSprite(frame, 190 + 20 * column, 1 + 20 * row, tiles, value);
}

// The one digit shown at (left, top), or -1 for none or more than one.
inline int32_t DigitShown(const Frame& frame, int32_t left, int32_t top,
                          const PictureFile& digits) {
    int32_t shown = -1;
    for (int32_t digit = 0; digit < 10; ++digit) {
        if (ShowsSprite(frame, left, top, digits, digit)) {
            shown = shown < 0 ? digit : 10;
        }
    }
    return shown < 10 ? shown : -1;
}

// The nine digits of the play score field as a number, or -1 when one is unreadable.
inline int64_t PlayScoreShown(const Frame& frame, const PictureFile& digits) {
    int64_t score = 0;
    for (int32_t entry = 8; entry >= 0; --entry) {
        const int32_t digit = DigitShown(frame, 555 - 20 * entry, 256, digits);
        if (digit < 0) {
            return -1;
        }
        score = score * 10 + digit;
    }
    return score;
}

// The end screen's nine digits as the number, the cleared screen showing
// where a digit is see-through: the end picture lets the whole field through.
inline bool EndScoreShows(const Frame& frame, const PictureFile& digits, int64_t value) {
    for (int32_t entry = 0; entry < 9; ++entry, value /= 10) {
        if (!ShowsSprite(frame, 381 - 20 * entry, 148, digits, static_cast<int32_t>(value % 10),
                         0)) {
            return false;
        }
    }
    return true;
}

}  // namespace test_support
