// Small bitmap files written by the tests into a scratch working directory
// (the game reads its pictures by fixed names from there), and a fresh
// headless machine with the game's window and display as start-up makes them.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/display.h"
#include "platform/headless/control.h"

namespace video_test {

// A picture as the game sees it: rows top-down, one palette index a pixel.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    Picture(int32_t w, int32_t h, uint8_t fill = 0);
    uint8_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Fill(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t index);
};

// Pixel (x, y) is low + (x * 7 + y * 3) modulo span: neighbours differ, so a
// shifted or flipped copy shows.
Picture Pattern(int32_t width, int32_t height, int low = 100, int span = 150);

// Colours as the file stores them: blue, green, red, reserved.
using FilePalette = std::array<std::array<uint8_t, 4>, 256>;
// Entry i is red i, green 255 - i, blue i / 2.
FilePalette DistinctPalette();

struct FileOptions {
    uint16_t bitsPerPixel = 8;
    uint32_t pixelDataOffset = 1078;
    std::optional<int32_t> widthField = {};   // written instead of the picture's width
    std::optional<int32_t> heightField = {};  // written instead of the picture's height
};

// An 8-bit bitmap file: headers, 256 colours, rows bottom-up padded with 0xEE.
std::vector<uint8_t> EncodeBitmap(const Picture& picture,
                                  const FilePalette& palette = DistinctPalette(),
                                  const FileOptions& options = {});
void WriteFileBytes(const char* name, const std::vector<uint8_t>& bytes);
void WriteBitmap(const char* name, const Picture& picture,
                 const FilePalette& palette = DistinctPalette(), const FileOptions& options = {});

// Works in a fresh directory until destroyed.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::Reset(); }
    ScratchDirectory scratch;
};

// The window, the display and its screen surfaces; released in TearDown.
class DisplayTest : public PictureTest {
protected:
    void SetUp() override;
    void TearDown() override;

    void OpenWindow();
    void OpenDisplay();  // the window and the device, without screen surfaces
    void ApplyToScreen(const FilePalette& palette);  // to both palettes
    const platform::headless::Frame& Shown() const;  // the last frame a flip showed
};

// Sets every byte of a surface, row padding included.
void FillSurface(platform::Surface* surface, uint8_t index);
// Every byte of a surface, row padding included.
std::vector<uint8_t> SurfaceBytes(const platform::Surface* surface);
// An off-screen surface of the given size, or null.
platform::Surface* MakeSurface(int32_t width, int32_t height);

}  // namespace video_test
