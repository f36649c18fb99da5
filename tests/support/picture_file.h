// Reads one of the game's 8-bit picture files on its own, so tests can say
// what the screen must show without going through the code under test.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/display.h"

namespace test_support {

struct PictureFile {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;  // rows top-down, no padding
    std::array<platform::PaletteEntry, 256> palette{};

    bool Loaded() const { return width > 0 && height > 0; }
    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

inline int32_t ReadLittleEndian32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<int32_t>(static_cast<uint32_t>(bytes[offset]) |
                                (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
                                (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
                                (static_cast<uint32_t>(bytes[offset + 3]) << 24));
}

// An empty picture when the file is missing or not a bottom-up 8-bit bitmap.
inline PictureFile ReadPictureFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                     std::istreambuf_iterator<char>());
    constexpr size_t kPaletteOffset = 54;
    constexpr size_t kPixelOffset = kPaletteOffset + 1024;
    PictureFile picture;
    if (bytes.size() < kPixelOffset || bytes[28] != 8) {
        return picture;
    }
    const int32_t width = ReadLittleEndian32(bytes, 18);
    const int32_t height = ReadLittleEndian32(bytes, 22);
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
    if (width <= 0 || height <= 0 || bytes.size() < kPixelOffset + stride * height) {
        return picture;
    }
    picture.width = width;
    picture.height = height;
    for (size_t i = 0; i < 256; ++i) {
        const size_t entry = kPaletteOffset + 4 * i;
        picture.palette[i] = {bytes[entry + 2], bytes[entry + 1], bytes[entry], 0};
    }
    picture.pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t y = 0; y < height; ++y) {
        const size_t storedRow = kPixelOffset + stride * static_cast<size_t>(height - 1 - y);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(storedRow), width,
                    picture.pixels.begin() + static_cast<std::ptrdiff_t>(y) * width);
    }
    return picture;
}

}  // namespace test_support
