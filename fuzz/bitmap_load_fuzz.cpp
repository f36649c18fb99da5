// Any file where a picture should be: loading it, taking its colours and
// cutting it the way the game does must never touch memory the picture does
// not own.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "fuzz/input_file.h"
#include "platform/display.h"
#include "platform/hosts/headless/headless_control.h"
#include "video/bitmap.h"

namespace {

struct Targets {
    platform::DisplayDevice* device = nullptr;
    platform::Surface* screen = nullptr;  // as large as the background picture
    platform::Surface* tile = nullptr;    // as large as a tile or a digit
    platform::Palette* palette = nullptr;
};

// Made once for the whole run: the device and surfaces outlive every input.
const Targets& TheTargets() {
    static const Targets targets = [] {
        platform::headless::Reset();
        Targets made;
        if (platform::CreateDisplay(nullptr, &made.device, nullptr) != platform::kOk) {
            std::abort();
        }
        platform::SurfaceDesc description{};
        description.size = sizeof description;
        description.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
        description.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
        description.width = 640;
        description.height = 480;
        made.device->CreateSurface(&description, &made.screen, nullptr);
        description.width = 20;
        description.height = 20;
        made.device->CreateSurface(&description, &made.tile, nullptr);
        const platform::PaletteEntry black[256] = {};
        made.device->CreatePalette(platform::DDPCAPS_8BIT, black, &made.palette, nullptr);
        if (made.screen == nullptr || made.tile == nullptr || made.palette == nullptr) {
            std::abort();
        }
        return made;
    }();
    return targets;
}

// Reads the first and the last byte of every row of the pixel block a
// successful load claims to hold, so that a block smaller than the headers say
// shows at once; every byte would cost the largest pictures far more time than
// their reading does.
void TouchEveryRow(const Bitmap& bitmap) {
    const int64_t width = bitmap.Width();
    const int64_t height = bitmap.Height();
    if (width <= 0 || height <= 0) {
        return;
    }
    if (bitmap.Pixels() == nullptr) {
        std::abort();
    }
    volatile uint8_t sum = 0;
    for (int64_t row = 0; row < height; ++row) {
        sum = static_cast<uint8_t>(sum + bitmap.Pixels()[row * width] +
                                   bitmap.Pixels()[row * width + width - 1]);
    }
}

// A rectangle's corner or size, held to what the copy takes.
int32_t Held(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The cuts the game makes (background, tile and digit strips), and cuts at
// and past the picture's own edges, as a careless caller might make them.
// The size fields are read even when the load failed.
void CutLikeTheGame(Bitmap& bitmap, const Targets& targets) {
    bitmap.CopyToSurface(targets.screen, 640, 480, 0, 0);
    for (int32_t frame = 0; frame < 10; ++frame) {
        bitmap.CopyToSurface(targets.tile, 20, 20, 2 + 23 * frame, 4);
    }
    const int64_t width = bitmap.Width();
    const int64_t height = bitmap.Height();
    bitmap.CopyToSurface(targets.screen, Held(width), Held(height), 0, 0);
    bitmap.CopyToSurface(targets.tile, 20, 20, Held(width - 10), Held(height - 10));
    bitmap.CopyToSurface(targets.tile, 20, 20, -10, -10);
    bitmap.CopyToSurface(targets.tile, Held(width), Held(height), Held(width / 2),
                         Held(height / 2));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Targets& targets = TheTargets();
    const char* file = fuzz::ServeInput("picture.bmp", data, size);
    Bitmap bitmap;
    if (bitmap.Load(file) == 1) {
        TouchEveryRow(bitmap);
    } else if (bitmap.Pixels() != nullptr) {
        std::abort();  // a failed load leaves no pixel block
    }
    bitmap.ApplyPalette(targets.palette);
    CutLikeTheGame(bitmap, targets);
    return 0;
}
