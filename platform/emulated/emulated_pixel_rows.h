// The pixel work behind the display's surfaces: the row layout, colour fill
// and the copies of BltFast.
#pragma once

#include <cstdint>
#include <span>

namespace platform::detail {

// Bytes from one surface row to the next: the width rounded up to a multiple
// of 32, plus 32 more when the width is already a multiple. Every row is thus
// 32-byte aligned and always wider than the picture, so code that steps rows
// by the width instead of the pitch shows at once.
int32_t PitchFor(int32_t width);

// A block of rows: the first pixel, the distance between rows, and the size.
struct PixelBlock {
    uint8_t* first;
    int32_t pitch;
    int32_t width;
    int32_t height;
};

struct ConstPixelBlock {
    const uint8_t* first;
    int32_t pitch;
};

void FillBlock(PixelBlock destination, uint8_t colour);

// Copies source rows over the destination block's size. The two blocks must
// not overlap.
void CopyBlock(PixelBlock destination, ConstPixelBlock source);

// The same, leaving out every source pixel p with low <= p <= high: there the
// destination keeps its pixel.
void CopyBlockKeyed(PixelBlock destination, ConstPixelBlock source, uint8_t low, uint8_t high);

// One way of doing the keyed copy. CopyBlockKeyed takes the fastest one the
// processor can run; each must give the same pixels as every other.
struct KeyedCopy {
    const char* name;
    bool (*runsHere)();
    void (*copy)(PixelBlock destination, ConstPixelBlock source, uint8_t low, uint8_t high);
};

// Every way, the portable one first.
std::span<const KeyedCopy> KeyedCopies();

}  // namespace platform::detail
