// Surfaces: their layout, colour fill, locks and lifetimes.
#include <cstdint>
#include <vector>

#include "platform/display.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using SurfaceTest = DisplayTest;

TEST_F(SurfaceTest, RowsAreWiderThanThePictureAndAligned) {
    for (uint32_t width : {1u, 20u, 31u, 32u, 33u, 64u, 640u}) {
        Surface* surface = MakeSurface(width, 3);
        ASSERT_NE(surface, nullptr);
        EXPECT_GT(surface->Pitch(), surface->Width()) << "width " << width;
        EXPECT_EQ(surface->Pitch() % 32, 0) << "width " << width;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(surface->Pixels()) % 32, 0u);
    }
    EXPECT_GT(backBuffer->Pitch(), 640);
    EXPECT_EQ(backBuffer->Width(), 640);
    EXPECT_EQ(backBuffer->Height(), 480);
}

TEST_F(SurfaceTest, LockHandsOutTheFirstPixelAndThePitch) {
    Surface* surface = MakeSurface(20, 20);
    SurfaceDesc description;
    description.size = sizeof description;
    ASSERT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), kOk);
    EXPECT_EQ(description.surface, surface->Pixels());
    EXPECT_EQ(description.pitch, surface->Pitch());
    EXPECT_EQ(description.width, 20u);
    EXPECT_EQ(description.height, 20u);
    // Row 1 starts a pitch further on, not a width.
    static_cast<uint8_t*>(description.surface)[description.pitch] = 9;
    ASSERT_EQ(surface->Unlock(nullptr), kOk);
    EXPECT_EQ(PixelsOf(*surface)[20], 9);
}

TEST_F(SurfaceTest, ALockedSurfaceRefusesEverythingElseUntilUnlocked) {
    Surface* surface = MakeSurface(8, 8);
    Surface* source = MakeSurface(4, 4);
    SurfaceDesc description;
    description.size = sizeof description;
    ASSERT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), kOk);

    SurfaceDesc again;
    again.size = sizeof again;
    EXPECT_EQ(surface->Lock(nullptr, &again, DDLOCK_WAIT, nullptr), kErrSurfaceBusy);
    BltFx fx{sizeof(BltFx), 5};
    EXPECT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx),
              kErrSurfaceBusy);
    EXPECT_EQ(surface->BltFast(0, 0, source, nullptr, DDBLTFAST_WAIT), kErrSurfaceBusy);
    EXPECT_EQ(source->BltFast(0, 0, surface, nullptr, DDBLTFAST_WAIT), kErrInvalidRect)
        << "the bigger surface does not fit the smaller one";
    DeviceContext* context = nullptr;
    EXPECT_EQ(surface->GetDC(&context), kErrSurfaceBusy);
    EXPECT_EQ(context, nullptr);

    ASSERT_EQ(surface->Unlock(nullptr), kOk);
    EXPECT_EQ(surface->Unlock(nullptr), kErrGeneric) << "not locked any more";
    EXPECT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), kOk);
}

TEST_F(SurfaceTest, ColourFillCoversTheRectangleOnly) {
    Surface* surface = MakeSurface(10, 6);
    BltFx fx{sizeof(BltFx), 7};
    ASSERT_EQ(surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), kOk);
    EXPECT_EQ(PixelsOf(*surface), std::vector<uint8_t>(60, 7));

    fx.fillColor = 0x1FE;  // an 8-bit surface takes the low byte
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

TEST_F(SurfaceTest, ColourFillRefusesARectangleLeavingTheSurfaceAndChangesNothing) {
    Surface* surface = MakeSurface(10, 6);
    BltFx fx{sizeof(BltFx), 3};
    for (const Rect& outside : {Rect{-1, 0, 4, 4}, Rect{0, 0, 11, 6}, Rect{0, 0, 10, 7},
                                Rect{5, 5, 5, 6}, Rect{4, 2, 3, 5}}) {
        EXPECT_EQ(surface->Blt(&outside, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx),
                  kErrInvalidRect);
    }
    EXPECT_EQ(PixelsOf(*surface), std::vector<uint8_t>(60, 0));
}

TEST_F(SurfaceTest, OffscreenSurfacesNeedASensibleSize) {
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.caps.caps = DDSCAPS_OFFSCREENPLAIN;
    Surface* surface = reinterpret_cast<Surface*>(&description);  // must be overwritten
    for (auto [width, height] : {std::pair{0u, 5u}, {5u, 0u}, {100000u, 5u}}) {
        description.width = width;
        description.height = height;
        EXPECT_EQ(device->CreateSurface(&description, &surface, nullptr), kErrInvalidParams);
        EXPECT_EQ(surface, nullptr);
    }
    description.width = 5;
    description.height = 5;
    description.flags = DDSD_CAPS;
    EXPECT_EQ(device->CreateSurface(&description, &surface, nullptr), kErrInvalidParams);
}

TEST_F(SurfaceTest, ThereIsOnePrimarySurfaceAtATime) {
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.backBufferCount = 1;
    description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Surface* second = nullptr;
    EXPECT_EQ(device->CreateSurface(&description, &second, nullptr), kErrGeneric);
    EXPECT_EQ(second, nullptr);

    backBuffer->Release();
    backBuffer = nullptr;
    primary->Release();
    primary = nullptr;
    ASSERT_EQ(device->CreateSurface(&description, &second, nullptr), kOk);
    primary = second;
}

TEST_F(SurfaceTest, AnOffscreenSurfaceHasNoBackBuffer) {
    Surface* surface = MakeSurface(4, 4);
    SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    Surface* attached = surface;
    EXPECT_LT(surface->GetAttachedSurface(&caps, &attached), 0);
    EXPECT_EQ(attached, nullptr);
    EXPECT_EQ(surface->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
}

TEST_F(SurfaceTest, TheBackBufferOutlivesThePrimaryWhileItIsHeld) {
    primary->Release();  // the chain's front goes first
    primary = nullptr;
    BltFx fx{sizeof(BltFx), 4};
    ASSERT_EQ(backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx), kOk);
    EXPECT_EQ(PixelsOf(*backBuffer)[640 * 480 - 1], 4);
    EXPECT_EQ(backBuffer->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
}

TEST_F(SurfaceTest, TheDeviceLastsAsLongAsItsSurfaces) {
    Surface* surface = MakeSurface(4, 4);
    surface->AddRef();
    EXPECT_EQ(surface->Release(), 1u);
    // The device has its creator's reference plus one per live surface.
    EXPECT_EQ(device->AddRef(), 5u);
    EXPECT_EQ(device->Release(), 4u);
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
