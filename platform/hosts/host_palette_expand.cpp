#include "platform/hosts/host_palette_expand.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

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

using detail::Stretch;

const uint8_t* SourceRow(const Stretch& job, int32_t y) {
    return job.pixels + static_cast<ptrdiff_t>(y) * job.pitch;
}

uint32_t* TargetRow(const Stretch& job, int32_t y) {
    return reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(job.out) +
                                       static_cast<ptrdiff_t>(y) * job.outPitch);
}

// The job with its part spelled out.
Stretch WithPart(Stretch job) {
    if (job.part.width <= 0 || job.part.height <= 0) {
        job.part = {0, 0, job.outWidth, job.outHeight};
    }
    return job;
}

// The picture column that output column x shows.
int32_t SourceColumn(const Stretch& job, int32_t x) {
    return static_cast<int32_t>(int64_t{x} * job.width / job.outWidth);
}

// Output rows that show the same picture row as the row above them are copies
// of it: only the first is expanded.
template <typename RowExpander>
void ExpandRows(const Stretch& job, RowExpander& expander) {
    int32_t previous = -1;
    for (int32_t row = 0; row < job.part.height; ++row) {
        const int64_t y = job.part.y + row;
        const auto sourceY = static_cast<int32_t>(y * job.height / job.outHeight);
        uint32_t* target = TargetRow(job, row);
        if (sourceY == previous) {
            std::memcpy(target, TargetRow(job, row - 1),
                        static_cast<size_t>(job.part.width) * sizeof(uint32_t));
        } else {
            expander.Expand(SourceRow(job, sourceY), target);
        }
        previous = sourceY;
    }
}

bool Always() {
    return true;
}

class OneByOne {
public:
    explicit OneByOne(const Stretch& job) : first_(job.part.x), width_(job.part.width) {
        for (int index = 0; index < 256; ++index) {
            colours_[index] = ColourOf(job.palette[index]);
        }
        if (job.outWidth != job.width) {
            columns_.resize(static_cast<size_t>(width_));
            for (int32_t x = 0; x < width_; ++x) {
                columns_[x] = SourceColumn(job, first_ + x);
            }
        }
    }

    void Expand(const uint8_t* source, uint32_t* target) const {
        if (columns_.empty()) {
            for (int32_t x = 0; x < width_; ++x) {
                target[x] = colours_[source[first_ + x]];
            }
        } else {
            for (int32_t x = 0; x < width_; ++x) {
                target[x] = colours_[source[columns_[x]]];
            }
        }
    }

private:
    int32_t first_;  // the part's first output column
    int32_t width_;
    uint32_t colours_[256];
    std::vector<int32_t> columns_;  // empty when the width is not stretched
};

