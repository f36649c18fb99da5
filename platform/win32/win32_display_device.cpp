// The display device on DirectDraw: the exclusive full-screen mode, the flip
// chain, off-screen surfaces and palettes.
#include "platform/win32/win32_display.h"

#include "platform/driver/driver.h"
#include "platform/win32/win32_native.h"

namespace platform::driver {
namespace {

using win32::DisplayObject;
using win32::PaletteObject;
using win32::Refuse;

DisplayObject& Display(Native display) {
    return *static_cast<DisplayObject*>(display);
}

// Off-screen surfaces hold the game's pictures, which are drawn once: in
// system memory they are never lost when the player switches away, and they
// are 8-bit whatever the mode was when they were made.
DDSURFACEDESC OffscreenDescription(uint32_t width, uint32_t height) {
    DDSURFACEDESC system{};
    system.dwSize = sizeof system;
    system.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    system.dwWidth = width;
    system.dwHeight = height;
    system.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    system.ddpfPixelFormat.dwSize = sizeof system.ddpfPixelFormat;
    system.ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_PALETTEINDEXED8;
    system.ddpfPixelFormat.dwRGBBitCount = 8;
    return system;
}

DDSURFACEDESC PrimaryDescription() {
    DDSURFACEDESC system{};
    system.dwSize = sizeof system;
    system.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    system.dwBackBufferCount = 1;
    system.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    return system;
}

}  // namespace

Result OpenDisplay(Native* display) {
    IDirectDraw* system = nullptr;
    const HRESULT made = DirectDrawCreate(nullptr, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "cannot open the display");
    }
    *display = new DisplayObject{system};
    return kOk;
}

void CloseDisplay(Native display) {
    DisplayObject& object = Display(display);
    if (object.modeSet) {
        object.system->RestoreDisplayMode();
    }
    if (object.window != nullptr) {
        object.system->SetCooperativeLevel(object.window, DDSCL_NORMAL);
    }
    object.system->Release();
    delete &object;
}

Result SetCooperativeLevel(Native display, WindowHandle window, uint32_t flags) {
    const HRESULT set = Display(display).system->SetCooperativeLevel(win32::Native(window), flags);
    if (FAILED(set)) {
        return Refuse(set, "cannot take the screen");
    }
    Display(display).window = win32::Native(window);
    return kOk;
}

Result SetDisplayMode(Native display, uint32_t width, uint32_t height, uint32_t bits) {
    const HRESULT set = Display(display).system->SetDisplayMode(width, height, bits);
    if (FAILED(set)) {
        return Refuse(set, "cannot set the display mode 640 x 480 x 8");
    }
    Display(display).modeSet = true;
    return kOk;
}

Result WaitForVerticalBlank(Native display) {
    const HRESULT waited =
        Display(display).system->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
    return FAILED(waited) ? Refuse(waited, "cannot wait for the screen") : kOk;
}

Result CreateFlipChain(Native display, Native* front, Native* back) {
    DDSURFACEDESC description = PrimaryDescription();
    IDirectDrawSurface* made = nullptr;
    const HRESULT created = Display(display).system->CreateSurface(&description, &made, nullptr);
    if (FAILED(created)) {
        return Refuse(created, "cannot make the screen surfaces");
    }
    IDirectDrawSurface* attached = nullptr;
    DDSCAPS backCaps{};
    backCaps.dwCaps = DDSCAPS_BACKBUFFER;
    const HRESULT got = made->GetAttachedSurface(&backCaps, &attached);
    if (FAILED(got)) {
        made->Release();
        return Refuse(got, "cannot make the screen surfaces");
    }
    *front = made;
    *back = attached;
    return kOk;
}

Result FetchBackBuffer(Native /*front*/) {
    return kOk;  // fetched with the chain
}

Result CreateSurface(Native display, uint32_t width, uint32_t height, Native* surface) {
    DDSURFACEDESC description = OffscreenDescription(width, height);
    IDirectDrawSurface* made = nullptr;
    const HRESULT created = Display(display).system->CreateSurface(&description, &made, nullptr);
    if (FAILED(created)) {
        return Refuse(created, "cannot make an off-screen surface");
    }
    *surface = made;
    return kOk;
}

Result CreatePalette(Native display, bool all256, const PaletteEntry* entries, Native* palette) {
    IDirectDrawPalette* system = nullptr;
    const HRESULT created = Display(display).system->CreatePalette(
        DDPCAPS_8BIT | (all256 ? DDPCAPS_ALLOW256 : 0),
        const_cast<PALETTEENTRY*>(reinterpret_cast<const PALETTEENTRY*>(entries)), &system,
        nullptr);
    if (FAILED(created)) {
        return Refuse(created, "cannot make a palette");
    }
    auto* made = new PaletteObject{system};
    system->GetEntries(0, 0, 256, reinterpret_cast<PALETTEENTRY*>(made->entries));
    *palette = made;
    return kOk;
}

void ReleasePalette(Native palette) {
    win32::NativePalette(palette)->system->Release();
    delete win32::NativePalette(palette);
}

Result SetPaletteEntries(Native palette, uint32_t first, uint32_t count,
                         const PaletteEntry* entries) {
    PaletteObject& object = *win32::NativePalette(palette);
    const HRESULT set = object.system->SetEntries(
        0, first, count, const_cast<PALETTEENTRY*>(reinterpret_cast<const PALETTEENTRY*>(entries)));
    if (FAILED(set)) {
        return Refuse(set, "cannot set palette entries");
    }
    object.system->GetEntries(0, 0, 256, reinterpret_cast<PALETTEENTRY*>(object.entries));
    return kOk;
}

const PaletteEntry* PaletteEntries(Native palette) {
    return win32::NativePalette(palette)->entries;
}

}  // namespace platform::driver
