#include "tests/assets/file_readers.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace assets_test {

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint16_t Little16(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

uint32_t Little32(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint32_t>(Little16(bytes, offset)) |
           (static_cast<uint32_t>(Little16(bytes, offset + 2)) << 16);
}

int Luma(Colour colour) {
    return (299 * colour.r + 587 * colour.g + 114 * colour.b) / 1000;
}

std::optional<BitmapFile> ReadBitmap(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    constexpr size_t kPaletteOffset = 14 + 40;
    constexpr size_t kPixelOffset = kPaletteOffset + 256 * 4;
    if (bytes.size() < kPixelOffset) {
        return std::nullopt;
    }
    BitmapFile bitmap;
    bitmap.fileSize = bytes.size();
    bitmap.signature = std::string(bytes.begin(), bytes.begin() + 2);
    bitmap.declaredFileSize = Little32(bytes, 2);
    bitmap.pixelOffset = Little32(bytes, 10);
    bitmap.infoSize = Little32(bytes, 14);
    bitmap.width = static_cast<int32_t>(Little32(bytes, 18));
    bitmap.height = static_cast<int32_t>(Little32(bytes, 22));
    bitmap.bitsPerPixel = Little16(bytes, 28);
    bitmap.compression = Little32(bytes, 30);
    for (size_t i = 0; i < 256; ++i) {
        const size_t entry = kPaletteOffset + 4 * i;
        bitmap.palette[i] = {bytes[entry + 2], bytes[entry + 1], bytes[entry]};
    }
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.bitsPerPixel != 8) {
        return bitmap;  // headers only: the caller's checks say what is wrong
    }
    // The game always reads the rows from right behind the palette.
    const size_t stride = (static_cast<size_t>(bitmap.width) + 3) & ~size_t{3};
    if (bytes.size() < kPixelOffset + stride * bitmap.height) {
        return std::nullopt;
    }
    bitmap.pixels.resize(static_cast<size_t>(bitmap.width) * bitmap.height);
    for (int stored = 0; stored < bitmap.height; ++stored) {
        const size_t from = kPixelOffset + stride * stored;
        const int y = bitmap.height - 1 - stored;
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), bitmap.width,
                    bitmap.pixels.begin() + static_cast<std::ptrdiff_t>(y) * bitmap.width);
    }
    return bitmap;
}

std::optional<WaveFile> ReadWave(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadWholeFile(path);
    if (bytes.size() < 12) {
        return std::nullopt;
    }
    WaveFile wave;
    wave.fileSize = bytes.size();
    wave.riff = std::string(bytes.begin(), bytes.begin() + 4);
    wave.riffSize = Little32(bytes, 4);
    wave.form = std::string(bytes.begin() + 8, bytes.begin() + 12);
    size_t offset = 12;
    while (offset + 8 <= bytes.size()) {
        const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                             bytes.begin() + static_cast<std::ptrdiff_t>(offset + 4));
        const uint32_t size = Little32(bytes, offset + 4);
        const size_t data = offset + 8;
        if (data + size > bytes.size()) {
            return std::nullopt;
        }
        wave.chunkOrder.push_back(id);
        if (id == "fmt " && size >= 16) {
            wave.formatChunkSize = size;
            wave.formatTag = Little16(bytes, data);
            wave.channels = Little16(bytes, data + 2);
            wave.sampleRate = Little32(bytes, data + 4);
            wave.byteRate = Little32(bytes, data + 8);
            wave.blockAlign = Little16(bytes, data + 12);
            wave.bitsPerSample = Little16(bytes, data + 14);
        } else if (id == "data") {
            wave.samples.assign(bytes.begin() + static_cast<std::ptrdiff_t>(data),
                                bytes.begin() + static_cast<std::ptrdiff_t>(data + size));
        }
        offset = data + size + (size % 2);
    }
    return wave;
}

}  // namespace assets_test
