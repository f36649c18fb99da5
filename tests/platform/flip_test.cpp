// Flipping the screen's chain and what the headless screen captures.
#include <cstdint>
#include <vector>

#include "platform/display.h"
#include "platform/headless/control.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using FlipTest = DisplayTest;

TEST_F(FlipTest, TheBuffersTradePixelBlocksAndTheFrontIsShownThroughThePrimaryPalette) {
    const uint8_t* front = primary->Pixels();
    const uint8_t* back = backBuffer->Pixels();
    primaryPalette->SetEntries(0, 7, 1, std::vector{Colour(10, 20, 30)}.data());
    backBufferPalette->SetEntries(0, 7, 1, std::vector{Colour(99, 99, 99)}.data());
    headless::SetTicks(5000);
    ASSERT_EQ(Fill(backBuffer, 7), kOk);
    const Rect corner{0, 0, 1, 1};
    BltFx fx{sizeof(BltFx), 3};
    ASSERT_EQ(backBuffer->Blt(&corner, nullptr, nullptr, DDBLT_COLORFILL, &fx), kOk);

    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    EXPECT_EQ(primary->Pixels(), back) << "a flip swaps, it does not copy";
    EXPECT_EQ(backBuffer->Pixels(), front);
    EXPECT_EQ(PixelsOf(*backBuffer), std::vector<uint8_t>(640 * 480, 0))
        << "the old front buffer comes back as it was";
    ASSERT_EQ(headless::Frames().size(), 1u);
    const headless::Frame& frame = headless::Frames().back();
    EXPECT_EQ(frame.tick, 5000u);
    EXPECT_EQ(frame.width, 640);
    EXPECT_EQ(frame.height, 480);
    EXPECT_EQ(frame.At(0, 0), 3);
    EXPECT_EQ(frame.At(1, 0), 7);
    EXPECT_EQ(frame.At(639, 479), 7);
    EXPECT_EQ(frame.palette[7].red, 10);
    EXPECT_EQ(frame.palette[7].blue, 30);

    primary->SetPalette(nullptr);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    EXPECT_EQ(headless::Frames().back().palette[7].red, 0) << "no palette shows black";
}

TEST_F(FlipTest, OnlyTheLatestFramesAreKeptButEveryFlipCounts) {
    std::vector<uint8_t> hooked;
    headless::SetFrameHook([&](const headless::Frame& frame) { hooked.push_back(frame.At(5, 5)); });
    for (uint8_t i = 0; i < 20; ++i) {
        ASSERT_EQ(Fill(backBuffer, i), kOk);
        ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    }
    EXPECT_EQ(headless::FramesPresented(), 20u);
    ASSERT_EQ(headless::Frames().size(), 16u);
    EXPECT_EQ(headless::Frames().front().At(0, 0), 4);
    EXPECT_EQ(headless::Frames().back().At(0, 0), 19);
    headless::SetFramesKept(2);
    EXPECT_EQ(headless::Frames().front().At(0, 0), 18);
    headless::SetFramesKept(0);
    ASSERT_EQ(Fill(backBuffer, 77), kOk);
    ASSERT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    EXPECT_TRUE(headless::Frames().empty());
    EXPECT_EQ(hooked.size(), 21u);
    EXPECT_EQ(hooked.back(), 77) << "the hook still sees frames that are not kept";
}

TEST_F(FlipTest, ALockedBufferOrAContextHoldsTheFlipBack) {
    SurfaceDesc description;
    description.size = sizeof description;
    ASSERT_EQ(backBuffer->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), kOk);
    const uint8_t* back = backBuffer->Pixels();
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceBusy);
    EXPECT_EQ(backBuffer->Pixels(), back);
    EXPECT_EQ(headless::FramesPresented(), 0u);
    backBuffer->Unlock(nullptr);

    DeviceContext* context = nullptr;
    ASSERT_EQ(backBuffer->GetDC(&context), kOk);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kErrSurfaceBusy);
    ASSERT_EQ(backBuffer->ReleaseDC(context), kOk);
    EXPECT_EQ(primary->Flip(backBuffer, DDFLIP_WAIT), kOk);
}

}  // namespace
}  // namespace platform::testing
