// Readers for the data files, written from the file formats alone, so that
// the tests check the generator's output without trusting its writers or the
// game's loaders.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace assets_test {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t Little(const Bytes& bytes, size_t offset, int size = 4) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | bytes.at(offset + static_cast<size_t>(i));
    }
    return value;
}

// An 8-bit picture: headers, 256 colours (kept as grey levels), rows
// top-down; empty when the headers or the rows are not all there.
struct Picture {
    Bytes file;
    int32_t width = 0, height = 0;
    std::array<int, 256> grey{};
    Bytes pixels;
    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

inline Picture ReadPicture(const std::string& name) {
    Picture picture;
    picture.file = ReadWholeFile(name);
    const Bytes& bytes = picture.file;
    if (bytes.size() < 1078) {
        return picture;
    }
    picture.width = static_cast<int32_t>(Little(bytes, 18));
    picture.height = static_cast<int32_t>(Little(bytes, 22));
    for (size_t i = 0; i < 256; ++i) {
        const uint8_t* bgr = &bytes[54 + 4 * i];
        picture.grey[i] = (299 * bgr[2] + 587 * bgr[1] + 114 * bgr[0]) / 1000;
    }
    const size_t stride = (static_cast<size_t>(picture.width) + 3) & ~size_t{3};
    if (picture.width <= 0 || picture.height <= 0 ||
        bytes.size() < 1078 + stride * picture.height) {
        picture.width = picture.height = 0;
        return picture;
    }
    for (int32_t y = picture.height - 1; y >= 0; --y) {
        const auto row = bytes.begin() + static_cast<std::ptrdiff_t>(1078 + stride * y);
        picture.pixels.insert(picture.pixels.end(), row, row + picture.width);
    }
    return picture;
}

}  // namespace assets_test
