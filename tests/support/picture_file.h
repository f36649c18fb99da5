// Reads the game's data files on its own, so tests can say what the game must
// show or play without going through the code under test.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/display.h"

namespace test_support {

inline std::vector<uint8_t> ReadWholeFile(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The number of size bytes at offset, least significant first.
inline uint32_t Little(const std::vector<uint8_t>& bytes, size_t offset, int size = 4) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes.at(offset + static_cast<size_t>(i));
    }
    return value;
}

struct PictureFile {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;  // rows top-down, no padding
    std::array<platform::PaletteEntry, 256> palette{};

    bool Loaded() const { return width > 0; }
    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// An empty picture when the file is missing or not a bottom-up 8-bit bitmap.
inline PictureFile ReadPictureFile(const std::string& fileName) {
    const std::vector<uint8_t> bytes = ReadWholeFile(fileName);
    constexpr size_t kPixels = 54 + 1024;
    PictureFile picture;
    if (bytes.size() < kPixels || bytes[28] != 8) {
        return picture;
    }
    const auto width = static_cast<int32_t>(Little(bytes, 18));
    const auto height = static_cast<int32_t>(Little(bytes, 22));
    const size_t stride = (static_cast<size_t>(width) + 3) & ~size_t{3};
    if (width <= 0 || height <= 0 || bytes.size() < kPixels + stride * height) {
        return picture;
    }
    picture.width = width;
    picture.height = height;
    for (size_t i = 0; i < 256; ++i) {
        picture.palette[i] = {bytes[54 + 4 * i + 2], bytes[54 + 4 * i + 1], bytes[54 + 4 * i], 0};
    }
    for (int32_t y = height - 1; y >= 0; --y) {  // stored bottom-up
        const auto row = bytes.begin() + static_cast<std::ptrdiff_t>(kPixels + stride * y);
        picture.pixels.insert(picture.pixels.end(), row, row + width);
    }
    return picture;
}

}  // namespace test_support
