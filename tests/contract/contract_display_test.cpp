// The display on every driver as the game uses it: the flip chain, locks,
// fills, keyed blits, palettes and text, read back through locks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/display.h"
#include "platform/text.h"
#include "tests/contract/contract_shim.h"

namespace platform {
namespace {

using Pixels = std::vector<uint8_t>;

SurfaceDesc Described(uint32_t flags, uint32_t caps, uint32_t width = 0, uint32_t height = 0) {
    return {.size = sizeof(SurfaceDesc),
            .flags = flags,
            .height = height,
            .width = width,
            .backBufferCount = 1,
            .caps = {caps}};
}

const SurfaceDesc kChain = Described(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                     DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX);

Result Fill(Surface* surface, uint32_t colour) {
    const BltFx fx{sizeof(BltFx), colour};
    return surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

// The pixels row by row, without the pitch's padding, through a lock.
Pixels Read(Surface* surface) {
    SurfaceDesc lock = Described(0, 0);
    EXPECT_EQ(surface->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk) << LastErrorText();
    Pixels pixels;
    for (uint32_t y = 0; y < lock.height && lock.surface != nullptr; ++y) {
        const auto* row = static_cast<const uint8_t*>(lock.surface) + y * lock.pitch;
        pixels.insert(pixels.end(), row, row + lock.width);
    }
    surface->Unlock(nullptr);
    return pixels;
}

void Write(Surface* surface, const Pixels& pixels) {
    SurfaceDesc lock = Described(0, 0);
    ASSERT_EQ(surface->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk) << LastErrorText();
    for (uint32_t y = 0; y < lock.height; ++y) {
        std::memcpy(static_cast<uint8_t*>(lock.surface) + y * lock.pitch, &pixels[y * lock.width],
                    lock.width);
    }
    ASSERT_EQ(surface->Unlock(nullptr), kOk);
}

class Display : public testing::Test {
protected:
    void SetUp() override {
        contract::FreshStart();
        window_ = contract::MakeWindow();
        ASSERT_NE(window_, nullptr) << LastErrorText();
        ASSERT_EQ(CreateDisplay(nullptr, &device_, nullptr), kOk) << LastErrorText();
        ASSERT_EQ(device_->SetCooperativeLevel(window_, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT |
                                                            DDSCL_EXCLUSIVE | DDSCL_ALLOWMODEX),
                  kOk);
        ASSERT_EQ(device_->SetDisplayMode(640, 480, 8), kOk) << LastErrorText();
        ASSERT_EQ(device_->CreateSurface(&kChain, &primary_, nullptr), kOk) << LastErrorText();
        const SurfaceCaps caps{DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary_->GetAttachedSurface(&caps, &back_), kOk);
        PaletteEntry colours[256] = {};
        for (int i = 0; i < 256; ++i) {
            colours[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 40, 0};
        }
        colours[7] = {255, 255, 255, 0};
        ASSERT_EQ(
            device_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, colours, &palette_, nullptr),
            kOk);
        ASSERT_EQ(back_->SetPalette(palette_), kOk);
    }
    void TearDown() override {
        made_.insert(made_.end(), {back_, primary_});
        for (Surface* surface : made_) {
            if (surface != nullptr) {
                surface->Release();
            }
        }
        if (device_ != nullptr) {
            EXPECT_EQ(device_->Release(), 0u) << "a surface outlived the test";
        }
        DestroyWindow(window_);
    }
    Surface* Make(uint32_t width, uint32_t height) {
        const SurfaceDesc description =
            Described(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, width, height);
        Surface* surface = nullptr;
        EXPECT_EQ(device_->CreateSurface(&description, &surface, nullptr), kOk) << LastErrorText();
        made_.push_back(surface);
        return surface;
    }

    WindowHandle window_ = nullptr;
    DisplayDevice* device_ = nullptr;
    Surface *primary_ = nullptr, *back_ = nullptr;
    Palette* palette_ = nullptr;
    std::vector<Surface*> made_;
};

// The game's palettes allow all 256 entries, so the first and last are its own.
TEST_F(Display, APaletteTakesAllItsEntries) {
    PaletteEntry entries[256] = {};
    entries[0] = {7, 8, 9, 0};
    entries[255] = {1, 2, 3, 0};
    ASSERT_EQ(palette_->SetEntries(0, 0, 256, entries), kOk);
    EXPECT_EQ(palette_->Entries()[0].red, 7);
    EXPECT_EQ(palette_->Entries()[255].blue, 3);
}

// A blit reaching past the right or bottom edge is refused whole; the last
// column and row that fit are fine; a fill clears. A keyed blit copies all
// but the key.
TEST_F(Display, BlitsCopyAllButTheKeyAndRefuseOnesThatLeaveTheScreen) {
    Surface* tile = Make(20, 20);
    Write(tile, Pixels(400, 6));
    EXPECT_EQ(back_->BltFast(620, 460, tile, nullptr, 0), kOk);
    EXPECT_EQ(Read(back_).back(), 6);
    ASSERT_EQ(Fill(back_, 0), kOk);
    EXPECT_EQ(back_->BltFast(621, 0, tile, nullptr, 0), kErrInvalidRect);
    EXPECT_EQ(back_->BltFast(0, 461, tile, nullptr, 0), kErrInvalidRect);
    EXPECT_EQ(Read(back_), Pixels(640 * 480, 0)) << "cleared, and nothing blitted since";

    Surface* source = Make(3, 2);
    Write(source, {253, 11, 253, 12, 253, 13});
    const ColorKey key{253, 253};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), kOk);
    Surface* target = Make(5, 3);
    Write(target, Pixels(15, 8));
    ASSERT_EQ(target->BltFast(2, 1, source, nullptr, DDBLTFAST_SRCCOLORKEY | DDBLTFAST_WAIT), kOk);
    EXPECT_EQ(Read(target), (Pixels{8, 8, 8, 8, 8, 8, 8, 8, 11, 8, 8, 8, 12, 8, 13}));
}

