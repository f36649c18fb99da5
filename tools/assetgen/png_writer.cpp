#include "tools/assetgen/png_writer.h"

#include <algorithm>
#include <string_view>

namespace assetgen {
namespace {

// Stored deflate blocks hold at most this many bytes each.
constexpr size_t kStoredBlockLimit = 65535;

std::array<uint32_t, 256> MakeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        table[n] = c;
    }
    return table;
}

void BigEndian32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

// Length, type, data and the CRC of type and data.
void Chunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data) {
    BigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t typeStart = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    BigEndian32(out, Crc32(std::span<const uint8_t>(out).subspan(typeStart)));
}

// A zlib stream of stored deflate blocks.
std::vector<uint8_t> StoredZlib(std::span<const uint8_t> raw) {
    // Deflate with a 32 KiB window, no preset dictionary; 0x78 0x01 is a
    // multiple of 31 as the header check demands.
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        const size_t length = std::min(kStoredBlockLimit, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, then BTYPE 00: stored
        const auto length16 = static_cast<uint16_t>(length);
        const auto complement = static_cast<uint16_t>(~length16);
        out.push_back(static_cast<uint8_t>(length16 & 0xFF));
        out.push_back(static_cast<uint8_t>(length16 >> 8));
        out.push_back(static_cast<uint8_t>(complement & 0xFF));
        out.push_back(static_cast<uint8_t>(complement >> 8));
        out.insert(out.end(), raw.begin() + static_cast<ptrdiff_t>(offset),
                   raw.begin() + static_cast<ptrdiff_t>(offset + length));
        offset += length;
    } while (offset < raw.size());
    BigEndian32(out, Adler32(raw));
    return out;
}

}  // namespace

uint32_t Crc32(std::span<const uint8_t> data) {
    static const std::array<uint32_t, 256> table = MakeCrcTable();
    uint32_t crc = 0xFFFFFFFFu;
    for (uint8_t byte : data) {
        crc = table[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

uint32_t Adler32(std::span<const uint8_t> data) {
    constexpr uint32_t kModulus = 65521;
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : data) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(const IndexedPicture& picture) {
    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    std::vector<uint8_t> header;
    BigEndian32(header, static_cast<uint32_t>(picture.width));
    BigEndian32(header, static_cast<uint32_t>(picture.height));
    constexpr uint8_t kBitDepth = 8;
    constexpr uint8_t kIndexedColour = 3;
    header.insert(header.end(), {kBitDepth, kIndexedColour, 0, 0, 0});  // deflate, adaptive, none
    Chunk(out, "IHDR", header);

    std::vector<uint8_t> palette;
    for (uint32_t colour : picture.colours) {
        palette.push_back(static_cast<uint8_t>((colour >> 16) & 0xFF));
        palette.push_back(static_cast<uint8_t>((colour >> 8) & 0xFF));
        palette.push_back(static_cast<uint8_t>(colour & 0xFF));
    }
    Chunk(out, "PLTE", palette);

    // Each row behind a filter byte of 0: the pixels as they are.
    const auto width = static_cast<size_t>(picture.width);
    std::vector<uint8_t> rows;
    rows.reserve((width + 1) * static_cast<size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        const auto first = picture.pixels.begin() + static_cast<ptrdiff_t>(y * width);
        rows.insert(rows.end(), first, first + static_cast<ptrdiff_t>(width));
    }
    Chunk(out, "IDAT", StoredZlib(rows));
    Chunk(out, "IEND", {});
    return out;
}

}  // namespace assetgen
