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

// The pixels of the box, in window coordinates, that show the given part of
// the picture (a box in picture pixels) once it is stretched to the box: each
// window pixel shows the picture pixel its place scales down to. Empty when
// the box is too small to show any of it.
Box ShownPart(const Box& box, int32_t pictureWidth, int32_t pictureHeight, const Box& part);

}  // namespace platform::sdl
