// The screen: the game's 8-bit picture expanded through its palette into the
// page's canvas. The page scales the canvas by a whole factor with hard pixel
// edges and centres it on black (index.html).
#include <emscripten.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/backend.h"
#include "platform/common/palette_expand.h"

namespace platform {
namespace {

struct Screen {
    bool open = false;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> rgba;  // the canvas's pixels, red first in memory
    // The frame on the canvas: one equal to it is not drawn again.
    std::vector<uint8_t> lastFrame;
    std::array<PaletteEntry, 256> lastPalette{};
    bool hasFrame = false;
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

EM_JS(void, DrawCanvas, (const uint8_t* rgba, int width, int height), {
    const canvas = document.getElementById("screen");
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    canvas.getContext("2d").putImageData(new ImageData(bytes, width, height), 0, 0);
});
// clang-format on

// Takes the frame as the one to be shown and says whether it differs from the
// one on the canvas.
bool KeepIfChanged(const uint8_t* pixels, int32_t pitch, const PaletteEntry* palette) {
    bool changed = !screen.hasFrame ||
                   std::memcmp(palette, screen.lastPalette.data(), sizeof screen.lastPalette) != 0;
    const auto rowBytes = static_cast<size_t>(screen.width);
    for (int32_t y = 0; y < screen.height; ++y) {
        uint8_t* kept = screen.lastFrame.data() + static_cast<size_t>(y) * rowBytes;
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        if (changed || std::memcmp(kept, row, rowBytes) != 0) {
            std::memcpy(kept, row, rowBytes);
            changed = true;
        }
    }
    std::memcpy(screen.lastPalette.data(), palette, sizeof screen.lastPalette);
    return changed;
}

}  // namespace

bool backend::OpenScreen(int32_t width, int32_t height) {
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
    screen.lastFrame.assign(static_cast<size_t>(width) * height, 0);
    SizeCanvas(width, height);
    return true;
}

void backend::CloseScreen() {
    screen = Screen{};
}

void backend::Present(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
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
    if (!KeepIfChanged(pixels, pitch, palette)) {
        return;
    }
    // The expansion writes 0xAARRGGBB words, blue first in memory; the canvas
    // wants red first, so the palette goes in with red and blue changed over.
    std::array<PaletteEntry, 256> swapped;
    std::transform(palette, palette + 256, swapped.begin(), [](PaletteEntry entry) {
        std::swap(entry.red, entry.blue);
        return entry;
    });
    ExpandThroughPalette(pixels, pitch, width, height, swapped.data(), screen.rgba.data(),
                         width * 4);
    DrawCanvas(reinterpret_cast<const uint8_t*>(screen.rgba.data()), width, height);
    screen.hasFrame = true;
}

}  // namespace platform
