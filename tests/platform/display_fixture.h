// A fresh headless machine with the game's screen set up: the display device
// in 640 x 480 x 8, the flip chain and a palette on each buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/display.h"
#include "platform/headless/control.h"

namespace platform::testing {

// The pixels of a surface row by row, without the pitch's padding.
std::vector<uint8_t> PixelsOf(const Surface& surface);

// Writes width * height pixels, row by row, into the surface through a lock.
void WritePixels(Surface& surface, const std::vector<uint8_t>& pixels);

// Fills the whole surface with one colour.
Result Fill(Surface* surface, uint8_t colour);

PaletteEntry Colour(uint8_t red, uint8_t green, uint8_t blue);

// What the game asks for: the primary surface with one back buffer, or an
// off-screen surface of a size.
SurfaceDesc ScreenChainDescription();
SurfaceDesc OffscreenDescription(uint32_t width, uint32_t height);

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Surface* MakeSurface(uint32_t width, uint32_t height);
    Surface* MakeKeyedSurface(uint32_t width, uint32_t height, uint8_t key);
    Palette* MakePalette(const PaletteEntry* entries);

    DisplayDevice* device = nullptr;
    Surface* primary = nullptr;
    Surface* backBuffer = nullptr;
    Palette* primaryPalette = nullptr;
    Palette* backBufferPalette = nullptr;

private:
    std::vector<Surface*> surfaces_;
};

}  // namespace platform::testing
