// Surfaces: their layout, colour fill, locks, palettes and lifetimes.
#include <cstdint>
#include <vector>

#include "platform/display.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using SurfaceTest = DisplayTest;

TEST_F(SurfaceTest, RowsArePaddedAndALockHandsOutThePitch) {
    for (uint32_t width : {1u, 31u, 32u, 33u, 640u}) {
        Surface* surface = MakeSurface(width, 3);
        EXPECT_GT(surface->Pitch(), surface->Width()) << "width " << width;
        EXPECT_EQ(surface->Pitch() % 32, 0) << "width " << width;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(surface->Pixels()) % 32, 0u);
    }
    EXPECT_GT(backBuffer->Pitch(), 640);
    EXPECT_EQ(backBuffer->Height(), 480);

    Surface* surface = MakeSurface(20, 20);
    SurfaceDesc description;
    description.size = sizeof description;
    ASSERT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), kOk);
    EXPECT_EQ(description.surface, surface->Pixels());
    EXPECT_EQ(description.pitch, surface->Pitch());
    EXPECT_EQ(description.width, 20u);
    EXPECT_EQ(description.height, 20u);
    static_cast<uint8_t*>(description.surface)[description.pitch] = 9;  // row 1, column 0

    // A locked surface refuses everything else until unlocked.
    SurfaceDesc again;
    again.size = sizeof again;
    EXPECT_EQ(surface->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), kErrSurfaceBusy);
    EXPECT_EQ(Fill(surface, 5), kErrSurfaceBusy);
    EXPECT_EQ(surface->BltFast(0, 0, MakeSurface(4, 4), nullptr, DDBLTFAST_WAIT), kErrSurfaceBusy);
    DeviceContext* context = nullptr;
    EXPECT_EQ(surface->GetDC(&context), kErrSurfaceBusy);
    EXPECT_EQ(context, nullptr);
    ASSERT_EQ(surface->Unlock(nullptr), kOk);
    EXPECT_EQ(surface->Unlock(nullptr), kErrGeneric) << "not locked any more";
    EXPECT_EQ(PixelsOf(*surface)[20], 9);
}

TEST_F(SurfaceTest, ColourFillCoversTheRectangleOnlyAndRefusesOneLeavingTheSurface) {
    Surface* surface = MakeSurface(10, 6);
    ASSERT_EQ(Fill(surface, 7), kOk);
    BltFx fx{sizeof(BltFx), 0x1FE};  // an 8-bit surface takes the low byte
    for (const Rect& outside : {Rect{-1, 0, 4, 4}, Rect{0, 0, 11, 6}, Rect{0, 0, 10, 7},
                                Rect{5, 5, 5, 6}, Rect{4, 2, 3, 5}}) {
        EXPECT_EQ(surface->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL, &fx), kErrInvalidRect);
    }
    const Rect inner{2, 1, 5, 3};
    ASSERT_EQ(surface->Blt(&inner, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), kOk);
    const std::vector<uint8_t> pixels = PixelsOf(*surface);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(pixels[y * 10 + x], inside ? 0xFE : 7) << x << "," << y;
        }
    }
}

TEST_F(SurfaceTest, SurfacesNeedASensibleSizeAndThereIsOneScreenChain) {
    Surface* surface = reinterpret_cast<Surface*>(&device);  // must be overwritten
    for (auto [width, height] : {std::pair{0u, 5u}, {5u, 0u}, {100000u, 5u}}) {
        const SurfaceDesc description = OffscreenDescription(width, height);
        EXPECT_EQ(device->CreateSurface(&description, &surface, nullptr), kErrInvalidParams);
        EXPECT_EQ(surface, nullptr);
    }
    SurfaceDesc sizeless = OffscreenDescription(5, 5);
    sizeless.flags = DDSD_CAPS;
    EXPECT_EQ(device->CreateSurface(&sizeless, &surface, nullptr), kErrInvalidParams);

    // An off-screen surface has no back buffer and cannot flip.
    Surface* offscreen = MakeSurface(4, 4);
    SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    Surface* attached = offscreen;
    EXPECT_LT(offscreen->GetAttachedSurface(&caps, &attached), 0);
    EXPECT_EQ(attached, nullptr);
    EXPECT_EQ(offscreen->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);

    const SurfaceDesc chain = ScreenChainDescription();
    EXPECT_EQ(device->CreateSurface(&chain, &surface, nullptr), kErrGeneric);
    EXPECT_EQ(surface, nullptr);
    // The back buffer outlives the primary while it is held.
    primary->Release();
    primary = nullptr;
    ASSERT_EQ(Fill(backBuffer, 4), kOk);
    EXPECT_EQ(PixelsOf(*backBuffer)[640 * 480 - 1], 4);
    EXPECT_EQ(backBuffer->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
    backBuffer->Release();
    backBuffer = nullptr;
    ASSERT_EQ(device->CreateSurface(&chain, &primary, nullptr), kOk) << "the chain is free again";
}

TEST_F(SurfaceTest, PalettesCopyTheirEntriesInAndOut) {
    PaletteEntry colours[256];
    for (int i = 0; i < 256; ++i) {
        colours[i] = Colour(static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 7);
    }
    Palette* palette = MakePalette(colours);
    EXPECT_EQ(palette->Entries()[200].red, 200);
    const PaletteEntry two[2] = {Colour(1, 2, 3), Colour(4, 5, 6)};
    ASSERT_EQ(palette->SetEntries(0, 254, 2, two), kOk);
    EXPECT_EQ(palette->SetEntries(0, 255, 2, two), kErrInvalidParams);
    EXPECT_EQ(palette->SetEntries(1, 0, 2, two), kErrInvalidParams);
    PaletteEntry out[3];
    ASSERT_EQ(palette->GetEntries(0, 253, 3, out), kOk);
    EXPECT_EQ(out[0].red, 253);
    EXPECT_EQ(out[1].blue, 3);
    EXPECT_EQ(out[2].green, 5);
}

}  // namespace
}  // namespace platform::testing
