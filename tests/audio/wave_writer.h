// Wave files made by the tests, byte by byte, in a folder of their own.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace wave_test {

using Bytes = std::vector<uint8_t>;

inline void PutBytes(Bytes& out, const uint8_t* bytes, size_t count) {
    const size_t at = out.size();
    out.resize(at + count);
    for (size_t i = 0; i < count; ++i) {
        out[at + i] = bytes[i];
    }
}

inline void PutU16(Bytes& out, uint32_t value) {
    const uint8_t bytes[2] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8)};
    PutBytes(out, bytes, 2);
}

inline void PutU32(Bytes& out, uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}

inline void PutId(Bytes& out, const char* id) {
    PutBytes(out, reinterpret_cast<const uint8_t*>(id), 4);
}

// A chunk whose size field says what its data holds, padded to an even length.
inline Bytes Chunk(const char* id, const Bytes& data) {
    Bytes out;
    PutId(out, id);
    PutU32(out, static_cast<uint32_t>(data.size()));
    PutBytes(out, data.data(), data.size());
    if (data.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

// A chunk header that claims sizeField bytes, followed by whatever data is given.
inline Bytes ChunkClaiming(const char* id, uint32_t sizeField, const Bytes& data) {
    Bytes out;
    PutId(out, id);
    PutU32(out, sizeField);
    PutBytes(out, data.data(), data.size());
    return out;
}

// The 16-byte PCM format record of most wave files.
inline Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes out;
    const auto blockAlign = static_cast<uint16_t>(channels * bits / 8);
    PutU16(out, tag);
    PutU16(out, channels);
    PutU32(out, rate);
    PutU32(out, rate * blockAlign);
    PutU16(out, blockAlign);
    PutU16(out, bits);
    return out;
}

inline Bytes Riff(const char* form, std::initializer_list<Bytes> chunks) {
    Bytes body;
    PutId(body, form);
    for (const Bytes& chunk : chunks) {
        PutBytes(body, chunk.data(), chunk.size());
    }
    Bytes out;
    PutId(out, "RIFF");
    PutU32(out, static_cast<uint32_t>(body.size()));
    PutBytes(out, body.data(), body.size());
    return out;
}

inline Bytes MonoWave(const Bytes& samples) {
    return Riff("WAVE", {Chunk("fmt ", Format(1, 1, 22050, 8)), Chunk("data", samples)});
}

inline Bytes Truncated(Bytes bytes, size_t length) {
    bytes.resize(length);
    return bytes;
}

// A recognisable sawtooth of 8-bit samples that never rests on the midpoint.
inline Bytes Sawtooth(size_t count, int period = 40) {
    Bytes out(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(140 + static_cast<int>(i % static_cast<size_t>(period)));
    }
    return out;
}

class TempFolder {
public:
    TempFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("stackwell-waves-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Write(const std::string& name, const Bytes& bytes) const {
        const auto file = path_ / name;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

private:
    std::filesystem::path path_;
};

}  // namespace wave_test
