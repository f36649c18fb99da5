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

// A chunk whose size field says what its data holds, padded to an even length.
inline Bytes Chunk(const char* id, const Bytes& data) {
    return Cat({Bytes(id, id + 4), Little(static_cast<uint32_t>(data.size()), 4), data,
                Bytes(data.size() % 2, 0)});
}

inline Bytes Format(uint16_t tag, uint16_t channels, uint16_t bits) {
    const uint32_t blockAlign = channels * bits / 8u;
    return Chunk("fmt ",
                 Cat({Little(tag, 2), Little(channels, 2), Little(22050, 4),
                      Little(22050 * blockAlign, 4), Little(blockAlign, 2), Little(bits, 2)}));
}

inline Bytes Riff(const char* form, std::initializer_list<Bytes> chunks) {
    return Chunk("RIFF", Cat({Bytes(form, form + 4), Cat(chunks)}));
}

inline Bytes MonoWave(const Bytes& samples) {
    return Riff("WAVE", {Format(1, 1, 8), Chunk("data", samples)});
}

inline Bytes Truncated(Bytes bytes, size_t length) {
    bytes.resize(length);
    return bytes;
}

// A recognisable sawtooth that never rests on the midpoint.
inline Bytes Sawtooth(size_t count, int period = 40) {
    Bytes out(count);
    for (size_t i = 0; i < count; ++i) {
        out[i] = static_cast<uint8_t>(140 + static_cast<int>(i % static_cast<size_t>(period)));
    }
    return out;
}

// Writes the file into a folder of this process's own that lasts until the
// tests end.
inline std::string WriteWave(const std::string& name, const Bytes& bytes) {
    static const struct Folder {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("stackwell-waves-" + std::to_string(getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder() { std::filesystem::remove_all(path); }
    } folder;
    std::ofstream(folder.path / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return (folder.path / name).string();
}

}  // namespace wave_test
