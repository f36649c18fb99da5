// A palette of 256 colours. Palettes belong to the display device that made
// them and go with it, so releasing one only gives back a reference.
#include <algorithm>

#include "platform/common/failure.h"
#include "platform/display.h"

namespace platform {
namespace {

bool RangeFits(uint32_t first, uint32_t count) {
    return first <= 256 && count <= 256 - first;
}

}  // namespace

Result Palette::SetEntries(uint32_t flags, uint32_t first, uint32_t count,
                           const PaletteEntry* entries) {
    if (flags != 0 || entries == nullptr || !RangeFits(first, count)) {
        return detail::Refuse(kErrInvalidParams, "cannot set palette entries: bad range");
    }
    std::copy_n(entries, count, entries_ + first);
    if (systemEnds_) {
        entries_[0] = PaletteEntry{0, 0, 0, 0};
        entries_[255] = PaletteEntry{255, 255, 255, 0};
    }
    return kOk;
}

Result Palette::GetEntries(uint32_t flags, uint32_t first, uint32_t count,
                           PaletteEntry* entries) const {
    if (flags != 0 || entries == nullptr || !RangeFits(first, count)) {
        return detail::Refuse(kErrInvalidParams, "cannot read palette entries: bad range");
    }
    std::copy_n(entries_ + first, count, entries);
    return kOk;
}

uint32_t Palette::AddRef() {
    return ++references_;
}

uint32_t Palette::Release() {
    if (references_ > 0) {
        --references_;
    }
    return references_;
}

}  // namespace platform
