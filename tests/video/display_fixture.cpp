#include "tests/video/display_fixture.h"

#include <cstring>

#include "app/window_handles.h"
#include "platform/window.h"
#include "video/bitmap.h"
#include "video/display.h"

namespace video_test {

void DisplayTest::SetUp() {
    platform::headless::Reset();
    OpenDisplay();
    ASSERT_EQ(CreateScreenSurfaces(), 1);
}

void DisplayTest::TearDown() {
    CloseDisplay();
}

void DisplayTest::OpenWindow() {
    platform::WindowClass windowClass;
    windowClass.procedure = &platform::DefWindowProc;
    windowClass.className = "VIDEOTESTCLASS";
    platform::RegisterClass(&windowClass);
    mainWindow = platform::CreateWindowEx(0, "VIDEOTESTCLASS", "video test",
                                          platform::WS_POPUP | platform::WS_VISIBLE, 0, 0, 640, 480,
                                          nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(mainWindow, nullptr);
}

void DisplayTest::OpenDisplay() {
    OpenWindow();
    ASSERT_EQ(InitDisplay(640, 480, 8), 1);
}

void DisplayTest::CloseDisplay() {
    ReleaseScreenSurfaces();
    ReleaseDisplay();
    if (mainWindow != nullptr) {
        platform::DestroyWindow(mainWindow);
        mainWindow = nullptr;
    }
}

void DisplayTest::ApplyToScreen(const FilePalette& palette) {
    WriteBitmap("palette.bmp", Picture(1, 1), palette);
    Bitmap bitmap;
    ASSERT_EQ(bitmap.Load("palette.bmp"), 1);
    bitmap.ApplyPalette(primaryPalette);
    bitmap.ApplyPalette(backBufferPalette);
}

const platform::headless::Frame& DisplayTest::Shown() const {
    const auto& frames = platform::headless::Frames();
    if (frames.empty()) {
        ADD_FAILURE() << "no frame was shown";
        static const platform::headless::Frame none;
        return none;
    }
    return frames.back();
}

void FillSurface(platform::Surface* surface, uint8_t index) {
    platform::SurfaceDesc description{};
    description.size = sizeof description;
    ASSERT_EQ(surface->Lock(nullptr, &description, platform::DDLOCK_WAIT, nullptr), platform::kOk);
    std::memset(description.surface, index,
                static_cast<size_t>(description.pitch) * description.height);
    surface->Unlock(nullptr);
}

std::vector<uint8_t> SurfaceBytes(const platform::Surface* surface) {
    const size_t count = static_cast<size_t>(surface->Pitch()) * surface->Height();
    return std::vector<uint8_t>(surface->Pixels(), surface->Pixels() + count);
}

platform::Surface* MakeSurface(int32_t width, int32_t height) {
    platform::SurfaceDesc description{};
    description.size = sizeof description;
    description.flags = platform::DDSD_CAPS | platform::DDSD_WIDTH | platform::DDSD_HEIGHT;
    description.width = static_cast<uint32_t>(width);
    description.height = static_cast<uint32_t>(height);
    description.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
    platform::Surface* surface = nullptr;
    if (directDraw->CreateSurface(&description, &surface, nullptr) != platform::kOk) {
        return nullptr;
    }
    return surface;
}

}  // namespace video_test
