// Surfaces and the flip chain: the pitch rule, locks, absurd sizes, and
// failed creations handing out nothing.
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using SurfaceTest = DisplayTest;

TEST_F(SurfaceTest, RowsArePaddedAndALockedSurfaceRefusesEverythingElse) {
    for (uint32_t width : {1u, 31u, 32u, 33u, 640u}) {
        Surface* surface = MakeSurface(width, 3);
        EXPECT_GT(surface->Pitch(), surface->Width()) << width;
        EXPECT_EQ(surface->Pitch() % 32, 0) << width;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(surface->Pixels()) % 32, 0u);
    }
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
    EXPECT_EQ(MakeSurface(4, 4)->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
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
    ASSERT_EQ(backBufferPalette->SetEntries(0, 254, 2, two), kOk);
    EXPECT_EQ(backBufferPalette->SetEntries(0, 255, 2, two), kErrInvalidParams);
    // As on the system, only a palette allowing all 256 takes the first and last entries.
    EXPECT_EQ(backBufferPalette->Entries()[254].red, 1);
    EXPECT_EQ(backBufferPalette->Entries()[255].blue, 255);
    PaletteEntry ends[256] = {};
    ends[0] = {7, 8, 9, 0};
    Palette* every = nullptr;
    ASSERT_EQ(device->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, ends, &every, nullptr), kOk);
    EXPECT_EQ(every->Entries()[0].red, 7);
    EXPECT_EQ(every->Entries()[255].blue, 0);
    ASSERT_EQ(backBufferPalette->SetEntries(0, 0, 1, ends), kOk);
    EXPECT_EQ(backBufferPalette->Entries()[0].red, 0);
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
    Palette* palette = backBufferPalette;
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

}  // namespace
}  // namespace platform::testing
