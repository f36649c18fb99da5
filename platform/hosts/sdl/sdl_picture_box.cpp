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

namespace {

// The first box pixel along one side that shows picture pixel `from` or one
// after it.
int32_t FirstShowing(int32_t from, int32_t boxSide, int32_t pictureSide) {
    return static_cast<int32_t>((int64_t{from} * boxSide + pictureSide - 1) / pictureSide);
}

}  // namespace

Box ShownPart(const Box& box, int32_t pictureWidth, int32_t pictureHeight, const Box& part) {
    if (box.width <= 0 || box.height <= 0 || pictureWidth <= 0 || pictureHeight <= 0) {
        return {};
    }
    const int32_t left = FirstShowing(part.x, box.width, pictureWidth);
    const int32_t right = FirstShowing(part.x + part.width, box.width, pictureWidth);
    const int32_t top = FirstShowing(part.y, box.height, pictureHeight);
    const int32_t bottom = FirstShowing(part.y + part.height, box.height, pictureHeight);
    if (right <= left || bottom <= top) {
        return {};
    }
    return {box.x + left, box.y + top, right - left, bottom - top};
}

}  // namespace platform::sdl
