// The display on every driver: the flip chain, locks, fills, keyed blits,
// palettes and text, read back through locks; refusals change nothing.
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

Result Fill(Surface* surface, uint32_t colour, const Rect* area = nullptr) {
    const BltFx fx{sizeof(BltFx), colour};
    return surface->Blt(area, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
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
        ASSERT_EQ(device_->SetCooperativeLevel(window_, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE), kOk);
        ASSERT_EQ(device_->SetDisplayMode(640, 480, 8), kOk) << LastErrorText();
        ASSERT_EQ(device_->CreateSurface(&kChain, &primary_, nullptr), kOk) << LastErrorText();
        const SurfaceCaps caps{DDSCAPS_BACKBUFFER};
        ASSERT_EQ(primary_->GetAttachedSurface(&caps, &back_), kOk);
        PaletteEntry colours[256] = {};
        for (int i = 0; i < 256; ++i) {
            colours[i] = {static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i), 40, 0};
        }
        colours[7] = {255, 255, 255, 0};
        ASSERT_EQ(device_->CreatePalette(DDPCAPS_8BIT, colours, &palette_, nullptr), kOk);
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

TEST_F(Display, ALockedSurfaceRefusesEverythingElseUntilUnlocked) {
    Surface* surface = Make(20, 20);
    SurfaceDesc lock = Described(0, 0);
    ASSERT_EQ(surface->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk);
    EXPECT_GE(lock.pitch, 20);
    EXPECT_EQ(surface->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kErrSurfaceBusy);
    EXPECT_EQ(Fill(surface, 5), kErrSurfaceBusy);
    EXPECT_EQ(surface->BltFast(0, 0, Make(4, 4), nullptr, 0), kErrSurfaceBusy);
    DeviceContext* context = reinterpret_cast<DeviceContext*>(&lock);
    EXPECT_EQ(surface->GetDC(&context), kErrSurfaceBusy);
    EXPECT_EQ(context, nullptr);
    ASSERT_EQ(surface->Unlock(nullptr), kOk);
    EXPECT_EQ(surface->Unlock(nullptr), kErrGeneric) << "not locked any more";
    // A locked back buffer, or one with a context out, holds the flip back.
    ASSERT_EQ(back_->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kOk);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceBusy);
    back_->Unlock(nullptr);
    ASSERT_EQ(back_->GetDC(&context), kOk);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceBusy);
    ASSERT_EQ(back_->ReleaseDC(context), kOk);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kOk);
}

