// Picture files written into a scratch working directory (the game reads its
// pictures by fixed names), on a fresh headless machine with the display made
// as at start-up.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "platform/hosts/headless/headless_control.h"
#include "tests/support/scratch_folder.h"
#include "video/bitmap.h"
#include "video/game_screen.h"

namespace video_test {

using Bytes = std::vector<uint8_t>;

// Rows top-down, one palette index a pixel.
struct Picture {
    int32_t width, height;
    Bytes pixels;
    Picture(int32_t w, int32_t h, uint8_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
    uint8_t& At(int32_t x, int32_t y) { return pixels[static_cast<size_t>(y * width + x)]; }
    uint8_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};

// Indices 100 to 249, neighbours differing, so a shifted or flipped copy shows.
inline Picture Pattern(int32_t width, int32_t height) {
    Picture picture(width, height);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            picture.At(x, y) = static_cast<uint8_t>(100 + (x * 7 + y * 3) % 150);
        }
    }
    return picture;
}

// Every file's colours: each channel of each entry its own, so that swapped
// channels or shifted entries show. Entry 77 alone is white.
inline platform::PaletteEntry FileColour(int32_t i) {
    return i == 77 ? platform::PaletteEntry{255, 255, 255, 0}
                   : platform::PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(i / 2),
                                            static_cast<uint8_t>(255 - i), 0};
}

struct FileOptions {
    uint16_t bitsPerPixel = 8;
    uint32_t pixelDataOffset = 1078;
    std::optional<int32_t> width = {}, height = {};  // written instead of the picture's
};

// Headers, the file colours as blue, green, red, 0; rows bottom-up padded with 0xEE.
inline Bytes EncodeBitmap(const Picture& picture, const FileOptions& options = {}) {
    const uint32_t stride = (static_cast<uint32_t>(picture.width) + 3u) & ~3u;
    const uint32_t imageSize = stride * static_cast<uint32_t>(picture.height);
    Bytes bytes{'B', 'M'};
    auto put = [&bytes](uint32_t value, int size) {
        for (int i = 0; i < size; ++i) {
            bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
        }
    };
    for (uint32_t field : {1078 + imageSize, 0u, options.pixelDataOffset, 40u,
                           static_cast<uint32_t>(options.width.value_or(picture.width)),
                           static_cast<uint32_t>(options.height.value_or(picture.height))}) {
        put(field, 4);
    }
    put(1, 2);
    put(options.bitsPerPixel, 2);
    for (uint32_t field : {0u, imageSize, 2835u, 2835u, 256u, 0u}) {
        put(field, 4);
    }
    for (int32_t i = 0; i < 256; ++i) {
        bytes.insert(bytes.end(), {FileColour(i).blue, FileColour(i).green, FileColour(i).red, 0});
    }
    for (int32_t row = picture.height - 1; row >= 0; --row) {
        const auto first = picture.pixels.begin() + row * picture.width;
        bytes.insert(bytes.end(), first, first + picture.width);
        bytes.insert(bytes.end(), stride - static_cast<uint32_t>(picture.width), 0xEE);
    }
    return bytes;
}

inline void WriteFile(const char* name, const Bytes& bytes) {
    std::ofstream(name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

class VideoTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        ASSERT_EQ(InitDisplay(640, 480, 8), 1);
        ASSERT_EQ(CreateScreenSurfaces(), 1);
    }
    void TearDown() override {
        ReleaseScreenSurfaces();
        ReleaseDisplay();
    }

    // The last frame a flip showed.
    static const platform::headless::Frame& Shown() {
        static const platform::headless::Frame none;
        const auto& frames = platform::headless::Frames();
        EXPECT_FALSE(frames.empty()) << "no frame was shown";
        return frames.empty() ? none : frames.back();
    }

    // Every byte of a surface, row padding included.
    static Bytes SurfaceBytes(const platform::Surface* surface) {
        return Bytes(surface->Pixels(),
                     surface->Pixels() + static_cast<size_t>(surface->Pitch()) * surface->Height());
    }

    static void FillSurface(platform::Surface* surface, uint8_t index) {
        const platform::BltFx fill{.size = sizeof(platform::BltFx), .fillColor = index};
        surface->Blt(nullptr, nullptr, nullptr, platform::DDBLT_COLORFILL | platform::DDBLT_WAIT,
                     &fill);
    }

    test_support::WorkingScratchFolder scratch{"video"};
};

}  // namespace video_test
