// A fresh headless machine with the game's window and its display set up as
// start-up sets it up, torn down as shut-down does.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "platform/display.h"
#include "platform/headless/control.h"
#include "tests/video/picture_files.h"

namespace video_test {

class DisplayTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The game's window, as mainWindow.
    void OpenWindow();
    // The window and the device, without the screen surfaces.
    void OpenDisplay();
    void CloseDisplay();

    // Both palettes take the colours of the picture's palette.
    void ApplyToScreen(const FilePalette& palette);

    // The last frame a flip showed.
    const platform::headless::Frame& Shown() const;

    ScratchDirectory scratch;
};

// Sets every byte of a surface, row padding included.
void FillSurface(platform::Surface* surface, uint8_t index);
// Every byte of a surface, row padding included.
std::vector<uint8_t> SurfaceBytes(const platform::Surface* surface);
// An off-screen surface of the given size, or null.
platform::Surface* MakeSurface(int32_t width, int32_t height);

}  // namespace video_test
