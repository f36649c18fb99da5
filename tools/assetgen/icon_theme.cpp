#include "tools/assetgen/icon_theme.h"

namespace assetgen {

IndexedPicture IconAtSize(const Icon& icon, int size) {
    IndexedPicture picture;
    picture.width = size;
    picture.height = size;
    picture.colours.assign(icon.colours.begin(), icon.colours.end());
    picture.pixels.reserve(static_cast<size_t>(size) * size);
    for (int y = 0; y < size; ++y) {
        const int iconY = y * kIconSize / size;
        for (int x = 0; x < size; ++x) {
            const int iconX = x * kIconSize / size;
            picture.pixels.push_back(icon.pixels[static_cast<size_t>(iconY * kIconSize + iconX)]);
        }
    }
    return picture;
}

}  // namespace assetgen
