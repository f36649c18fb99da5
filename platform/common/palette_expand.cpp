#include "platform/common/palette_expand.h"

#include <array>
#include <cstddef>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace platform {
namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t ColourOf(const PaletteEntry& entry) {
    return kOpaque | static_cast<uint32_t>(entry.red) << 16 |
           static_cast<uint32_t>(entry.green) << 8 | entry.blue;
}

const uint8_t* SourceRow(const uint8_t* pixels, int32_t pitch, int32_t y) {
    return pixels + static_cast<ptrdiff_t>(y) * pitch;
}

uint32_t* TargetRow(void* out, int32_t outPitch, int32_t y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(out) +
                                       static_cast<ptrdiff_t>(y) * outPitch);
}

bool Always() {
    return true;
}

void ExpandOneByOne(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                    const PaletteEntry* palette, void* out, int32_t outPitch) {
    uint32_t colours[256];
    for (int index = 0; index < 256; ++index) {
        colours[index] = ColourOf(palette[index]);
    }
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = SourceRow(pixels, pitch, y);
        uint32_t* target = TargetRow(out, outPitch, y);
        for (int32_t x = 0; x < width; ++x) {
            target[x] = colours[source[x]];
        }
    }
}

#if defined(__x86_64__)

// Byte permutes of 64 lanes (AVX-512 VBMI) look up 64 pixels at once in a
// table of 128 bytes held in two registers. The palette is split into a table
// of blues, one of greens and one of reds, each made of two such halves that
// the index's top bit chooses between. The three results are then woven into
// 32-bit pixels.
#define GAME_WIDE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi")))

bool WideRunsHere() {
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512vbmi");
}

constexpr int32_t kWideLanes = 64;

struct PlaneTables {
    __m512i lowA, lowB, highA, highB;
};

GAME_WIDE_TARGET PlaneTables LoadTables(const uint8_t (&plane)[256]) {
    return {_mm512_loadu_si512(plane), _mm512_loadu_si512(plane + 64),
            _mm512_loadu_si512(plane + 128), _mm512_loadu_si512(plane + 192)};
}

GAME_WIDE_TARGET __m512i LookUp(const PlaneTables& table, __m512i indices, __mmask64 high) {
    const __m512i low = _mm512_permutex2var_epi8(table.lowA, indices, table.lowB);
    const __m512i upper = _mm512_permutex2var_epi8(table.highA, indices, table.highB);
    return _mm512_mask_blend_epi8(high, low, upper);
}

// The weaving below works inside each 16-byte lane: the first 4 bytes of lane
// k end up as the 4 pixels of lane k of the first output register, the next 4
// as those of the second, and so on. Reordering the indices first makes the
// four registers come out as pixels 0-15, 16-31, 32-47 and 48-63: byte
// 16k + 4j + i takes pixel 16j + 4k + i.
GAME_WIDE_TARGET __m512i WeaveOrder() {
    alignas(64) uint8_t order[kWideLanes];
    for (int lane = 0; lane < 4; ++lane) {
        for (int group = 0; group < 4; ++group) {
            for (int i = 0; i < 4; ++i) {
                order[16 * lane + 4 * group + i] = static_cast<uint8_t>(16 * group + 4 * lane + i);
            }
        }
    }
    return _mm512_load_si512(order);
}

__mmask16 FirstPixels(int32_t count) {
    if (count <= 0) {
        return 0;
    }
    return count >= 16 ? static_cast<__mmask16>(0xFFFF)
                       : static_cast<__mmask16>((1u << count) - 1u);
}

struct WideTables {
    PlaneTables blue, green, red;
    __m512i order;
    __m512i opaque;
};

GAME_WIDE_TARGET void ExpandGroup(const WideTables& tables, const uint8_t* source, uint32_t* target,
                                  int32_t count) {
    const __mmask64 present = count >= kWideLanes ? ~__mmask64{0} : (__mmask64{1} << count) - 1u;
    const __m512i loaded = _mm512_maskz_loadu_epi8(present, source);
    // (The unmasked form trips GCC 12's uninitialised-value warning.)
    const __m512i indices = _mm512_maskz_permutexvar_epi8(~__mmask64{0}, tables.order, loaded);
    const __mmask64 high = _mm512_movepi8_mask(indices);
    const __m512i blue = LookUp(tables.blue, indices, high);
    const __m512i green = LookUp(tables.green, indices, high);
    const __m512i red = LookUp(tables.red, indices, high);
    const __m512i blueGreenLow = _mm512_unpacklo_epi8(blue, green);
    const __m512i blueGreenHigh = _mm512_unpackhi_epi8(blue, green);
    const __m512i redAlphaLow = _mm512_unpacklo_epi8(red, tables.opaque);
    const __m512i redAlphaHigh = _mm512_unpackhi_epi8(red, tables.opaque);
    const __m512i quarters[4] = {_mm512_unpacklo_epi16(blueGreenLow, redAlphaLow),
                                 _mm512_unpackhi_epi16(blueGreenLow, redAlphaLow),
                                 _mm512_unpacklo_epi16(blueGreenHigh, redAlphaHigh),
                                 _mm512_unpackhi_epi16(blueGreenHigh, redAlphaHigh)};
    if (count >= kWideLanes) {
        for (int quarter = 0; quarter < 4; ++quarter) {
            _mm512_storeu_si512(target + 16 * quarter, quarters[quarter]);
        }
        return;
    }
    for (int quarter = 0; quarter < 4; ++quarter) {
        _mm512_mask_storeu_epi32(target + 16 * quarter, FirstPixels(count - 16 * quarter),
                                 quarters[quarter]);
    }
}

GAME_WIDE_TARGET void ExpandWide(const uint8_t* pixels, int32_t pitch, int32_t width,
                                 int32_t height, const PaletteEntry* palette, void* out,
                                 int32_t outPitch) {
    uint8_t blue[256], green[256], red[256];
    for (int index = 0; index < 256; ++index) {
        blue[index] = palette[index].blue;
        green[index] = palette[index].green;
        red[index] = palette[index].red;
    }
    const WideTables tables{LoadTables(blue), LoadTables(green), LoadTables(red), WeaveOrder(),
                            _mm512_set1_epi32(-1)};
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = SourceRow(pixels, pitch, y);
        uint32_t* target = TargetRow(out, outPitch, y);
        for (int32_t x = 0; x < width; x += kWideLanes) {
            ExpandGroup(tables, source + x, target + x, width - x);
        }
    }
}

#undef GAME_WIDE_TARGET

#endif

constexpr std::array kExpansions {
    detail::PaletteExpansion{"one_pixel_at_a_time", &Always, &ExpandOneByOne},
#if defined(__x86_64__)
        detail::PaletteExpansion{"64_pixels_at_a_time_avx512vbmi", &WideRunsHere, &ExpandWide},
#endif
};

const detail::PaletteExpansion& Fastest() {
    static const detail::PaletteExpansion& chosen = [&]() -> const detail::PaletteExpansion& {
        for (auto way = kExpansions.rbegin(); way != kExpansions.rend(); ++way) {
            if (way->runsHere()) {
                return *way;
            }
        }
        return kExpansions.front();
    }();
    return chosen;
}

}  // namespace

void ExpandThroughPalette(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                          const PaletteEntry* palette, void* out, int32_t outPitch) {
    static const PaletteEntry kBlack[256] = {};
    Fastest().expand(pixels, pitch, width, height, palette != nullptr ? palette : kBlack, out,
                     outPitch);
}

std::span<const detail::PaletteExpansion> detail::PaletteExpansions() {
    return kExpansions;
}

}  // namespace platform
