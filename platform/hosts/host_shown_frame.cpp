#include "platform/hosts/host_shown_frame.h"

#include <algorithm>
#include <cstring>

namespace platform::host {
namespace {

// Changed rows this close together go into one block: every block costs a
// request to the window system, a few unchanged rows between two changes cost
// less than that.
constexpr int32_t kJoinedGap = 8;
// Past this many blocks the frame changed all over, and one block around them
// all costs less than the requests.
constexpr size_t kMostBlocks = 16;

// The columns [left, right) between the first and the last difference of two
// rows that differ.
void ChangedColumns(const uint8_t* kept, const uint8_t* row, int32_t width, int32_t& left,
                    int32_t& right) {
    left = 0;
    while (left < width && kept[left] == row[left]) {
        ++left;
    }
    right = width;
    while (right > left && kept[right - 1] == row[right - 1]) {
        --right;
    }
}

}  // namespace

void ShownFrame::NoteChangedRow(int32_t y, int32_t left, int32_t right) {
    if (!changed_.empty() && y - changed_.back().bottom < kJoinedGap) {
        Block& block = changed_.back();
        block.left = std::min(block.left, left);
        block.right = std::max(block.right, right);
        block.bottom = y + 1;
        return;
    }
    changed_.push_back({left, y, right, y + 1});
}

std::span<const Block> ShownFrame::Take(const uint8_t* pixels, int32_t pitch, int32_t width,
                                        int32_t height, const PaletteEntry* palette) {
    changed_.clear();
    const bool whole = !kept_ || width != width_ || height != height_ ||
                       std::memcmp(palette, palette_.data(), sizeof palette_) != 0;
    const auto rowBytes = static_cast<size_t>(width);
    pixels_.resize(rowBytes * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* kept = pixels_.data() + static_cast<size_t>(y) * rowBytes;
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        if (whole) {
            std::memcpy(kept, row, rowBytes);
        } else if (std::memcmp(kept, row, rowBytes) != 0) {
            int32_t left = 0;
            int32_t right = 0;
            ChangedColumns(kept, row, width, left, right);
            NoteChangedRow(y, left, right);
            std::memcpy(kept + left, row + left, static_cast<size_t>(right - left));
        }
    }
    if (whole) {
        changed_.push_back({0, 0, width, height});
    } else if (changed_.size() > kMostBlocks) {
        Block around = changed_.front();
        for (const Block& block : changed_) {
            around.left = std::min(around.left, block.left);
            around.right = std::max(around.right, block.right);
        }
        around.bottom = changed_.back().bottom;
        changed_.assign(1, around);
    }
    std::memcpy(palette_.data(), palette, sizeof palette_);
    width_ = width;
    height_ = height;
    kept_ = true;
    return changed_;
}

}  // namespace platform::host
