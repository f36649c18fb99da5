#include "tests/reliability/damaged_files.h"

#include <cstring>
#include <random>
#include <string>
#include <utility>

namespace reliability {
namespace {

constexpr size_t kInfoHeader = 14;
constexpr size_t kPaletteStart = 54;
constexpr size_t kRowsStart = 1078;

void Put16(Bytes& bytes, size_t offset, uint16_t value) {
    bytes.at(offset) = static_cast<uint8_t>(value);
    bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
    }
}

Bytes Cut(const Bytes& bytes, size_t length) {
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
}

// A picture file of the good one's colours but another width and height
// field (the rows behind the palette stay as they were).
Bytes WithSize(Bytes picture, int32_t width, int32_t height) {
    Put32(picture, kInfoHeader + 4, static_cast<uint32_t>(width));
    Put32(picture, kInfoHeader + 8, static_cast<uint32_t>(height));
    return picture;
}

Bytes WithBitsPerPixel(Bytes picture, uint16_t bits) {
    Put16(picture, kInfoHeader + 14, bits);
    return picture;
}

// A whole, well-formed picture of 3 x 2 pixels: far smaller than any of the
// rectangles the game cuts from its pictures.
Bytes TinyPicture(const Bytes& good) {
    Bytes picture = Cut(good, kRowsStart);
    picture = WithSize(std::move(picture), 3, 2);
    for (uint8_t row = 0; row < 2; ++row) {
        picture.insert(picture.end(), {row, 1, 2, 0});
    }
    return picture;
}

// A RIFF file as a list of chunks that can be taken apart and put together.
struct Chunk {
    std::string id;
    Bytes data;
    std::optional<uint32_t> sizeField = {};  // written instead of the data's size
    bool padded = true;                      // an odd size is followed by a pad byte
};

struct Riff {
    std::string id = "RIFF";
    std::string form = "WAVE";
    std::vector<Chunk> chunks;
    std::optional<uint32_t> sizeField = {};
};

uint32_t Read32(const Bytes& bytes, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) {
        value |= static_cast<uint32_t>(bytes.at(offset + i)) << (8 * i);
    }
    return value;
}

Riff Parse(const Bytes& wave) {
    Riff riff;
    size_t at = 12;
    while (at + 8 <= wave.size()) {
        Chunk chunk;
        chunk.id.assign(reinterpret_cast<const char*>(&wave[at]), 4);
        const uint32_t size = Read32(wave, at + 4);
        const size_t end = std::min(wave.size(), at + 8 + size);
        chunk.data.assign(wave.begin() + static_cast<std::ptrdiff_t>(at + 8),
                          wave.begin() + static_cast<std::ptrdiff_t>(end));
        riff.chunks.push_back(std::move(chunk));
        at = end + (size & 1u);
    }
    return riff;
}

void Append(Bytes& bytes, const std::string& fourCC) {
    bytes.insert(bytes.end(), fourCC.begin(), fourCC.begin() + 4);
}

void Append32(Bytes& bytes, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

Bytes Join(const Riff& riff) {
    Bytes body;
    Append(body, riff.form);
    for (const Chunk& chunk : riff.chunks) {
        Append(body, chunk.id);
        Append32(body, chunk.sizeField.value_or(static_cast<uint32_t>(chunk.data.size())));
        body.insert(body.end(), chunk.data.begin(), chunk.data.end());
        if (chunk.padded && chunk.data.size() % 2 == 1) {
            body.push_back(0);
        }
    }
    Bytes wave;
    Append(wave, riff.id);
    Append32(wave, riff.sizeField.value_or(static_cast<uint32_t>(body.size())));
    wave.insert(wave.end(), body.begin(), body.end());
    return wave;
}

Chunk* Find(Riff& riff, const char* id) {
    for (Chunk& chunk : riff.chunks) {
        if (chunk.id == id) {
            return &chunk;
        }
    }
    return nullptr;
}

// Changes the good wave file through its chunks.
std::function<std::optional<Bytes>(const Bytes&)> Rework(std::function<void(Riff&)> change) {
    return [change = std::move(change)](const Bytes& good) -> std::optional<Bytes> {
        Riff riff = Parse(good);
        change(riff);
        return Join(riff);
    };
}

void Insert(Riff& riff, const char* before, Chunk chunk) {
    for (auto it = riff.chunks.begin(); it != riff.chunks.end(); ++it) {
        if (it->id == before) {
            riff.chunks.insert(it, std::move(chunk));
            return;
        }
    }
}

Bytes Noise(size_t length, uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(length);
    for (uint8_t& byte : bytes) {
        byte = static_cast<uint8_t>(random());
    }
    return bytes;
}

using Content = std::optional<Bytes>;

}  // namespace

