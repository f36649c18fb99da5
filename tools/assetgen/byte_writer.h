// Little-endian byte assembly for the file formats the game reads, and the
// one place where assetgen touches the file system.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

class ByteWriter {
public:
    void U8(uint8_t value) { bytes_.push_back(value); }
    void U16(uint16_t value);
    void U32(uint32_t value);
    void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
    void Tag(std::string_view fourCharacters);
    void Bytes(const std::vector<uint8_t>& data);
    void Zeros(size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Data() const { return bytes_; }

    // Overwrites four bytes written earlier, for sizes known only at the end.
    void PatchU32(size_t offset, uint32_t value);

private:
    std::vector<uint8_t> bytes_;
};

// Writes the whole file at once; false when the file cannot be written.
bool WriteFile(const std::string& path, const std::vector<uint8_t>& data);
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace assetgen