TEST_F(Display, SurfacesNeedASensibleSizeAndThereIsOneScreenChain) {
    Surface* surface = primary_;  // must be overwritten
    for (auto [width, height] : {std::pair{0u, 5u}, {5u, 0u}, {100000u, 5u}}) {
        const SurfaceDesc description =
            Described(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, width, height);
        EXPECT_EQ(device_->CreateSurface(&description, &surface, nullptr), kErrInvalidParams);
        EXPECT_EQ(surface, nullptr);
    }
    EXPECT_EQ(Make(4, 4)->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
    EXPECT_EQ(device_->CreateSurface(&kChain, &surface, nullptr), kErrGeneric);
    // A back buffer released more often than it was handed out leaves the
    // primary surface without one, not with a dangling one.
    back_->AddRef();
    back_->Release();
    back_->Release();
    EXPECT_EQ(back_->Release(), 0u);
    back_ = nullptr;
    const SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    EXPECT_EQ(primary_->GetAttachedSurface(&caps, &back_), kErrGeneric);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
    primary_->Release();
    ASSERT_EQ(device_->CreateSurface(&kChain, &primary_, nullptr), kOk)
        << "the chain is free again";
    // The back buffer outlives the primary surface while it is held.
    ASSERT_EQ(primary_->GetAttachedSurface(&caps, &back_), kOk);
    primary_->Release();
    primary_ = nullptr;
    EXPECT_EQ(Fill(back_, 4), kOk);
    EXPECT_EQ(Read(back_)[0], 4);
    EXPECT_EQ(back_->Flip(nullptr, DDFLIP_WAIT), kErrInvalidParams);
}

// Without DDPCAPS_ALLOW256 the first and last entries stay the system's black
// and white, whatever is set; with it every entry is the game's.
TEST_F(Display, OnlyAPaletteAllowingAll256TakesTheFirstAndLastEntries) {
    const PaletteEntry two[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    EXPECT_EQ(palette_->SetEntries(0, 255, 2, two), kErrInvalidParams);
    EXPECT_EQ(palette_->SetEntries(1, 0, 2, two), kErrInvalidParams);
    ASSERT_EQ(palette_->SetEntries(0, 254, 2, two), kOk);
    ASSERT_EQ(palette_->SetEntries(0, 0, 1, two), kOk);
    EXPECT_EQ(palette_->Entries()[254].red, 1);
    EXPECT_EQ(palette_->Entries()[255].blue, 255);
    EXPECT_EQ(palette_->Entries()[0].red, 0);
    PaletteEntry ends[256] = {};
    ends[0] = {7, 8, 9, 0};
    Palette* every = nullptr;
    ASSERT_EQ(device_->CreatePalette(DDPCAPS_8BIT | DDPCAPS_ALLOW256, ends, &every, nullptr), kOk);
    EXPECT_EQ(every->Entries()[0].red, 7);
    EXPECT_EQ(every->Entries()[255].blue, 0);
}

// Blits and fills reaching outside either surface, empty or upside down, are
// refused whole; the last column and row that fit are fine. A blit copies its
// rectangle to its place, keyed or not.
TEST_F(Display, BlitsCopyTheirRectangleAndRefuseOnesThatLeaveASurface) {
    Surface* tile = Make(20, 20);
    Write(tile, Pixels(400, 6));
    const struct {
        uint32_t x, y;
        Rect from;
    } blits[] = {
        {621, 0, {0, 0, 20, 20}}, {0, 461, {0, 0, 20, 20}}, {0xFFFFFFF0u, 0, {0, 0, 20, 20}},
        {0, 0, {-1, 0, 10, 10}},  {0, 0, {0, 0, 21, 20}},   {0, 0, {0, 5, 20, 5}},
        {0, 0, {8, 0, 4, 20}}};
    ASSERT_EQ(Fill(back_, 0), kOk);
    for (const auto& blit : blits) {
        EXPECT_EQ(back_->BltFast(blit.x, blit.y, tile, &blit.from, 0), kErrInvalidRect) << blit.x;
    }
    for (const Rect& outside : {Rect{-1, 0, 4, 4}, Rect{0, 0, 21, 20}, Rect{5, 5, 5, 6}}) {
        EXPECT_EQ(Fill(tile, 1, &outside), kErrInvalidRect);
    }
    EXPECT_EQ(tile->BltFast(0, 0, tile, nullptr, 0), kErrInvalidParams) << "onto itself";
    EXPECT_EQ(tile->BltFast(0, 0, nullptr, nullptr, 0), kErrInvalidParams);
    EXPECT_EQ(Read(back_), Pixels(640 * 480, 0));
    EXPECT_EQ(back_->BltFast(620, 460, tile, nullptr, 0), kOk);
    EXPECT_EQ(Read(back_).back(), 6);

    Surface* source = Make(3, 2);
    Write(source, {253, 11, 253, 12, 253, 13});
    const ColorKey key{253, 253};
    ASSERT_EQ(source->SetColorKey(DDCKEY_SRCBLT, &key), kOk);
    Surface* target = Make(5, 3);
    const Rect area{1, 1, 5, 3};
    for (uint32_t flags : {DDBLTFAST_NOCOLORKEY, DDBLTFAST_SRCCOLORKEY}) {
        ASSERT_EQ(Fill(target, 9), kOk);
        ASSERT_EQ(Fill(target, 8, &area), kOk);
        ASSERT_EQ(target->BltFast(2, 1, source, nullptr, flags | DDBLTFAST_WAIT), kOk);
        const uint8_t k = flags == DDBLTFAST_SRCCOLORKEY ? 8 : 253;  // where the key lies
        EXPECT_EQ(Read(target), (Pixels{9, 9, 9, 9, 9, 9, 8, k, 11, k, 9, 8, 12, k, 13})) << flags;
    }
}

// The font is the driver's own; every pixel it paints is the palette entry
// nearest to the colour asked for, and glyphs leaving the surface are cut.
TEST_F(Display, TextIsPaintedInTheNearestPaletteEntryAndCutAtTheEdges) {
    ASSERT_EQ(Fill(back_, 0), kOk);
    DeviceContext* context = nullptr;
    ASSERT_EQ(back_->GetDC(&context), kOk) << LastErrorText();
    SetTextColor(context, Rgb(250, 250, 250));
    EXPECT_EQ(SetBkMode(context, TRANSPARENT), OPAQUE);
    EXPECT_EQ(SetBkMode(context, 99), 0);
    EXPECT_FALSE(TextOut(context, 0, 0, nullptr, 3));
    EXPECT_TRUE(TextOut(context, 20, 20, "Loading...", 10));
    const std::string wide(100, 'W');
    for (auto [x, y] : {std::pair{-4, -8}, {636, 472}, {-100000, 5}, {5, 2000000000}}) {
        EXPECT_TRUE(TextOut(context, x, y, wide.c_str(), 100));
    }
    ASSERT_EQ(back_->ReleaseDC(context), kOk);
    EXPECT_EQ(back_->ReleaseDC(context), kErrInvalidParams);
    const Pixels shown = Read(back_);
    int painted = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] != 0) {
            ASSERT_EQ(shown[i], 7) << i;
            painted += (i % 640 >= 20 && i % 640 < 220 && i / 640 >= 20 && i / 640 < 60) ? 1 : 0;
        }
    }
    EXPECT_GT(painted, 30);
    EXPECT_GT(std::count(shown.begin(), shown.begin() + 640, 7), 0) << "top row";
    EXPECT_GT(std::count(shown.end() - 640, shown.end(), 7), 0) << "bottom row";
}

