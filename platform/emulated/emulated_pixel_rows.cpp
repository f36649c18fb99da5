#include "platform/emulated/emulated_pixel_rows.h"

#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

void CopyBlockKeyedBy16(PixelBlock destination, ConstPixelBlock source, uint8_t low, uint8_t high) {
    if (low == high) {
        CopyKeyed(destination, source, SingleKey(low));
    } else {
        CopyKeyed(destination, source, KeyRange(low, high));
    }
}

bool Always() {
    return true;
}

#if defined(__x86_64__)

// With AVX-512 a row is blended 64 pixels at a time, the key test giving the
// blend's lane mask directly. The last group overlaps the one before it, as in
// CopyRowKeyed. Rows narrower than 64 stay with the 16-pixel code: masked
// stores would serve them, but cost more than they save.
#define GAME_WIDE_TARGET __attribute__((target("avx512f,avx512bw")))

bool WideRunsHere() {
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw");
}

constexpr int32_t kWideLanes = 64;

template <bool kRange>
GAME_WIDE_TARGET __m512i BlendWide(const uint8_t* to, const uint8_t* from, __m512i lows,
                                   __m512i spans) {
    const __m512i pixels = _mm512_loadu_si512(from);
    const __mmask64 shown = kRange ? _mm512_cmpgt_epu8_mask(_mm512_sub_epi8(pixels, lows), spans)
                                   : _mm512_cmpneq_epi8_mask(pixels, lows);
    return _mm512_mask_blend_epi8(shown, _mm512_loadu_si512(to), pixels);
}

template <bool kRange>
GAME_WIDE_TARGET void CopyKeyedWide(PixelBlock destination, ConstPixelBlock source, uint8_t low,
                                    uint8_t high) {
    const __m512i lows = _mm512_set1_epi8(static_cast<char>(low));
    const __m512i spans = _mm512_set1_epi8(static_cast<char>(high - low));
    const int32_t lastGroup = destination.width - kWideLanes;
    uint8_t* to = destination.first;
    const uint8_t* from = source.first;
    for (int32_t y = 0; y < destination.height; ++y) {
        const __m512i last = BlendWide<kRange>(to + lastGroup, from + lastGroup, lows, spans);
        for (int32_t x = 0; x < lastGroup; x += kWideLanes) {
            _mm512_storeu_si512(to + x, BlendWide<kRange>(to + x, from + x, lows, spans));
        }
        _mm512_storeu_si512(to + lastGroup, last);
        to += destination.pitch;
        from += source.pitch;
    }
}

#undef GAME_WIDE_TARGET

void CopyBlockKeyedBy64(PixelBlock destination, ConstPixelBlock source, uint8_t low, uint8_t high) {
    if (destination.width < kWideLanes) {
        CopyBlockKeyedBy16(destination, source, low, high);
    } else if (low == high) {
        CopyKeyedWide<false>(destination, source, low, high);
    } else {
        CopyKeyedWide<true>(destination, source, low, high);
    }
}

#endif

constexpr std::array kKeyedCopies {
    KeyedCopy{"16_pixels_at_a_time", &Always, &CopyBlockKeyedBy16},
#if defined(__x86_64__)
        KeyedCopy{"64_pixels_at_a_time_avx512bw", &WideRunsHere, &CopyBlockKeyedBy64},
#endif
};

const KeyedCopy& FastestKeyedCopy() {
    static const KeyedCopy& chosen = [&]() -> const KeyedCopy& {
        for (auto way = kKeyedCopies.rbegin(); way != kKeyedCopies.rend(); ++way) {
            if (way->runsHere()) {
                return *way;
            }
        }
        return kKeyedCopies.front();
    }();
    return chosen;
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
    FastestKeyedCopy().copy(destination, source, low, high);
}

std::span<const KeyedCopy> KeyedCopies() {
    return kKeyedCopies;
}

}  // namespace platform::detail
