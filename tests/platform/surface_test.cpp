// Surfaces and the flip chain: the pitch rule, locks, palettes, flips, and
// steps that fail or are refused leaving everything as it was.
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using SurfaceTest = DisplayTest;

TEST_F(SurfaceTest, RowsArePaddedAndALockedSurfaceRefusesEverythingElse) {
    for (int width : {1, 31, 32, 33, 640}) {
        Surface* surface = MakeSurface(width, 3);
        EXPECT_GT(surface->Pitch(), surface->Width()) << width;
        EXPECT_EQ(surface->Pitch() % 32, 0) << width;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(surface->Pixels()) % 32, 0u);
    }
    EXPECT_GT(backBuffer->Pitch(), 640);
    Surface* surface = MakeSurface(20, 20);
    SurfaceDesc lock = Sized();
    ASSERT_EQ(surface->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk);
    EXPECT_EQ(lock.surface, surface->Pixels());
    EXPECT_EQ(lock.pitch, surface->Pitch());
    EXPECT_EQ(surface->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kErrSurfaceBusy);
    EXPECT_EQ(Fill(surface, 5), kErrSurfaceBusy);
    EXPECT_EQ(surface->BltFast(0, 0, MakeSurface(4, 4), nullptr, 0), kErrSurfaceBusy);
    DeviceContext* context = nullptr;
    EXPECT_EQ(surface->GetDC(&context), kErrSurfaceBusy);
    EXPECT_EQ(context, nullptr);
    ASSERT_EQ(surface->Unlock(nullptr), kOk);
    EXPECT_EQ(surface->Unlock(nullptr), kErrGeneric) << "not locked any more";
    EXPECT_EQ(PixelsOf(*surface), Pixels(400, 0));

    // A locked back buffer, or one with a context out, holds the flip back.
    ASSERT_EQ(backBuffer->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceBusy);
    backBuffer->Unlock(nullptr);
    ASSERT_EQ(backBuffer->GetDC(&context), kOk);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceBusy);
    ASSERT_EQ(backBuffer->ReleaseDC(context), kOk);
    EXPECT_EQ(headless::FramesPresented(), 0u);
}

TEST_F(SurfaceTest, SurfacesNeedASensibleSizeAndThereIsOneScreenChain) {
    Surface* surface = primary;  // must be overwritten
    for (auto [width, height] : {std::pair{0u, 5u}, {5u, 0u}, {100000u, 5u}}) {
        const SurfaceDesc description = Offscreen(width, height);
        EXPECT_EQ(device->CreateSurface(&description, &surface, nullptr), kErrInvalidParams);
        EXPECT_EQ(surface, nullptr);
    }
    Surface* offscreen = MakeSurface(4, 4);
    EXPECT_EQ(offscreen->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
    const SurfaceDesc chain = FlipChain();
    EXPECT_EQ(device->CreateSurface(&chain, &surface, nullptr), kErrGeneric);
    // The back buffer outlives the primary while it is held.
    primary->Release();
    primary = nullptr;
    ASSERT_EQ(Fill(backBuffer, 4), kOk);
    EXPECT_EQ(backBuffer->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
    backBuffer->Release();
    backBuffer = nullptr;
    ASSERT_EQ(device->CreateSurface(&chain, &primary, nullptr), kOk) << "the chain is free again";

    const PaletteEntry two[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    ASSERT_EQ(primaryPalette->SetEntries(0, 254, 2, two), kOk);
    EXPECT_EQ(primaryPalette->SetEntries(0, 255, 2, two), kErrInvalidParams);
    PaletteEntry out[2];
    ASSERT_EQ(primaryPalette->GetEntries(0, 254, 2, out), kOk);
    EXPECT_EQ(out[1].blue, 6);
}

TEST_F(SurfaceTest, FailedCreationsHandOutNothing) {
    for (Fault fault : {Fault::GetBackBuffer, Fault::CreatePalette, Fault::CreateOffscreenSurface,
                        Fault::GetDC}) {
        headless::FailStep(fault, 0, 1);
    }
    SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    Surface* back = primary;
    EXPECT_LT(primary->GetAttachedSurface(&caps, &back), 0);
    EXPECT_EQ(back, nullptr);
    const PaletteEntry black[256] = {};
    Palette* palette = primaryPalette;
    EXPECT_LT(device->CreatePalette(DDPCAPS_8BIT, black, &palette, nullptr), 0);
    EXPECT_EQ(palette, nullptr);
    const SurfaceDesc offscreen = Offscreen(20, 20);
    Surface* surface = primary;
    EXPECT_LT(device->CreateSurface(&offscreen, &surface, nullptr), 0);
    EXPECT_EQ(surface, nullptr);
    DeviceContext* context = reinterpret_cast<DeviceContext*>(1);
    EXPECT_LT(backBuffer->GetDC(&context), 0);
    EXPECT_EQ(context, nullptr);
    EXPECT_EQ(Fill(backBuffer, 2), kOk) << "the surface is not left busy";
}

TEST_F(SurfaceTest, FailedLocksBlitsAndFlipsChangeAndShowNothing) {
    Surface* tile = MakeSurface(20, 20);
    WritePixels(*tile, Pixels(400, 6));
    headless::FailStep(Fault::LockSurface, 0, 1);
    SurfaceDesc lock = Sized();
    EXPECT_LT(tile->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), 0);
    EXPECT_EQ(lock.surface, nullptr);
    EXPECT_LT(tile->Unlock(nullptr), 0) << "a failed lock leaves nothing to unlock";
    headless::FailStep(Fault::Blit);
    EXPECT_LT(Fill(backBuffer, 2), 0);
    EXPECT_LT(backBuffer->BltFast(0, 0, tile, nullptr, 0), 0);
    EXPECT_EQ(PixelsOf(*backBuffer), Pixels(640 * 480, 0));
    const uint8_t* front = primary->Pixels();
    headless::FailStep(Fault::Flip, 0, 2);
    EXPECT_LT(primary->Flip(nullptr, DDFLIP_WAIT), 0);
    EXPECT_LT(primary->Flip(nullptr, DDFLIP_WAIT), 0);
    EXPECT_EQ(primary->Pixels(), front);
    EXPECT_EQ(headless::FramesPresented(), 0u);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    EXPECT_EQ(headless::FramesPresented(), 1u);
}

}  // namespace
}  // namespace platform::testing
