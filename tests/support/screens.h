// Tells which of the game's screens a captured frame shows, from a sample of
// its pixels compared with the picture files.
#pragma once

#include <cstdint>

#include "platform/headless/control.h"
#include "tests/support/picture_file.h"
#include "tests/support/screen_check.h"

namespace test_support {

enum class Screen { Blank, Loading, Title, Play, End, Other };

struct Area {
    int32_t left, top, right, bottom;  // right and bottom excluded
    bool Holds(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

// Where play draws over its background: the well, the preview, the score and
// the games left.
inline constexpr Area kPlayAreas[] = {
    {190, 1, 390, 461}, {400, 117, 480, 197}, {395, 256, 575, 276}, {473, 331, 493, 351}};
// Where "Loading..." is written.
inline constexpr Area kLoadingText = {20, 20, 20 + 8 * 10, 36};

inline bool InPlayArea(int32_t x, int32_t y) {
    for (const Area& area : kPlayAreas) {
        if (area.Holds(x, y)) {
            return true;
        }
    }
    return false;
}

// Every sampled pixel of the picture that is not see-through shows.
template <typename Skip>
bool ShowsPictureSampled(const platform::headless::Frame& frame, const PictureFile& picture,
                         Skip skip) {
    if (!picture.Loaded() || frame.width != picture.width || frame.height != picture.height) {
        return false;
    }
    int32_t compared = 0;
    for (int32_t y = 3; y < picture.height; y += 12) {
        for (int32_t x = 5; x < picture.width; x += 12) {
            const uint8_t pixel = picture.At(x, y);
            if (pixel == kSeeThrough || skip(x, y)) {
                continue;
            }
            if (frame.At(x, y) != pixel) {
                return false;
            }
            ++compared;
        }
    }
    return compared > 0;
}

struct GamePictures {
    PictureFile title = ReadPictureFile("start.bmp");
    PictureFile play = ReadPictureFile("menu1.bmp");
    PictureFile end = ReadPictureFile("end.bmp");
    PictureFile tiles = ReadPictureFile("cubeshards2.bmp");
    PictureFile digits = ReadPictureFile("score.bmp");
};

inline Screen Classify(const platform::headless::Frame& frame, const GamePictures& pictures) {
    const auto nothing = [](int32_t, int32_t) { return false; };
    if (ShowsPictureSampled(frame, pictures.title, nothing) && SamePalette(frame, pictures.title)) {
        return Screen::Title;
    }
    if (ShowsPictureSampled(frame, pictures.end, nothing)) {
        return Screen::End;
    }
    if (ShowsPictureSampled(frame, pictures.play, InPlayArea)) {
        return Screen::Play;
    }
    bool inked = false;
    for (int32_t y = 0; y < frame.height; ++y) {
        for (int32_t x = 0; x < frame.width; ++x) {
            if (frame.At(x, y) != 0) {
                if (!kLoadingText.Holds(x, y)) {
                    return Screen::Other;
                }
                inked = true;
            }
        }
    }
    return inked ? Screen::Loading : Screen::Blank;
}

// The nine digits of the play score field read as a number.
inline bool PlayScoreShows(const platform::headless::Frame& frame, const PictureFile& digits,
                           int64_t value) {
    for (int32_t entry = 0; entry < 9; ++entry) {
        if (!ShowsSprite(frame, 555 - 20 * entry, 256, digits, static_cast<int32_t>(value % 10))) {
            return false;
        }
        value /= 10;
    }
    return true;
}

// The end screen's nine digits read as a number wherever the end picture lets
// them through; the rest of each digit's place is the cleared screen.
inline bool EndScoreShows(const platform::headless::Frame& frame, const GamePictures& pictures,
                          int64_t value) {
    int32_t compared = 0;
    for (int32_t entry = 0; entry < 9; ++entry, value /= 10) {
        const int32_t left = 381 - 20 * entry;
        for (int32_t y = 0; y < kSpriteSize; ++y) {
            for (int32_t x = 0; x < kSpriteSize; ++x) {
                if (pictures.end.At(left + x, 148 + y) != kSeeThrough) {
                    continue;
                }
                const uint8_t digit =
                    pictures.digits.At(StripX(static_cast<int32_t>(value % 10)) + x, kStripY + y);
                if (frame.At(left + x, 148 + y) != (digit == kSeeThrough ? 0 : digit)) {
                    return false;
                }
                ++compared;
            }
        }
    }
    return compared > 0;
}

}  // namespace test_support
