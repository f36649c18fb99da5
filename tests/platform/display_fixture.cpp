#include "tests/platform/display_fixture.h"

#include <cstring>

namespace platform::testing {

std::vector<uint8_t> PixelsOf(const Surface& surface) {
    std::vector<uint8_t> pixels(static_cast<size_t>(surface.Width()) * surface.Height());
    for (int32_t y = 0; y < surface.Height(); ++y) {
        std::memcpy(pixels.data() + static_cast<size_t>(y) * surface.Width(),
                    surface.Pixels() + static_cast<ptrdiff_t>(y) * surface.Pitch(),
                    static_cast<size_t>(surface.Width()));
    }
    return pixels;
}

void WritePixels(Surface& surface, const std::vector<uint8_t>& pixels) {
    SurfaceDesc description;
    description.size = sizeof description;
    ASSERT_EQ(surface.Lock(nullptr, &description, DDLOCK_WAIT, nullptr), kOk);
    auto* row = static_cast<uint8_t*>(description.surface);
    const auto width = static_cast<size_t>(description.width);
    for (uint32_t y = 0; y < description.height; ++y) {
        std::memcpy(row, pixels.data() + y * width, width);
        row += description.pitch;
    }
    ASSERT_EQ(surface.Unlock(nullptr), kOk);
}

Result Fill(Surface* surface, uint8_t colour) {
    BltFx fx{sizeof(BltFx), colour};
    return surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

PaletteEntry Colour(uint8_t red, uint8_t green, uint8_t blue) {
    return PaletteEntry{red, green, blue, 0};
}

SurfaceDesc ScreenChainDescription() {
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.backBufferCount = 1;
    description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    return description;
}

SurfaceDesc OffscreenDescription(uint32_t width, uint32_t height) {
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.width = width;
    description.height = height;
    description.caps.caps = DDSCAPS_OFFSCREENPLAIN;
    return description;
}

void DisplayTest::SetUp() {
    headless::Reset();
    ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk);
    ASSERT_EQ(device->SetDisplayMode(640, 480, 8), kOk);
    const SurfaceDesc description = ScreenChainDescription();
    ASSERT_EQ(device->CreateSurface(&description, &primary, nullptr), kOk);
    SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    ASSERT_EQ(primary->GetAttachedSurface(&caps, &backBuffer), kOk);
    const PaletteEntry black[256] = {};
    primaryPalette = MakePalette(black);
    backBufferPalette = MakePalette(black);
    primary->SetPalette(primaryPalette);
    backBuffer->SetPalette(backBufferPalette);
}

void DisplayTest::TearDown() {
    for (Surface* surface : surfaces_) {
        surface->Release();
    }
    for (Surface* surface : {backBuffer, primary}) {
        if (surface != nullptr) {
            surface->Release();
        }
    }
    if (device != nullptr) {
        EXPECT_EQ(device->Release(), 0u) << "a surface outlived the test";
    }
}

Surface* DisplayTest::MakeSurface(uint32_t width, uint32_t height) {
    const SurfaceDesc description = OffscreenDescription(width, height);
    Surface* surface = nullptr;
    EXPECT_EQ(device->CreateSurface(&description, &surface, nullptr), kOk);
    if (surface != nullptr) {
        surfaces_.push_back(surface);
    }
    return surface;
}

Surface* DisplayTest::MakeKeyedSurface(uint32_t width, uint32_t height, uint8_t key) {
    Surface* surface = MakeSurface(width, height);
    const ColorKey colorKey{key, key};
    EXPECT_EQ(surface->SetColorKey(DDCKEY_SRCBLT, &colorKey), kOk);
    return surface;
}

Palette* DisplayTest::MakePalette(const PaletteEntry* entries) {
    Palette* palette = nullptr;
    EXPECT_EQ(device->CreatePalette(DDPCAPS_8BIT, entries, &palette, nullptr), kOk);
    return palette;
}

}  // namespace platform::testing
