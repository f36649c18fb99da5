#include "platform/common/pixel_rows.h"

#include <cstring>

namespace platform::detail {
namespace {

// Sixteen pixels at a time through the compiler's portable vector types: SSE2
// on x86-64, NEON on ARM.
using Pixels16 = uint8_t __attribute__((vector_size(16)));
constexpr int32_t kLanes = 16;

Pixels16 Load(const uint8_t* from) {
    Pixels16 pixels;
    std::memcpy(&pixels, from, sizeof pixels);
    return pixels;
}

void Store(uint8_t* to, Pixels16 pixels) {
    std::memcpy(to, &pixels, sizeof pixels);
}

Pixels16 Splat(uint8_t value) {
    Pixels16 pixels;
    for (int lane = 0; lane < kLanes; ++lane) {
        pixels[lane] = value;
    }
    return pixels;
}

// The key test in both forms: one pixel, and a lane mask (all ones where the
// pixel is in the key range).
struct SingleKey {
    uint8_t key;
    Pixels16 keys;
    explicit SingleKey(uint8_t value) : key(value), keys(Splat(value)) {}
    bool Skips(uint8_t pixel) const { return pixel == key; }
    Pixels16 Mask(Pixels16 pixels) const { return reinterpret_cast<Pixels16>(pixels == keys); }
};

struct KeyRange {
    uint8_t low;
    uint8_t span;
    Pixels16 lows;
    Pixels16 spans;
    KeyRange(uint8_t first, uint8_t last)
        : low(first),
          span(static_cast<uint8_t>(last - first)),
          lows(Splat(first)),
          spans(Splat(span)) {}
    bool Skips(uint8_t pixel) const { return static_cast<uint8_t>(pixel - low) <= span; }
    Pixels16 Mask(Pixels16 pixels) const {
        return reinterpret_cast<Pixels16>(static_cast<Pixels16>(pixels - lows) <= spans);
    }
};

template <typename Key>
void CopyRowKeyed(uint8_t* to, const uint8_t* from, int32_t width, const Key& key) {
    if (width < kLanes) {
        for (int32_t x = 0; x < width; ++x) {
            if (!key.Skips(from[x])) {
                to[x] = from[x];
            }
        }
        return;
    }
    const auto blend = [&](int32_t x) {
        const Pixels16 source = Load(from + x);
        const Pixels16 keep = key.Mask(source);
        return (Load(to + x) & keep) | (source & ~keep);
    };
    // The last pixels are one group that overlaps the one before it. It is
    // blended from the row as it was, before any group is stored: the pixels
    // they share come out the same either way, and reading back pixels just
    // stored in part would stall the processor.
    const int32_t lastGroup = width - kLanes;
    const Pixels16 last = blend(lastGroup);
    for (int32_t x = 0; x < lastGroup; x += kLanes) {
        Store(to + x, blend(x));
    }
    Store(to + lastGroup, last);
}

template <typename Key>
void CopyKeyed(PixelBlock destination, ConstPixelBlock source, const Key& key) {
    uint8_t* to = destination.first;
    const uint8_t* from = source.first;
    for (int32_t y = 0; y < destination.height; ++y) {
        CopyRowKeyed(to, from, destination.width, key);
        to += destination.pitch;
        from += source.pitch;
    }
}

}  // namespace

int32_t PitchFor(int32_t width) {
    return (width / 32 + 1) * 32;
}

void FillBlock(PixelBlock destination, uint8_t colour) {
    uint8_t* row = destination.first;
    for (int32_t y = 0; y < destination.height; ++y) {
        std::memset(row, colour, static_cast<size_t>(destination.width));
        row += destination.pitch;
    }
}

void CopyBlock(PixelBlock destination, ConstPixelBlock source) {
    uint8_t* to = destination.first;
    const uint8_t* from = source.first;
    for (int32_t y = 0; y < destination.height; ++y) {
        std::memcpy(to, from, static_cast<size_t>(destination.width));
        to += destination.pitch;
        from += source.pitch;
    }
}

void CopyBlockKeyed(PixelBlock destination, ConstPixelBlock source, uint8_t low, uint8_t high) {
    if (low == high) {
        CopyKeyed(destination, source, SingleKey(low));
    } else {
        CopyKeyed(destination, source, KeyRange(low, high));
    }
}

}  // namespace platform::detail
