// An icon from a palettised picture: the colours as a 32-bit picture with
// every pixel opaque, and an all-clear mask.
#include "platform/win32/win32_icon.h"

#include <cstdint>
#include <vector>

namespace platform::win32 {

// The platform's api has checked the picture: every index names a colour.
HICON MakeIcon(const IconImage& icon) {
    const auto count = static_cast<size_t>(icon.width) * static_cast<size_t>(icon.height);
    std::vector<uint32_t> colours(count);
    for (size_t i = 0; i < count; ++i) {
        colours[i] = 0xFF000000u | (icon.colours[icon.pixels[i]] & 0x00FFFFFFu);
    }
    // Rows as given, top-down; 0xAARRGGBB is the system's byte order BGRA.
    HBITMAP colour = CreateBitmap(icon.width, icon.height, 1, 32, colours.data());
    const size_t maskRowBytes = ((static_cast<size_t>(icon.width) + 15) / 16) * 2;
    std::vector<uint8_t> clear(maskRowBytes * static_cast<size_t>(icon.height), 0);
    HBITMAP mask = CreateBitmap(icon.width, icon.height, 1, 1, clear.data());
    HICON made = nullptr;
    if (colour != nullptr && mask != nullptr) {
        ICONINFO info{};
        info.fIcon = TRUE;
        info.hbmColor = colour;
        info.hbmMask = mask;
        made = CreateIconIndirect(&info);
    }
    if (colour != nullptr) {
        DeleteObject(colour);
    }
    if (mask != nullptr) {
        DeleteObject(mask);
    }
    return made;
}

}  // namespace platform::win32
