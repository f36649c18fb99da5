#include "tools/assetgen/byte_writer.h"

#include <fstream>

namespace assetgen {

void ByteWriter::U16(uint16_t value) {
    U8(static_cast<uint8_t>(value & 0xFF));
    U8(static_cast<uint8_t>(value >> 8));
}

void ByteWriter::U32(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        U8(static_cast<uint8_t>((value >> shift) & 0xFF));
    }
}

void ByteWriter::Tag(std::string_view fourCharacters) {
    for (char c : fourCharacters.substr(0, 4)) {
        U8(static_cast<uint8_t>(c));
    }
}

void ByteWriter::Bytes(const std::vector<uint8_t>& data) {
    bytes_.insert(bytes_.end(), data.begin(), data.end());
}

void ByteWriter::PatchU32(size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes_.at(offset + i) = static_cast<uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
    return static_cast<bool>(out);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

}  // namespace assetgen
