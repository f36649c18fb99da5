// Readers for the data files, written for these tests from the file formats
// alone, so that they check assetgen's output without trusting its writers
// or the game's loaders.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assets_test {

std::vector<uint8_t> ReadWholeFile(const std::string& path);

uint16_t Little16(const std::vector<uint8_t>& bytes, size_t offset);
uint32_t Little32(const std::vector<uint8_t>& bytes, size_t offset);

struct Colour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    bool operator==(const Colour&) const = default;
};

int Luma(Colour colour);

struct BitmapFile {
    size_t fileSize = 0;
    std::string signature;
    uint32_t declaredFileSize = 0;
    uint32_t pixelOffset = 0;
    uint32_t infoSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    std::array<Colour, 256> palette{};
    // Rows top-down (the file stores them bottom-up), width bytes each.
    std::vector<uint8_t> pixels;

    uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Reads an 8-bit bitmap with a full palette; empty when the headers are
// short or the pixel rows are not all there.
std::optional<BitmapFile> ReadBitmap(const std::string& path);

struct WaveFile {
    size_t fileSize = 0;
    std::string riff;
    uint32_t riffSize = 0;
    std::string form;
    std::vector<std::string> chunkOrder;
    uint32_t formatChunkSize = 0;
    uint16_t formatTag = 0;
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    std::vector<uint8_t> samples;
};

// Walks the RIFF chunks of a wave file; empty when the file is too short
// for its own chunk headers.
std::optional<WaveFile> ReadWave(const std::string& path);

}  // namespace assets_test