void ExpandOneByOne(const Stretch& asked) {
    const Stretch job = WithPart(asked);
    OneByOne expander(job);
    ExpandRows(job, expander);
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

// The weaving works inside each 16-byte lane: the first 4 bytes of lane k end
// up as the 4 pixels of lane k of the first output register, the next 4 as
// those of the second, and so on. So byte 16k + 4j + i of the indices must
// hold output pixel 16j + 4k + i of the group, for the four registers to come
// out as pixels 0-15, 16-31, 32-47 and 48-63.
int32_t WovenPixel(int32_t byte) {
    const int32_t lane = byte / 16, quarter = byte % 16 / 4, i = byte % 4;
    return 16 * quarter + 4 * lane + i;
}

__mmask16 FirstPixels(int32_t count) {
    if (count <= 0) {
        return 0;
    }
    return count >= 16 ? static_cast<__mmask16>(0xFFFF)
                       : static_cast<__mmask16>((1u << count) - 1u);
}

// Sixteen pixels, or the first count of them at the end of a row.
GAME_WIDE_TARGET inline void StorePixels(uint32_t* target, int32_t count, __m512i pixels) {
    if (count >= 16) {
        _mm512_storeu_si512(target, pixels);
    } else {
        _mm512_mask_storeu_epi32(target, FirstPixels(count), pixels);
    }
}

__mmask64 FirstBytes(int32_t count) {
    return count >= kWideLanes ? ~__mmask64{0} : (__mmask64{1} << count) - 1u;
}

// Each group of 64 output pixels picks its indices out of the 64 picture
// pixels from the group's first source column on, through one permute that
// both stretches and weaves. A group whose pixels come from further apart
// (a picture shrunk to less than its size) cannot be done this way.
class Wide {
public:
    static bool Fits(const Stretch& job) {
        const int32_t end = job.part.x + job.part.width;
        for (int32_t first = job.part.x; first < end; first += kWideLanes) {
            const int32_t last = std::min(first + kWideLanes, end) - 1;
            if (SourceColumn(job, last) - SourceColumn(job, first) >= kWideLanes) {
                return false;
            }
        }
        return true;
    }

    explicit Wide(const Stretch& job) : job_(job) {
        for (int index = 0; index < 256; ++index) {
            blue_[index] = job.palette[index].blue;
            green_[index] = job.palette[index].green;
            red_[index] = job.palette[index].red;
        }
        const int32_t end = job.part.x + job.part.width;
        for (int32_t first = job.part.x; first < end; first += kWideLanes) {
            Group group{SourceColumn(job, first), {}};
            for (int32_t byte = 0; byte < kWideLanes; ++byte) {
                const int32_t x = first + WovenPixel(byte);
                group.picks[byte] =
                    static_cast<uint8_t>(x < end ? SourceColumn(job, x) - group.sourceColumn : 0);
            }
            groups_.push_back(group);
        }
    }

    GAME_WIDE_TARGET void Expand(const uint8_t* source, uint32_t* target) const {
        const PlaneTables blue = LoadTables(blue_);
        const PlaneTables green = LoadTables(green_);
        const PlaneTables red = LoadTables(red_);
        const __m512i opaque = _mm512_set1_epi32(-1);
        int32_t x = 0;
        for (const Group& group : groups_) {
            const __m512i loaded = _mm512_maskz_loadu_epi8(
                FirstBytes(job_.width - group.sourceColumn), source + group.sourceColumn);
            // (The unmasked permute trips GCC 12's uninitialised-value warning.)
            const __m512i indices = _mm512_maskz_permutexvar_epi8(
                ~__mmask64{0}, _mm512_loadu_si512(group.picks), loaded);
            const __mmask64 high = _mm512_movepi8_mask(indices);
            const __m512i blues = LookUp(blue, indices, high);
            const __m512i greens = LookUp(green, indices, high);
            const __m512i reds = LookUp(red, indices, high);
            const __m512i blueGreenLow = _mm512_unpacklo_epi8(blues, greens);
            const __m512i blueGreenHigh = _mm512_unpackhi_epi8(blues, greens);
            const __m512i redAlphaLow = _mm512_unpacklo_epi8(reds, opaque);
            const __m512i redAlphaHigh = _mm512_unpackhi_epi8(reds, opaque);
            const int32_t count = job_.part.width - x;
            StorePixels(target + x, count, _mm512_unpacklo_epi16(blueGreenLow, redAlphaLow));
            StorePixels(target + x + 16, count - 16,
                        _mm512_unpackhi_epi16(blueGreenLow, redAlphaLow));
            StorePixels(target + x + 32, count - 32,
                        _mm512_unpacklo_epi16(blueGreenHigh, redAlphaHigh));
            StorePixels(target + x + 48, count - 48,
                        _mm512_unpackhi_epi16(blueGreenHigh, redAlphaHigh));
            x += kWideLanes;
        }
    }

private:
    struct Group {
        int32_t sourceColumn;
        uint8_t picks[kWideLanes];  // in woven order, counted from sourceColumn
    };
    Stretch job_;
    uint8_t blue_[256], green_[256], red_[256];
    std::vector<Group> groups_;
};

void ExpandWide(const Stretch& asked) {
    const Stretch job = WithPart(asked);
    if (!Wide::Fits(job)) {
        ExpandOneByOne(job);
        return;
    }
    Wide expander(job);
    ExpandRows(job, expander);
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

const PaletteEntry* OrBlack(const PaletteEntry* palette) {
    static const PaletteEntry kBlack[256] = {};
    return palette != nullptr ? palette : kBlack;
}

}  // namespace

void ExpandThroughPalette(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                          const PaletteEntry* palette, void* out, int32_t outPitch) {
    ExpandThroughPaletteScaled(pixels, pitch, width, height, palette, out, outPitch, width, height);
}

void ExpandThroughPaletteScaled(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                                const PaletteEntry* palette, void* out, int32_t outPitch,
                                int32_t outWidth, int32_t outHeight) {
    ExpandThroughPaletteScaledPart(pixels, pitch, width, height, palette, out, outPitch, outWidth,
                                   outHeight, {0, 0, outWidth, outHeight});
}

void ExpandThroughPaletteScaledPart(const uint8_t* pixels, int32_t pitch, int32_t width,
                                    int32_t height, const PaletteEntry* palette, void* out,
                                    int32_t outPitch, int32_t outWidth, int32_t outHeight,
                                    OutputPart part) {
    if (pixels == nullptr || out == nullptr || width <= 0 || height <= 0 || outWidth <= 0 ||
        outHeight <= 0) {
        return;
    }
    // Clipped to the output block.
    const int32_t right = std::min(part.x + part.width, outWidth);
    const int32_t bottom = std::min(part.y + part.height, outHeight);
    part.x = std::max(part.x, 0);
    part.y = std::max(part.y, 0);
    part.width = right - part.x;
    part.height = bottom - part.y;
    if (part.width <= 0 || part.height <= 0) {
        return;
    }
    Fastest().expand(
        {pixels, pitch, width, height, OrBlack(palette), out, outPitch, outWidth, outHeight, part});
}

std::span<const detail::PaletteExpansion> detail::PaletteExpansions() {
    return kExpansions;
}

}  // namespace platform
