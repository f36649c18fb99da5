// PNG pictures for the desktop's icon theme, written without a compression
// library: the image data is a zlib stream of stored (uncompressed) deflate
// blocks, which every PNG reader accepts, with its own CRC-32 and Adler-32.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace assetgen {

// CRC-32 as PNG chunks carry it (ISO 3309, reflected, polynomial 0xEDB88320).
uint32_t Crc32(std::span<const uint8_t> data);
// The zlib stream's check value (RFC 1950).
uint32_t Adler32(std::span<const uint8_t> data);

// An indexed picture: rows top-down, one palette index per pixel, colours as
// 0xRRGGBB; every pixel opaque.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    std::vector<uint32_t> colours;
};

// An 8-bit indexed PNG file of the picture.
std::vector<uint8_t> EncodePng(const IndexedPicture& picture);

}  // namespace assetgen
