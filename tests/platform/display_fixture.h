// A fresh headless machine with the game's screen: 640 x 480 x 8, the flip
// chain, and a black palette on the back buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/display.h"
#include "platform/hosts/headless/headless_control.h"

namespace platform::testing {

using Pixels = std::vector<uint8_t>;

inline SurfaceDesc Sized(uint32_t flags = 0, uint32_t caps = 0) {
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = flags;
    description.caps.caps = caps;
    return description;
}

inline SurfaceDesc Offscreen(uint32_t width, uint32_t height) {
    SurfaceDesc description = Sized(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN);
    description.width = width;
    description.height = height;
    return description;
}

inline SurfaceDesc FlipChain() {
    SurfaceDesc description = Sized(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                    DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
    description.backBufferCount = 1;
    return description;
}

// The pixels row by row, without the pitch's padding.
inline Pixels PixelsOf(const Surface& surface) {
    Pixels pixels;
    for (int32_t y = 0; y < surface.Height(); ++y) {
        const uint8_t* row = surface.Pixels() + static_cast<ptrdiff_t>(y) * surface.Pitch();
        pixels.insert(pixels.end(), row, row + surface.Width());
    }
    return pixels;
}

inline void WritePixels(Surface& surface, const Pixels& pixels) {
    SurfaceDesc lock = Sized();
    ASSERT_EQ(surface.Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk);
    for (uint32_t y = 0; y < lock.height; ++y) {
        std::memcpy(static_cast<uint8_t*>(lock.surface) + y * lock.pitch, &pixels[y * lock.width],
                    lock.width);
    }
    ASSERT_EQ(surface.Unlock(nullptr), kOk);
}

inline Result Fill(Surface* surface, uint32_t colour, const Rect* area = nullptr) {
    BltFx fx{sizeof(BltFx), colour};
    return surface->Blt(area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        headless::Reset();
        ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk);
        ASSERT_EQ(device->SetDisplayMode(640, 480, 8), kOk);
        const SurfaceDesc chain = FlipChain();
        ASSERT_EQ(device->CreateSurface(&chain, &primary, nullptr), kOk);
        SurfaceCaps caps{DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary->GetAttachedSurface(&caps, &backBuffer), kOk);
        const PaletteEntry black[256] = {};
        device->CreatePalette(DDPCAPS_8BIT, black, &backBufferPalette, nullptr);
        backBuffer->SetPalette(backBufferPalette);
    }

    void TearDown() override {
        surfaces_.insert(surfaces_.end(), {backBuffer, primary});
        for (Surface* surface : surfaces_) {
            if (surface != nullptr) {
                surface->Release();
            }
        }
        EXPECT_EQ(device->Release(), 0u) << "a surface outlived the test";
    }

    Surface* MakeSurface(uint32_t width, uint32_t height) {
        const SurfaceDesc description = Offscreen(width, height);
        Surface* surface = nullptr;
        EXPECT_EQ(device->CreateSurface(&description, &surface, nullptr), kOk);
        surfaces_.push_back(surface);
        return surface;
    }

    DisplayDevice* device = nullptr;
    Surface *primary = nullptr, *backBuffer = nullptr;
    Palette* backBufferPalette = nullptr;

private:
    std::vector<Surface*> surfaces_;
};

}  // namespace platform::testing
