// Small bitmap files written by the tests, and a scratch working directory to
// put them in (the game reads its pictures by fixed names from there).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace video_test {

// A picture as the game sees it: rows top-down, one palette index a pixel.
struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;

    Picture() = default;
    Picture(int32_t w, int32_t h, uint8_t fill = 0);
    uint8_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Fill(int32_t x, int32_t y, int32_t w, int32_t h, uint8_t index);
};

// One colour as the file stores it.
struct FileColour {
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;
};
using FilePalette = std::array<FileColour, 256>;

// Entry i is (red i, green 255 - i, blue i / 2): every entry differs.
FilePalette DistinctPalette();

struct BitmapFileOptions {
    uint16_t bitsPerPixel = 8;
    uint32_t pixelDataOffset = 1078;
    uint8_t paddingByte = 0xEE;  // what fills each row up to a multiple of 4
    int32_t heightField = 0;     // used instead of the picture's height when not 0
    int32_t widthField = 0;      // used instead of the picture's width when not 0
};

// The bytes of an 8-bit bitmap file: headers, 256 colours, rows bottom-up.
std::vector<uint8_t> EncodeBitmap(const Picture& picture, const FilePalette& palette,
                                  const BitmapFileOptions& options = {});

void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);
void WriteBitmap(const std::filesystem::path& path, const Picture& picture,
                 const FilePalette& palette = DistinctPalette(),
                 const BitmapFileOptions& options = {});

// Makes a fresh directory and works in it until destroyed.
class ScratchDirectory {
  public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return path; }

  private:
    std::filesystem::path previous;
    std::filesystem::path path;
};

}  // namespace video_test
