// Taking the screen, making the flip chain with its two palettes, and giving
// it all back at the end.
#include "video/game_screen.h"

#include "program/window_handles.h"

platform::DisplayDevice* directDraw = nullptr;
platform::Surface* primarySurface = nullptr;
platform::Surface* backBuffer = nullptr;
platform::Palette* primaryPalette = nullptr;
platform::Palette* backBufferPalette = nullptr;

namespace {

constexpr uint32_t kFullScreenExclusive = platform::DDSCL_FULLSCREEN | platform::DDSCL_ALLOWREBOOT |
                                          platform::DDSCL_EXCLUSIVE | platform::DDSCL_ALLOWMODEX;

// The visible surface with one back buffer behind it, flipped as a pair.
platform::SurfaceDesc PrimarySurfaceDescription() {
    platform::SurfaceDesc description{};
    description.size = sizeof(platform::SurfaceDesc);
    description.flags = platform::DDSD_CAPS | platform::DDSD_BACKBUFFERCOUNT;
    description.backBufferCount = 1;
    description.caps.caps =
        platform::DDSCAPS_PRIMARYSURFACE | platform::DDSCAPS_FLIP | platform::DDSCAPS_COMPLEX;
    return description;
}

}  // namespace

int32_t InitDisplay(int32_t width, int32_t height, int32_t bitsPerPixel) {
    if (platform::CreateDisplay(nullptr, &directDraw, nullptr) != platform::kOk) {
        directDraw = nullptr;
        return 0;
    }
    directDraw->SetCooperativeLevel(mainWindow, kFullScreenExclusive);
    if (width < 0 || height < 0 || bitsPerPixel < 0) {
        return 0;
    }
    const platform::Result mode =
        directDraw->SetDisplayMode(static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                                   static_cast<uint32_t>(bitsPerPixel));
    return mode == platform::kOk ? 1 : 0;
}

// 1 when the primary surface, its back buffer and their palettes exist. A
// missing back buffer is reported too: nothing could ever be drawn.
int32_t CreateScreenSurfaces() {
    if (directDraw == nullptr) {
        return 0;
    }
    const platform::SurfaceDesc description = PrimarySurfaceDescription();
    if (directDraw->CreateSurface(&description, &primarySurface, nullptr) != platform::kOk) {
        primarySurface = nullptr;
        return 0;
    }
    primaryPalette = CreateBlackPalette(primarySurface);

    const platform::SurfaceCaps backBufferCaps{platform::DDSCAPS_BACKBUFFER};
    if (platform::Failed(primarySurface->GetAttachedSurface(&backBufferCaps, &backBuffer))) {
        backBuffer = nullptr;
        return 0;
    }
    backBufferPalette = CreateBlackPalette(backBuffer);
    return 1;
}

platform::Palette* CreateBlackPalette(platform::Surface* surface) {
    if (directDraw == nullptr || surface == nullptr) {
        return nullptr;
    }
    const platform::PaletteEntry black[256] = {};
    platform::Palette* palette = nullptr;
    if (platform::Failed(directDraw->CreatePalette(
            platform::DDPCAPS_8BIT | platform::DDPCAPS_ALLOW256, black, &palette, nullptr))) {
        return nullptr;
    }
    surface->SetPalette(palette);
    return palette;
}

void ReleaseScreenSurfaces() {
    if (backBuffer != nullptr) {
        backBuffer->Release();
        backBuffer = nullptr;
    }
    if (primarySurface != nullptr) {
        primarySurface->Release();
        primarySurface = nullptr;
    }
}

// The palettes belong to the display object and go with it.
void ReleaseDisplay() {
    if (directDraw != nullptr) {
        directDraw->Release();
        directDraw = nullptr;
    }
    primaryPalette = nullptr;
    backBufferPalette = nullptr;
}