// The font is the driver's own; every pixel it paints is the palette entry
// nearest to the colour asked for.
TEST_F(Display, TextIsPaintedInTheNearestPaletteEntry) {
    ASSERT_EQ(Fill(back_, 0), kOk);
    DeviceContext* context = nullptr;
    ASSERT_EQ(back_->GetDC(&context), kOk) << LastErrorText();
    SetTextColor(context, Rgb(250, 250, 250));
    SetBkMode(context, TRANSPARENT);
    EXPECT_TRUE(TextOut(context, 20, 20, "Loading...", 10));
    ASSERT_EQ(back_->ReleaseDC(context), kOk);
    const Pixels shown = Read(back_);
    int painted = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != 0) {
            ASSERT_EQ(shown[i], 7) << i;
            painted += (i % 640 >= 20 && i % 640 < 220 && i / 640 >= 20 && i / 640 < 60) ? 1 : 0;
        }
    }
    EXPECT_GT(painted, 30);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kOk);
}

// The chain's two surfaces hold links to each other: whichever goes first must
// leave the other without a dangling one.
TEST_F(Display, TheScreenChainOutlivesNoLinkBetweenItsSurfaces) {
    const SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    back_->AddRef();
    back_->Release();
    back_->Release();
    EXPECT_EQ(back_->Release(), 0u) << "released more often than handed out";
    back_ = nullptr;
    EXPECT_EQ(primary_->GetAttachedSurface(&caps, &back_), kErrGeneric);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
    primary_->Release();
    ASSERT_EQ(device_->CreateSurface(&kChain, &primary_, nullptr), kOk) << LastErrorText();
    ASSERT_EQ(primary_->GetAttachedSurface(&caps, &back_), kOk);
    primary_->Release();
    primary_ = nullptr;
    EXPECT_EQ(Fill(back_, 4), kOk) << "a back buffer still held outlives its primary surface";
    EXPECT_EQ(Read(back_)[0], 4);
    EXPECT_EQ(back_->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
}

// What the game hands out it sets to nothing itself when a step fails; what
// counts is the failure, and that nothing is left busy.
TEST_F(Display, FailedStepsFailAndLeaveNothingBusy) {
    Surface* surface = nullptr;
    Palette* palette = nullptr;
    DeviceContext* context = nullptr;
    const PaletteEntry black[256] = {};
    const SurfaceDesc offscreen =
        Described(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, 20, 20);
    const SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    if (!contract::FailNext(Fault::GetBackBuffer)) {
        GTEST_SKIP() << "this driver's steps fail only when the system's do";
    }
    EXPECT_LT(primary_->GetAttachedSurface(&caps, &surface), 0);
    contract::FailNext(Fault::CreatePalette);
    EXPECT_LT(device_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, black, &palette, nullptr), 0);
    contract::FailNext(Fault::CreateOffscreenSurface);
    EXPECT_LT(device_->CreateSurface(&offscreen, &surface, nullptr), 0);
    for (Fault fault : {Fault::GetDC, Fault::LockSurface, Fault::Flip}) {
        contract::FailNext(fault);
    }
    EXPECT_LT(back_->GetDC(&context), 0);
    SurfaceDesc lock = Described(0, 0);
    EXPECT_EQ(back_->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kErrSurfaceLost);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceLost);
    EXPECT_EQ(Fill(back_, 2), kOk) << "the surface is not left busy";
    back_->Release();
    back_ = nullptr;
    primary_->Release();
    primary_ = nullptr;
    contract::FailNext(Fault::CreatePrimarySurface);
    EXPECT_LT(device_->CreateSurface(&kChain, &surface, nullptr), 0) << "a new chain";
}

}  // namespace
}  // namespace platform