TEST_F(Display, FailedStepsHandOutNothingAndLeaveNothingBusy) {
    Surface* surface = primary_;
    Palette* palette = palette_;
    DeviceContext* context = reinterpret_cast<DeviceContext*>(&surface);
    const PaletteEntry black[256] = {};
    const SurfaceDesc offscreen =
        Described(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT, DDSCAPS_OFFSCREENPLAIN, 20, 20);
    const SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    if (!contract::FailNext(Fault::GetBackBuffer)) {
        GTEST_SKIP() << "this driver's steps fail only when the system's do";
    }
    EXPECT_LT(primary_->GetAttachedSurface(&caps, &surface), 0);
    EXPECT_EQ(surface, nullptr);
    contract::FailNext(Fault::CreatePalette);
    EXPECT_LT(device_->CreatePalette(DDPCAPS_8BIT, black, &palette, nullptr), 0);
    EXPECT_EQ(palette, nullptr);
    contract::FailNext(Fault::CreateOffscreenSurface);
    EXPECT_LT(device_->CreateSurface(&offscreen, &surface, nullptr), 0);
    EXPECT_EQ(surface, nullptr);
    for (Fault fault : {Fault::GetDC, Fault::LockSurface, Fault::Flip}) {
        contract::FailNext(fault);
    }
    EXPECT_LT(back_->GetDC(&context), 0);
    EXPECT_EQ(context, nullptr);
    SurfaceDesc lock = Described(0, 0);
    EXPECT_EQ(back_->Lock(nullptr, &lock, DDLOCK_WAIT, nullptr), kErrSurfaceLost);
    EXPECT_EQ(primary_->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceLost);
    EXPECT_EQ(Fill(back_, 2), kOk) << "the surface is not left busy";
    primary_->Release();
    primary_ = nullptr;
    contract::FailNext(Fault::CreatePrimarySurface);
    EXPECT_LT(device_->CreateSurface(&kChain, &surface, nullptr), 0) << "a new chain";
    EXPECT_EQ(surface, nullptr);
}

}  // namespace
}  // namespace platform
