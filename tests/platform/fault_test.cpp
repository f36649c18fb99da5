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

TEST(DisplaySetupFaults, NoDisplayDevice) {
    headless::Reset();
    headless::FailStep(Fault::CreateDisplay, 0, 1);
    DisplayDevice* device = reinterpret_cast<DisplayDevice*>(1);
    EXPECT_LT(CreateDisplay(nullptr, &device, nullptr), 0);
    EXPECT_EQ(device, nullptr);
    EXPECT_NE(std::string(LastErrorText()).find("display"), std::string::npos);
    ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk) << "only the first call fails";
    device->Release();
}

TEST(DisplaySetupFaults, NoDisplayModeMeansNoScreenSurfaces) {
    headless::Reset();
    DisplayDevice* device = nullptr;
    ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk);
    headless::FailStep(Fault::SetDisplayMode);
    EXPECT_LT(device->SetDisplayMode(640, 480, 8), 0);
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.backBufferCount = 1;
    description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Surface* primary = nullptr;
    EXPECT_LT(device->CreateSurface(&description, &primary, nullptr), 0);
    EXPECT_EQ(primary, nullptr);
    EXPECT_EQ(device->Release(), 0u);
}

TEST(DisplaySetupFaults, NoPrimarySurface) {
    headless::Reset();
    DisplayDevice* device = nullptr;
    ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk);
    ASSERT_EQ(device->SetDisplayMode(640, 480, 8), kOk);
    headless::FailStep(Fault::CreatePrimarySurface);
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.backBufferCount = 1;
    description.caps.caps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    Surface* primary = reinterpret_cast<Surface*>(1);
    EXPECT_LT(device->CreateSurface(&description, &primary, nullptr), 0);
    EXPECT_EQ(primary, nullptr);
    EXPECT_EQ(headless::StepCalls(Fault::CreatePrimarySurface), 1u);
    EXPECT_EQ(device->Release(), 0u) << "nothing was made that holds the device";
}

TEST_F(DisplayFaultTest, NoBackBuffer) {
    headless::FailStep(Fault::GetBackBuffer);
    SurfaceCaps caps{DDSCAPS_BACKBUFFER};
    Surface* back = reinterpret_cast<Surface*>(1);
    EXPECT_LT(primary->GetAttachedSurface(&caps, &back), 0);
    EXPECT_EQ(back, nullptr);
}

TEST_F(DisplayFaultTest, NoPalette) {
    headless::FailStep(Fault::CreatePalette);
    const PaletteEntry black[256] = {};
    Palette* palette = reinterpret_cast<Palette*>(1);
    EXPECT_LT(device->CreatePalette(DDPCAPS_8BIT, black, &palette, nullptr), 0);
    EXPECT_EQ(palette, nullptr);
}

TEST_F(DisplayFaultTest, NoOffscreenSurface) {
    headless::FailStep(Fault::CreateOffscreenSurface, 1, 1);
    EXPECT_NE(MakeSurface(20, 20), nullptr);
    SurfaceDesc description;
    description.size = sizeof description;
    description.flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    description.width = description.height = 20;
    description.caps.caps = DDSCAPS_OFFSCREENPLAIN;
    Surface* surface = reinterpret_cast<Surface*>(1);
    EXPECT_LT(device->CreateSurface(&description, &surface, nullptr), 0);
    EXPECT_EQ(surface, nullptr);
    EXPECT_NE(MakeSurface(20, 20), nullptr);
}

TEST_F(DisplayFaultTest, LockFailsAndTheSurfaceStaysFree) {
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

TEST_F(DisplayFaultTest, NoDeviceContext) {
    headless::FailStep(Fault::GetDC, 0, 1);
    DeviceContext* context = reinterpret_cast<DeviceContext*>(1);
    EXPECT_LT(backBuffer->GetDC(&context), 0);
    EXPECT_EQ(context, nullptr);
    // The surface is not left busy.
    BltFx fx{sizeof(BltFx), 2};
    EXPECT_EQ(backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), kOk);
}

TEST_F(DisplayFaultTest, FailedBlitsChangeNothing) {
    Surface* tile = MakeKeyedSurface(20, 20, 253);
    WritePixels(*tile, std::vector<uint8_t>(400, 6));
    headless::FailStep(Fault::Blit);
    BltFx fx{sizeof(BltFx), 2};
    EXPECT_LT(backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &fx), 0);
    EXPECT_LT(backBuffer->BltFast(0, 0, tile, nullptr, DDBLTFAST_SRCCOLORKEY), 0);
    EXPECT_EQ(PixelsOf(*backBuffer), std::vector<uint8_t>(640 * 480, 0));
    EXPECT_EQ(headless::StepCalls(Fault::Blit), 2u);
}

TEST_F(DisplayFaultTest, AFailedFlipShowsNothingAndSwapsNothing) {
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
