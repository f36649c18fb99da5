#include "platform/hosts/sdl/sdl_picture_box.h"

#include <algorithm>

namespace platform::sdl {

Box PictureBox(int32_t windowWidth, int32_t windowHeight, int32_t pictureWidth,
               int32_t pictureHeight) {
    Box box;
    if (windowWidth <= 0 || windowHeight <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return box;
    }
    const int32_t wholeScale = std::min(windowWidth / pictureWidth, windowHeight / pictureHeight);
    if (wholeScale >= 2) {
        box.width = pictureWidth * wholeScale;
        box.height = pictureHeight * wholeScale;
    } else {
        // The widest box of the picture's aspect that fits.
        const int64_t wide = int64_t{windowWidth} * pictureHeight;
        const int64_t tall = int64_t{windowHeight} * pictureWidth;
        box.width = windowWidth;
        box.height = windowHeight;
        if (wide > tall) {
            box.width = static_cast<int32_t>(tall / pictureHeight);
        } else {
            box.height = static_cast<int32_t>(wide / pictureWidth);
        }
    }
    box.x = (windowWidth - box.width) / 2;
    box.y = (windowHeight - box.height) / 2;
    return box;
}

}  // namespace platform::sdl
