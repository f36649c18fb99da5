// Palettes on DirectDraw palettes. They belong to the display device that made
// them and go with it, so releasing one only gives back a reference.
#include "platform/win32/win32_display.h"

#include "platform/api/api_failure.h"
#include "platform/win32/win32_native.h"

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
    const HRESULT set = win32::NativePalette(native_)->SetEntries(
        0, first, count, const_cast<PALETTEENTRY*>(reinterpret_cast<const PALETTEENTRY*>(entries)));
    if (FAILED(set)) {
        return win32::Refuse(set, "cannot set palette entries");
    }
    // What the system keeps, which for the first and last entry may not be
    // what was asked for.
    win32::NativePalette(native_)->GetEntries(0, 0, 256, reinterpret_cast<PALETTEENTRY*>(entries_));
    return kOk;
}

Result Palette::GetEntries(uint32_t flags, uint32_t first, uint32_t count,
                           PaletteEntry* entries) const {
    if (flags != 0 || entries == nullptr || !RangeFits(first, count)) {
        return detail::Refuse(kErrInvalidParams, "cannot read palette entries: bad range");
    }
    const HRESULT got = win32::NativePalette(native_)->GetEntries(
        0, first, count, reinterpret_cast<PALETTEENTRY*>(entries));
    return FAILED(got) ? win32::Refuse(got, "cannot read palette entries") : kOk;
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
