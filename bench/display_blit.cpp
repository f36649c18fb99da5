// The display's share of one play frame: clear the back buffer, blit the
// full-screen background with its colour key, blit the board's tiles and the
// digits, and flip.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/display.h"
#include "platform/hosts/headless/headless_control.h"

namespace {

using namespace platform;

constexpr uint8_t kTransparent = 253;

Surface* MakeKeyedSurface(DisplayDevice* device, uint32_t width, uint32_t height) {
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.width = width;
    description.height = height;
    description.caps.caps = DDSCAPS_OFFSCREENPLAIN;
    Surface* surface = nullptr;
    device->CreateSurface(&description, &surface, nullptr);
    const ColorKey key{kTransparent, kTransparent};
    surface->SetColorKey(DDCKEY_SRCBLT, &key);
    // A picture with transparent holes, like the background's well.
    SurfaceDesc locked;
    locked.size = sizeof locked;
    surface->Lock(nullptr, &locked, DDLOCK_WAIT, nullptr);
    for (uint32_t y = 0; y < height; ++y) {
        auto* row = static_cast<uint8_t*>(locked.surface) + y * static_cast<uint32_t>(locked.pitch);
        for (uint32_t x = 0; x < width; ++x) {
            row[x] = (x / 7 + y / 5) % 9 == 0 ? kTransparent : static_cast<uint8_t>(x ^ y);
        }
    }
    surface->Unlock(nullptr);
    return surface;
}

struct Screen {
    DisplayDevice* device = nullptr;
    Surface* primary = nullptr;
    Surface* backBuffer = nullptr;

    Screen() {
        headless::Reset();
        headless::SetFramesKept(1);
        CreateDisplay(nullptr, &device, nullptr);
        device->SetDisplayMode(640, 480, 8);
        SurfaceDesc description;
        description.size = sizeof description;
        description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        description.backBufferCount = 1;
        description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
        device->CreateSurface(&description, &primary, nullptr);
        SurfaceCaps caps{DDSCAPS_BACKBUFFER};
        primary->GetAttachedSurface(&caps, &backBuffer);
    }
    ~Screen() {
        backBuffer->Release();
        primary->Release();
        device->Release();
    }
};

void Clear(Surface* surface) {
    BltFx fx{sizeof(BltFx), 0};
    surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

void BM_Clear(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        Clear(screen.backBuffer);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Clear);

void BM_FullScreenKeyedBlit(benchmark::State& state) {
    Screen screen;
    Surface* background = MakeKeyedSurface(screen.device, 640, 480);
    for (auto _ : state) {
        screen.backBuffer->BltFast(0, 0, background, nullptr,
                                   DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        benchmark::ClobberMemory();
    }
    background->Release();
}
BENCHMARK(BM_FullScreenKeyedBlit);

void BM_TileBlits(benchmark::State& state) {
    Screen screen;
    Surface* tile = MakeKeyedSurface(screen.device, 20, 20);
    for (auto _ : state) {
        for (uint32_t i = 0; i < 256; ++i) {
            screen.backBuffer->BltFast(190 + 20 * (i % 10), 1 + 20 * (i / 10 % 23), tile, nullptr,
                                       DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        }
        benchmark::ClobberMemory();
    }
    tile->Release();
}
BENCHMARK(BM_TileBlits);

void BM_HeadlessFlip(benchmark::State& state) {
    Screen screen;
    for (auto _ : state) {
        screen.primary->Flip(nullptr, DDFLIP_WAIT);
    }
}
BENCHMARK(BM_HeadlessFlip);

void BM_FrameWithoutFlip(benchmark::State& state) {
    Screen screen;
    Surface* background = MakeKeyedSurface(screen.device, 640, 480);
    Surface* tile = MakeKeyedSurface(screen.device, 20, 20);
    for (auto _ : state) {
        Clear(screen.backBuffer);
        screen.backBuffer->BltFast(0, 0, background, nullptr,
                                   DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        for (uint32_t i = 0; i < 256; ++i) {
            screen.backBuffer->BltFast(190 + 20 * (i % 10), 1 + 20 * (i / 10 % 23), tile, nullptr,
                                       DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT);
        }
        benchmark::ClobberMemory();
    }
    tile->Release();
    background->Release();
}
BENCHMARK(BM_FrameWithoutFlip);

}  // namespace

BENCHMARK_MAIN();
