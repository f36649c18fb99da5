// The screen: the game's 8-bit picture expanded through its palette into the
// page's canvas. The page scales the canvas by a whole factor with hard pixel
// edges and centres it on black (index.html). As on the desktop, only the
// blocks of rows a frame changes are expanded and handed to the canvas, and
// an unchanged frame not at all.
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "platform/hosts/host.h"
#include "platform/hosts/host_palette_expand.h"
#include "platform/hosts/host_shown_frame.h"

namespace platform::host {
namespace {

struct Screen {
    bool open = false;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgba;  // the canvas's pixels, red first in memory
    ShownFrame shown;            // the frame on the canvas
};

Screen screen;

// clang-format off
EM_JS(void, SizeCanvas, (int width, int height), {
    const canvas = document.getElementById("screen");
    canvas.width = width;
    canvas.height = height;
    if (Module.onScreenOpened) {
        Module.onScreenOpened();
    }
});

// Only the block that changed goes to the canvas.
EM_JS(void, DrawCanvas, (const uint8_t* rgba, int width, int height, int left, int top,
                         int right, int bottom), {
    const canvas = document.getElementById("screen");
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    canvas.getContext("2d").putImageData(new ImageData(bytes, width, height), 0, 0, left, top,
                                         right - left, bottom - top);
});
// clang-format on

}  // namespace

bool OpenScreen(int32_t width, int32_t height) {
    if (screen.open) {
        SetErrorText("the screen is already open");
        return false;
    }
    if (width <= 0 || height <= 0) {
        SetErrorText("cannot open the screen: it has no size");
        return false;
    }
    screen.open = true;
    screen.width = width;
    screen.height = height;
    screen.rgba.assign(static_cast<size_t>(width) * height, 0xFF000000u);
    SizeCanvas(width, height);
    return true;
}

void CloseScreen() {
    screen = Screen{};
}

void Present(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
             const PaletteEntry* palette) {
    static const PaletteEntry kBlack[256] = {};
    // A picture of another size than the screen's is not the game's; it is
    // left out rather than drawn past the canvas.
    if (!screen.open || pixels == nullptr || width != screen.width || height != screen.height) {
        return;
    }
    if (palette == nullptr) {
        palette = kBlack;
    }
    const std::span<const Block> changed = screen.shown.Take(pixels, pitch, width, height, palette);
    if (changed.empty()) {
        return;
    }
    // The expansion writes 0xAARRGGBB words, blue first in memory; the canvas
    // wants red first, so the palette goes in with red and blue changed over.
    std::array<PaletteEntry, 256> swapped;
    std::transform(palette, palette + 256, swapped.begin(), [](PaletteEntry entry) {
        std::swap(entry.red, entry.blue);
        return entry;
    });
    for (const Block& block : changed) {
        ExpandThroughPalette(
            pixels + static_cast<ptrdiff_t>(block.top) * pitch + block.left, pitch,
            block.right - block.left, block.bottom - block.top, swapped.data(),
            screen.rgba.data() + static_cast<size_t>(block.top) * width + block.left, width * 4);
        DrawCanvas(reinterpret_cast<const uint8_t*>(screen.rgba.data()), width, height, block.left,
                   block.top, block.right, block.bottom);
    }
}

}  // namespace platform::host
