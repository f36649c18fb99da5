// What is the emulated driver's own, beyond the contract every driver keeps
// (tests/contract): its pixel rows, each way of its keyed copy and of its
// hosts' palette expansion, and its mixer.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/display.h"
#include "platform/emulated/emulated_pixel_rows.h"
#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/host_palette_expand.h"
#include "platform/sound.h"

namespace platform {
namespace {

using Pixels = std::vector<uint8_t>;

int Between(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

Pixels RandomPixels(std::mt19937& random, int count, int low, int high) {
    Pixels pixels(static_cast<size_t>(count));
    for (uint8_t& pixel : pixels) {
        pixel = static_cast<uint8_t>(Between(random, low, high));
    }
    return pixels;
}

// Runs the check on each way this processor can run, named in any failure;
// at least the plain way always runs.
template <typename Ways, typename Check>
void ForEachWayThatRunsHere(const Ways& ways, Check check) {
    int checkedWays = 0;
    for (const auto& way : ways) {
        if (way.runsHere()) {
            ++checkedWays;
            SCOPED_TRACE(way.name);
            check(way);
        }
    }
    EXPECT_GE(checkedWays, 1);
}

// Rows start on 32-byte boundaries and are always wider than the picture, so
// that code stepping rows by the width instead of the pitch shows at once.
TEST(EmulatedSurface, RowsArePaddedPastTheWidthOn32ByteBoundaries) {
    headless::Reset();
    DisplayDevice* device = nullptr;
    ASSERT_EQ(CreateDisplay(nullptr, &device, nullptr), kOk);
    for (uint32_t width : {1u, 31u, 32u, 33u, 640u}) {
        const SurfaceDesc description{.size = sizeof(SurfaceDesc),
                                      .flags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT,
                                      .height = 3,
                                      .width = width,
                                      .caps = {DDSCAPS_OFFSCREENPLAIN}};
        Surface* surface = nullptr;
        ASSERT_EQ(device->CreateSurface(&description, &surface, nullptr), kOk);
        EXPECT_GT(surface->Pitch(), surface->Width()) << width;
        EXPECT_EQ(surface->Pitch() % 32, 0) << width;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(surface->Pixels()) % 32, 0u);
        surface->Release();
    }
    EXPECT_EQ(device->Release(), 0u);
}

// Each way of the keyed copy that this processor runs, against the copy one
// pixel at a time (each pixel copied unless it has the sprites' key colour):
// widths around its groups of 16 and 64 pixels and up to a screen row, rows
// further apart than they are wide, and nothing written between rows.
TEST(KeyedCopy, EveryWayMatchesThePlainDefinition) {
    std::mt19937 random(7031);
    const int widths[] = {1, 15, 16, 17, 20, 63, 64, 65, 127, 128, 129, 640};
    ForEachWayThatRunsHere(detail::KeyedCopies(), [&](const detail::KeyedCopy& way) {
        for (int round = 0; round < 200; ++round) {
            const int width = round < 24 ? widths[round % 12] : Between(random, 1, 640);
            const int height = Between(random, 1, 5);
            const int sourcePitch = width + Between(random, 0, 70);
            const int targetPitch = width + Between(random, 0, 70);
            const auto key = static_cast<uint8_t>(Between(random, 0, 255));
            const Pixels source = RandomPixels(random, sourcePitch * height, key - 2, key + 2);
            Pixels target = RandomPixels(random, targetPitch * height, key - 2, key + 2);
            Pixels expected = target;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const uint8_t pixel = source[y * sourcePitch + x];
                    if (pixel != key) {
                        expected[y * targetPitch + x] = pixel;
                    }
                }
            }
            way.copy({target.data(), targetPitch, width, height}, {source.data(), sourcePitch}, key,
                     key);
            ASSERT_EQ(target, expected) << width << " x " << height << ", key " << int{key};
        }
    });
}

