// Where the game's picture goes in a window of another size.
#pragma once

#include <cstdint>

namespace platform::sdl {

struct Box {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The picture scaled with its aspect kept and centred between black bars. Where
// it can be shown at least twice its size, it is scaled by a whole number, so
// that every pixel of the picture is the same number of screen pixels wide and
// high; below that, a whole-number scale would leave it too small, and it fills
// the window instead.
Box PictureBox(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth,
               int32_t pictureHeight);

}  // namespace platform::sdl
