// Every device step of the display can be made to fail, and then leaves
// everything as it was.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/display.h"
#include "platform/faults.h"
#include "platform/headless/control.h"
#include "platform/text.h"
#include "platform/window.h"
#include "tests/platform/display_fixture.h"

namespace platform::testing {
namespace {

using DisplayFaultTest = DisplayTest;

TEST(FaultPlan, AStepFailsAfterItsSkipsForItsTimes) {
    headless::Reset();
    headless::FailStep(Fault::Acquire, 2, 3);
    std::vector<bool> failures;
    for (int i = 0; i < 7; ++i) {
        failures.push_back(backend::Fails(Fault::Acquire));
    }
    EXPECT_EQ(failures, (std::vector<bool>{false, false, true, true, true, false, false}));
    EXPECT_EQ(headless::StepCalls(Fault::Acquire), 7u);
    EXPECT_EQ(headless::StepCalls(Fault::Flip), 0u);

    headless::FailStep(Fault::Flip);
    EXPECT_TRUE(backend::Fails(Fault::Flip));
    EXPECT_TRUE(backend::Fails(Fault::Flip));
    headless::ClearFaults();
    EXPECT_FALSE(backend::Fails(Fault::Flip));
    EXPECT_EQ(headless::StepCalls(Fault::Flip), 3u) << "clearing faults keeps the counts";
    headless::Reset();
    EXPECT_EQ(headless::StepCalls(Fault::Flip), 0u);
}

// The start-up steps, each failing once in turn: it says so, hands out
// nothing, and the device goes with its last reference.
TEST(DisplaySetupFaults, EachStepFailsCleanly) {
    headless::Reset();
    headless::FailStep(Fault::CreateDisplay, 0, 1);
    DisplayDevice* device = reinterpret_cast<DisplayDevice*>(1);
    EXPECT_LT(CreateDisplay(nullptr, &device, nullptr), 0);
    EXPECT_EQ(device, nullptr);
    EXPECT_NE(std::string(LastErrorText()).find("display"), std::string::npos);
    ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk) << "only the first call fails";

    headless::FailStep(Fault::SetDisplayMode, 0, 1);
    EXPECT_LT(device->SetDisplayMode(640, 480, 8), 0);
    const SurfaceDesc chain = ScreenChainDescription();
    Surface* primary = reinterpret_cast<Surface*>(1);
    EXPECT_LT(device->CreateSurface(&chain, &primary, nullptr), 0) << "no mode, no screen";
    EXPECT_EQ(primary, nullptr);

    ASSERT_EQ(device->SetDisplayMode(640, 480, 8), kOk);
    headless::FailStep(Fault::CreatePrimarySurface, 0, 1);
    primary = reinterpret_cast<Surface*>(1);
    EXPECT_LT(device->CreateSurface(&chain, &primary, nullptr), 0);
    EXPECT_EQ(primary, nullptr);
    EXPECT_EQ(device->Release(), 0u) << "nothing was made that holds the device";
}

TEST_F(DisplayFaultTest, FailedCreationsHandOutNothing) {
    headless::FailStep(Fault::GetBackBuffer, 0, 1);
    headless::FailStep(Fault::CreatePalette, 0, 1);
    headless::FailStep(Fault::CreateOffscreenSurface, 0, 1);
    headless::FailStep(Fault::GetDC, 0, 1);
    SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    Surface* back = reinterpret_cast<Surface*>(1);
    EXPECT_LT(primary->GetAttachedSurface(&caps, &back), 0);
    EXPECT_EQ(back, nullptr);
    const PaletteEntry black[256] = {};
    Palette* palette = reinterpret_cast<Palette*>(1);
    EXPECT_LT(device->CreatePalette(DDPCAPS_8BIT, black, &palette, nullptr), 0);
    EXPECT_EQ(palette, nullptr);
    const SurfaceDesc offscreen = OffscreenDescription(20, 20);
    Surface* surface = reinterpret_cast<Surface*>(1);
    EXPECT_LT(device->CreateSurface(&offscreen, &surface, nullptr), 0);
    EXPECT_EQ(surface, nullptr);
    EXPECT_NE(MakeSurface(20, 20), nullptr);
    DeviceContext* context = reinterpret_cast<DeviceContext*>(1);
    EXPECT_LT(backBuffer->GetDC(&context), 0);
    EXPECT_EQ(context, nullptr);
    EXPECT_EQ(Fill(backBuffer, 2), kOk) << "the surface is not left busy";
}

TEST_F(DisplayFaultTest, AFailedLockLeavesTheSurfaceFree) {
    Surface* surface = MakeSurface(20, 20);
    headless::FailStep(Fault::LockSurface, 0, 1);
    SurfaceDesc description;
    description.size = sizeof description;
    EXPECT_LT(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), 0);
    EXPECT_EQ(description.surface, nullptr);
    EXPECT_LT(surface->Unlock(nullptr), 0) << "a failed lock leaves nothing to unlock";
    EXPECT_EQ(surface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr), kOk);
    surface->Unlock(nullptr);
}

TEST_F(DisplayFaultTest, FailedBlitsAndFlipsChangeAndShowNothing) {
    Surface* tile = MakeKeyedSurface(20, 20, 253);
    WritePixels(*tile, std::vector<uint8_t>(400, 6));
    headless::FailStep(Fault::Blit);
    EXPECT_LT(Fill(backBuffer, 2), 0);
    EXPECT_LT(backBuffer->BltFast(0, 0, tile, nullptr, DDBLTFAST_SRCCOLORKEY), 0);
    EXPECT_EQ(PixelsOf(*backBuffer), std::vector<uint8_t>(640 * 480, 0));
    EXPECT_EQ(headless::StepCalls(Fault::Blit), 2u);

    const uint8_t* front = primary->Pixels();
    headless::FailStep(Fault::Flip, 0, 2);
    EXPECT_LT(primary->Flip(nullptr, DDFLIP_WAIT), 0);
    EXPECT_LT(primary->Flip(nullptr, DDFLIP_WAIT), 0);
    EXPECT_EQ(primary->Pixels(), front);
    EXPECT_EQ(headless::FramesPresented(), 0u);
    EXPECT_EQ(primary->Flip(nullptr, DDFLIP_WAIT), kOk);
    EXPECT_EQ(headless::FramesPresented(), 1u);
}

TEST(WindowFaults, NoClassNoWindow) {
    headless::Reset();
    WindowClass windowClass;
    windowClass.className = "GAMECLASS";
    windowClass.procedure = &DefWindowProc;
    headless::FailStep(Fault::RegisterClass, 0, 1);
    EXPECT_EQ(RegisterClass(&windowClass), 0);
    ASSERT_NE(RegisterClass(&windowClass), 0);
    headless::FailStep(Fault::CreateWindow, 0, 1);
    EXPECT_EQ(CreateWindowEx(0, "GAMECLASS", "t", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                             nullptr),
              nullptr);
    EXPECT_FALSE(headless::WindowOpen());
}

}  // namespace
}  // namespace platform::testing
