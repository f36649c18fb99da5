// A file of the frames a run showed, each exactly as the display had it: the
// 8-bit pixels and the palette they were shown through. Two builds that show
// the same frames write the same bytes. Each frame's pixels are stored as
// their difference (exclusive or) from the frame before, run-length coded,
// since a frame mostly repeats the one before it.
//
//   file:  "STACKWELL FRAMES 1\n", then frames until the end of the file
//   frame: u32 number (flips so far), u32 tick, u8 phase, i32 width, i32 height,
//          256 x (red, green, blue, flags), then runs until width * height
//          pixels are covered: u32 unchanged count, u32 changed count, the
//          changed pixels' differences
// All numbers little-endian.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "platform/display.h"

namespace frame_file {

inline constexpr char kMagic[] = "STACKWELL FRAMES 1\n";
inline constexpr size_t kMagicLength = sizeof kMagic - 1;

struct Frame {
    uint32_t number = 0;
    uint32_t tick = 0;
    uint8_t phase = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> palette;  // 256 x 4 bytes
    std::vector<uint8_t> pixels;   // width * height, rows top-down
};

class Writer {
public:
    explicit Writer(std::FILE* out) : out_(out) { Put(kMagic, kMagicLength); }

    void Add(const Frame& frame) {
        PutNumber(frame.number);
        PutNumber(frame.tick);
        Put(&frame.phase, 1);
        PutNumber(static_cast<uint32_t>(frame.width));
        PutNumber(static_cast<uint32_t>(frame.height));
        Put(frame.palette.data(), frame.palette.size());
        previous_.resize(frame.pixels.size());
        std::vector<uint8_t> changed;
        size_t at = 0;
        while (at < frame.pixels.size()) {
            uint32_t same = 0;
            while (at < frame.pixels.size() && frame.pixels[at] == previous_[at]) {
                ++same;
                ++at;
            }
            changed.clear();
            while (at < frame.pixels.size() && frame.pixels[at] != previous_[at]) {
                changed.push_back(static_cast<uint8_t>(frame.pixels[at] ^ previous_[at]));
                ++at;
            }
            PutNumber(same);
            PutNumber(static_cast<uint32_t>(changed.size()));
            Put(changed.data(), changed.size());
        }
        previous_ = frame.pixels;
    }

    bool Ok() const { return ok_; }

private:
    void Put(const void* bytes, size_t count) {
        ok_ = ok_ && (count == 0 || std::fwrite(bytes, 1, count, out_) == count);
    }
    void PutNumber(uint32_t number) {
        for (int shift = 0; shift < 32; shift += 8) {
            const auto byte = static_cast<uint8_t>(number >> shift);
            Put(&byte, 1);
        }
    }

    std::FILE* out_;
    bool ok_ = true;
    std::vector<uint8_t> previous_;
};

// Reads a whole file back into its frames; nothing if the file is damaged.
inline std::optional<std::vector<Frame>> ReadAll(const std::vector<uint8_t>& bytes) {
    size_t at = 0;
    auto take = [&](void* out, size_t count) {
        if (bytes.size() - at < count) {
            return false;
        }
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), count,
                    static_cast<uint8_t*>(out));
        at += count;
        return true;
    };
    auto number = [&](uint32_t& out) {
        uint8_t b[4] = {};
        const bool taken = take(b, 4);
        out = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
        return taken;
    };
    if (bytes.size() < kMagicLength ||
        std::string(bytes.begin(), bytes.begin() + kMagicLength) != kMagic) {
        return std::nullopt;
    }
    at = kMagicLength;
    std::vector<Frame> frames;
    std::vector<uint8_t> previous;
    while (at < bytes.size()) {
        Frame frame;
        uint32_t width = 0, height = 0;
        if (!number(frame.number) || !number(frame.tick) || !take(&frame.phase, 1) ||
            !number(width) || !number(height) || width > 4096 || height > 4096) {
            return std::nullopt;
        }
        frame.width = static_cast<int32_t>(width);
        frame.height = static_cast<int32_t>(height);
        frame.palette.resize(256 * 4);
        if (!take(frame.palette.data(), frame.palette.size())) {
            return std::nullopt;
        }
        previous.resize(static_cast<size_t>(width) * height);
        frame.pixels = previous;
        size_t pixel = 0;
        while (pixel < frame.pixels.size()) {
            uint32_t same = 0, changed = 0;
            if (!number(same) || !number(changed) || same + static_cast<uint64_t>(changed) == 0 ||
                frame.pixels.size() - pixel < static_cast<uint64_t>(same) + changed) {
                return std::nullopt;
            }
            pixel += same;
            for (uint32_t i = 0; i < changed; ++i, ++pixel) {
                uint8_t difference = 0;
                if (!take(&difference, 1)) {
                    return std::nullopt;
                }
                frame.pixels[pixel] ^= difference;
            }
        }
        previous = frame.pixels;
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace frame_file
