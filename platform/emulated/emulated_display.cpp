// The emulated display device and its palettes: the screen is the host's.
#include "platform/emulated/emulated_display.h"

#include <algorithm>

#include "platform/api/api_failure.h"
#include "platform/driver/driver.h"
#include "platform/hosts/host.h"

namespace platform::driver {

using detail::Refuse;
using emulated::DisplayObject;
using emulated::PaletteObject;

Result OpenDisplay(Native* display) {
    if (host::Fails(Fault::CreateDisplay)) {
        return Refuse(kErrNoDevice, "cannot open the display: no display device");
    }
    *display = new DisplayObject;
    return kOk;
}

void CloseDisplay(Native display) {
    auto* object = static_cast<DisplayObject*>(display);
    if (object->holdsScreen) {
        host::CloseScreen();
    }
    delete object;
}

Result SetCooperativeLevel(Native /*display*/, WindowHandle /*window*/, uint32_t /*flags*/) {
    return kOk;
}

Result SetDisplayMode(Native display, uint32_t width, uint32_t height, uint32_t /*bits*/) {
    if (host::Fails(Fault::SetDisplayMode)) {
        return Refuse(kErrGeneric, "cannot set the display mode: the screen refused 640 x 480");
    }
    auto* object = static_cast<DisplayObject*>(display);
    if (!object->holdsScreen) {
        if (!host::OpenScreen(static_cast<int32_t>(width), static_cast<int32_t>(height))) {
            return kErrNoDevice;  // the host has said why
        }
        object->holdsScreen = true;
    }
    return kOk;
}

Result WaitForVerticalBlank(Native /*display*/) {
    // Presenting already keeps to the screen's refresh; there is nothing to wait for.
    return kOk;
}

Result CreatePalette(Native /*display*/, bool all256, const PaletteEntry* entries,
                     Native* palette) {
    if (host::Fails(Fault::CreatePalette)) {
        return Refuse(kErrOutOfMemory, "cannot make a palette: out of memory");
    }
    auto* made = new PaletteObject;
    made->systemEnds = !all256;
    SetPaletteEntries(made, 0, 256, entries);
    *palette = made;
    return kOk;
}

void ReleasePalette(Native palette) {
    delete static_cast<PaletteObject*>(palette);
}

Result SetPaletteEntries(Native palette, uint32_t first, uint32_t count,
                         const PaletteEntry* entries) {
    auto* object = static_cast<PaletteObject*>(palette);
    std::copy_n(entries, count, object->entries + first);
    if (object->systemEnds) {
        object->entries[0] = PaletteEntry{0, 0, 0, 0};
        object->entries[255] = PaletteEntry{255, 255, 255, 0};
    }
    return kOk;
}

const PaletteEntry* PaletteEntries(Native palette) {
    return static_cast<const PaletteObject*>(palette)->entries;
}

}  // namespace platform::driver
