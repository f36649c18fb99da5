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

inline Bytes Cat(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) {
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

// A little-endian number of the given width in bytes.
inline Bytes Little(uint32_t value, int bytes) {
    Bytes out;
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    return out;
}

inline Bytes Id(const char* id) {
    return Bytes(id, id + 4);
}

// A chunk header that claims sizeField bytes, followed by whatever data is given.
inline Bytes ChunkClaiming(const char* id, uint32_t sizeField, const Bytes& data) {
    return Cat({Id(id), Little(sizeField, 4), data});
}

// A chunk whose size field says what its data holds, padded to an even length.
inline Bytes Chunk(const char* id, const Bytes& data) {
    return Cat(
        {ChunkClaiming(id, static_cast<uint32_t>(data.size()), data), Bytes(data.size() % 2, 0)});
}

// The 16-byte PCM format record of most wave files.
inline Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    const uint32_t blockAlign = channels * bits / 8u;
    return Cat({Little(tag, 2), Little(channels, 2), Little(rate, 4), Little(rate * blockAlign, 4),
                Little(blockAlign, 2), Little(bits, 2)});
}

inline Bytes Riff(const char* form, std::initializer_list<Bytes> chunks) {
    return Chunk("RIFF", Cat({Id(form), Cat(chunks)}));
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
    TempFolder() { std::filesystem::create_directories(path_); }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Write(const std::string& name, const Bytes& bytes) const {
        const auto file = path_ / name;
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return file.string();
    }

private:
    const std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("stackwell-waves-" + std::to_string(::getpid()));
};

}  // namespace wave_test