const std::vector<Damage>& AllDamage() {
    static const std::vector<Damage> table = {
        // Any file.
        {"missing", kEither, [](const Bytes&) -> Content { return std::nullopt; }},
        {"empty", kEither, [](const Bytes&) -> Content { return Bytes{}; }},
        {"folder", kEither, [](const Bytes&) -> Content { return Bytes{}; }, true},
        {"noise", kEither, [](const Bytes& good) -> Content { return Noise(good.size(), 7); }},
        {"one_byte", kEither, [](const Bytes& good) -> Content { return Cut(good, 1); }},

        // Pictures.
        {"cut_in_file_header", kPicture, [](const Bytes& good) -> Content { return Cut(good, 9); }},
        {"cut_in_info_header", kPicture,
         [](const Bytes& good) -> Content { return Cut(good, 30); }},
        {"cut_in_palette", kPicture,
         [](const Bytes& good) -> Content { return Cut(good, kPaletteStart + 513); }},
        {"cut_behind_palette", kPicture,
         [](const Bytes& good) -> Content { return Cut(good, kRowsStart); }},
        {"cut_in_rows", kPicture,
         [](const Bytes& good) -> Content {
             return Cut(good, kRowsStart + (good.size() - kRowsStart) / 2 + 1);
         }},
        {"four_bit", kPicture,
         [](const Bytes& good) -> Content { return WithBitsPerPixel(good, 4); }},
        {"twenty_four_bit", kPicture,
         [](const Bytes& good) -> Content { return WithBitsPerPixel(good, 24); }},
        {"tiny_picture", kPicture, [](const Bytes& good) -> Content { return TinyPicture(good); }},
        {"negative_height", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, 640, -480); }},
        {"negative_width", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, -640, 480); }},
        {"zero_width", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, 0, 480); }},
        {"zero_height", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, 640, 0); }},
        {"absurd_size", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, 0x7fffffff, 0x7fffffff); }},
        {"most_negative_size", kPicture,
         [](const Bytes& good) -> Content {
             return WithSize(good, static_cast<int32_t>(0x80000000u),
                             static_cast<int32_t>(0x80000000u));
         }},
        {"large_size_short_file", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, 4096, 4096); }},
        {"one_long_row", kPicture,
         [](const Bytes& good) -> Content { return WithSize(good, 4000, 1); }},

        // Sounds.
        {"cut_in_riff_header", kSound, [](const Bytes& good) -> Content { return Cut(good, 10); }},
        {"cut_in_format", kSound, [](const Bytes& good) -> Content { return Cut(good, 28); }},
        {"cut_in_samples", kSound,
         [](const Bytes& good) -> Content { return Cut(good, 44 + (good.size() - 44) / 2); }},
        {"not_riff", kSound, Rework([](Riff& riff) { riff.id = "RIFX"; })},
        {"riff_not_wave", kSound, Rework([](Riff& riff) { riff.form = "AVI "; })},
        {"compressed_format", kSound,
         Rework([](Riff& riff) { Find(riff, "fmt ")->data.at(0) = 2; })},
        {"stereo_16_bit_44100", kSound, Rework([](Riff& riff) {
             Bytes& format = Find(riff, "fmt ")->data;
             const uint8_t layout[] = {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0};
             std::memcpy(format.data(), layout, sizeof layout);
         })},
        {"short_format_chunk", kSound,
         Rework([](Riff& riff) { Find(riff, "fmt ")->data.resize(2); })},
        {"no_format_chunk", kSound, Rework([](Riff& riff) {
             std::erase_if(riff.chunks, [](const Chunk& c) { return c.id == "fmt "; });
         })},
        {"no_data_chunk", kSound, Rework([](Riff& riff) {
             std::erase_if(riff.chunks, [](const Chunk& c) { return c.id == "data"; });
         })},
        {"zero_size_data", kSound, Rework([](Riff& riff) { Find(riff, "data")->sizeField = 0; })},
        {"empty_data", kSound, Rework([](Riff& riff) { Find(riff, "data")->data.clear(); })},
        {"data_size_beyond_file", kSound,
         Rework([](Riff& riff) { Find(riff, "data")->sizeField = 0x7fffffff; })},
        {"data_size_all_ones", kSound,
         Rework([](Riff& riff) { Find(riff, "data")->sizeField = 0xffffffff; })},
        {"odd_chunks_before_data", kSound, Rework([](Riff& riff) {
             Insert(riff, "data", {"LIST", {'I', 'N', 'F', 'O', 'x'}});
             Insert(riff, "data", {"junk", {1, 2, 3}});
         })},
        {"odd_chunk_without_pad", kSound, Rework([](Riff& riff) {
             Insert(riff, "data", {"junk", {1, 2, 3}, {}, false});
         })},
        {"chunk_size_beyond_file", kSound, Rework([](Riff& riff) {
             Insert(riff, "data", {"junk", {1, 2}, 0xfffffff0u});
         })},
        {"riff_size_too_small", kSound, Rework([](Riff& riff) { riff.sizeField = 4; })},
        {"riff_size_all_ones", kSound, Rework([](Riff& riff) { riff.sizeField = 0xffffffff; })},
        {"data_before_format", kSound,
         Rework([](Riff& riff) { std::swap(riff.chunks.front(), riff.chunks.back()); })},
    };
    return table;
}

}  // namespace reliability
