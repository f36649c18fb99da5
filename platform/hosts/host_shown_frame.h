// The frame on the screen, kept so that the next one costs only what it
// changes: most passes of play move a piece by a row and leave the rest of
// the picture as it was.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/display.h"

namespace platform::host {

// A block of the picture: columns [left, right), rows [top, bottom).
using Block = Rect;

class ShownFrame {
public:
    // Keeps the frame as the one shown and returns where it differs from the
    // one kept before, in blocks of rows from top to bottom: none when it is
    // the same, the whole frame when there was none, or its size or palette
    // changed.
    std::span<const Block> Take(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                                const PaletteEntry* palette);
    // The next frame is taken whole, as if none had been shown.
    void Forget() { kept_ = false; }

    bool Kept() const { return kept_; }
    // The kept frame's rows, without padding.
    const uint8_t* Pixels() const { return pixels_.data(); }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    const PaletteEntry* Palette() const { return palette_.data(); }

private:
    void NoteChangedRow(int32_t y, int32_t left, int32_t right);

    std::vector<uint8_t> pixels_;
    std::array<PaletteEntry, 256> palette_{};
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool kept_ = false;
    std::vector<Block> changed_;
};

}  // namespace platform::host