// The 8-bit screen in 32-bit colour, as the hosts show it: every way of
// expanding it that runs here gives the pixels of the plain definition, and
// nothing outside the rows or the part asked for.
TEST(PaletteExpansion, EveryWayMatchesThePlainDefinition) {
    std::mt19937 random(1987);
    auto between = [&](int low, int high) { return Between(random, low, high); };
    // Widths around the wide way's groups of 64 and the full screen row.
    const int32_t widths[] = {1, 2, 15, 16, 17, 63, 64, 65, 127, 128, 129, 200, 639, 640};
    ForEachWayThatRunsHere(detail::PaletteExpansions(), [&](const detail::PaletteExpansion& way) {
        for (int round = 0; round < 200; ++round) {
            const int32_t width = round < 28 ? widths[round % 14] : between(1, 700);
            const int32_t height = between(1, 6), pitch = width + between(0, 40);
            // The same size, stretched by up to four times, or shrunk.
            const int stretch = round < 28 ? 0 : between(0, 3);
            auto stretched = [&](int side) {
                return stretch == 0   ? side
                       : stretch == 3 ? between(1, side)
                                      : between(side, 4 * side);
            };
            const int32_t outWidth = stretched(width), outHeight = stretched(height);
            const int32_t stride = outWidth + between(0, 9);
            // The whole output, or (from round 100) a part of it of any size.
            OutputPart part{0, 0, outWidth, outHeight};
            if (round >= 100) {
                part.x = between(0, outWidth - 1);
                part.y = between(0, outHeight - 1);
                part.width = between(1, outWidth - part.x);
                part.height = between(1, outHeight - part.y);
            }
            // The last row ends the block, so that a read past it shows under
            // the address sanitizer.
            const Pixels pixels = RandomPixels(random, pitch * (height - 1) + width, 0, 255);
            PaletteEntry palette[256];
            for (PaletteEntry& entry : palette) {
                const Pixels colour = RandomPixels(random, 4, 0, 255);
                entry = {colour[0], colour[1], colour[2], colour[3]};
            }
            // Opaque red, green, blue with the flag byte left out; padding untouched.
            std::vector<uint32_t> expected(static_cast<size_t>(stride * outHeight), 0xDEADBEEFu);
            std::vector<uint32_t> out = expected;
            for (int32_t y = part.y; y < part.y + part.height; ++y) {
                for (int32_t x = part.x; x < part.x + part.width; ++x) {
                    const PaletteEntry entry =
                        palette[pixels[y * height / outHeight * pitch + x * width / outWidth]];
                    expected[y * stride + x] = 0xFF000000u | uint32_t{entry.red} << 16 |
                                               uint32_t{entry.green} << 8 | entry.blue;
                }
            }
            way.expand({pixels.data(), pitch, width, height, palette,
                        out.data() + part.y * stride + part.x, stride * 4, outWidth, outHeight,
                        part});
            ASSERT_EQ(out, expected) << width << " x " << height << " to " << outWidth << " x "
                                     << outHeight << ", pitches " << pitch << " and " << stride
                                     << ", part at " << part.x << ", " << part.y;
        }
    });
}

using Samples = std::vector<uint8_t>;

Samples Pull(uint32_t count) {
    Samples samples(count, 0);
    headless::PullAudio(samples.data(), count);
    return samples;
}

SoundBuffer* Make(SoundDevice* device, const Samples& samples) {
    static constexpr WaveFormat kFormat{WAVE_FORMAT_PCM, 1, kSampleRate, kSampleRate, 1, 8};
    const SoundBufferDesc description{.size = sizeof(SoundBufferDesc),
                                      .bufferBytes = static_cast<uint32_t>(samples.size()),
                                      .format = &kFormat};
    SoundBuffer* buffer = nullptr;
    void* bytes = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(device->CreateSoundBuffer(&description, &buffer, nullptr), kOk);
    EXPECT_EQ(buffer->Lock(0, description.bufferBytes, &bytes, &size, nullptr, nullptr, 0), kOk);
    std::copy(samples.begin(), samples.end(), static_cast<uint8_t*>(bytes));
    EXPECT_EQ(buffer->Unlock(bytes, size, nullptr, 0), kOk);
    return buffer;
}

// A duplicate shares the samples but plays at its own place; buffers mix
// around the midpoint and clip; a released one, or the whole device, is no
// longer heard.
TEST(EmulatedSound, BuffersMixAndClip) {
    headless::Reset();
    SoundDevice* device = nullptr;
    ASSERT_EQ(CreateSoundDevice(nullptr, &device, nullptr), kOk);
    SoundBuffer* original = Make(device, {250, 250, 250, 5, 5});
    SoundBuffer* copy = nullptr;
    ASSERT_EQ(device->DuplicateSoundBuffer(original, &copy), kOk);
    ASSERT_EQ(original->SetCurrentPosition(1), kOk);
    ASSERT_EQ(original->Play(0, 0, DSBPLAY_LOOPING), kOk);
    ASSERT_EQ(copy->Play(0, 0, DSBPLAY_LOOPING), kOk);
    // From 1 and from 0: 250+250 clips high, 250+5 cancels, 5+5 clips low.
    EXPECT_EQ(Pull(6), (Samples{255, 255, 127, 0, 127, 255}));
    EXPECT_EQ(original->Release(), 0u);
    EXPECT_EQ(Pull(2), (Samples{250, 250})) << "the copy alone";
    ASSERT_EQ(copy->Play(0, 0, 0), kOk);  // once more, from where it is, to the end
    EXPECT_EQ(Pull(4), (Samples{5, 5, 128, 128}));
    ASSERT_EQ(copy->Play(0, 0, DSBPLAY_LOOPING), kOk);
    EXPECT_EQ(device->Release(), 0u);
    EXPECT_FALSE(headless::AudioOpen());
    EXPECT_EQ(Pull(3), Samples(3, 128));
}

}  // namespace
}  // namespace platform
