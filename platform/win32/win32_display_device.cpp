// The display device on DirectDraw: the exclusive full-screen mode, the flip
// chain, off-screen surfaces and palettes.
#include "platform/win32/win32_display.h"

#include <vector>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/win32/win32_native.h"

namespace platform {

using win32::Refuse;

struct DisplayDevice::State {
    IDirectDraw* system = nullptr;
    HWND window = nullptr;
    bool modeSet = false;
    Surface* primary = nullptr;  // not a reference: the primary clears it when it goes
    std::vector<Palette*> palettes;
};

namespace {

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

DDSURFACEDESC PrimaryDescription(const SurfaceDesc& description) {
    DDSURFACEDESC system{};
    system.dwSize = sizeof system;
    system.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    system.dwBackBufferCount = description.backBufferCount;
    system.ddsCaps.dwCaps = description.caps.caps;
    return system;
}

}  // namespace

Result CreateDisplay(const void* driver, DisplayDevice** device, void* outer) {
    if (device == nullptr) {
        return detail::Refuse(kErrInvalidParams, "cannot open the display: nowhere to put it");
    }
    *device = nullptr;
    if (driver != nullptr || outer != nullptr) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot open the display: only the default one exists");
    }
    IDirectDraw* system = nullptr;
    const HRESULT made = DirectDrawCreate(nullptr, &system, nullptr);
    if (FAILED(made)) {
        return Refuse(made, "cannot open the display");
    }
    auto* created = new DisplayDevice();
    created->state_ = std::make_unique<DisplayDevice::State>();
    created->state_->system = system;
    detail::NoteMade(detail::LiveKind::DisplayDevice);
    *device = created;
    return kOk;
}

DisplayDevice::~DisplayDevice() {
    for (Palette* palette : state_->palettes) {
        win32::NativePalette(palette->native_)->Release();
        delete palette;
        detail::NoteGone(detail::LiveKind::Palette);
    }
    IDirectDraw* system = state_->system;
    if (state_->modeSet) {
        system->RestoreDisplayMode();
    }
    if (state_->window != nullptr) {
        system->SetCooperativeLevel(state_->window, DDSCL_NORMAL);
    }
    system->Release();
    detail::NoteGone(detail::LiveKind::DisplayDevice);
}

void DisplayDevice::Forget(const Surface* surface) {
    if (state_->primary == surface) {
        state_->primary = nullptr;
    }
}

Result DisplayDevice::SetCooperativeLevel(WindowHandle window, uint32_t flags) {
    const HRESULT set = state_->system->SetCooperativeLevel(win32::Native(window), flags);
    if (FAILED(set)) {
        return Refuse(set, "cannot take the screen");
    }
    state_->window = win32::Native(window);
    return kOk;
}

Result DisplayDevice::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    const HRESULT set = state_->system->SetDisplayMode(width, height, bitsPerPixel);
    if (FAILED(set)) {
        return Refuse(set, "cannot set the display mode 640 x 480 x 8");
    }
    state_->modeSet = true;
    return kOk;
}

Result DisplayDevice::CreateSurface(const SurfaceDesc* description, Surface** surface,
                                    void* outer) {
    if (surface == nullptr) {
        return detail::Refuse(kErrInvalidParams, "cannot make a surface: nowhere to put it");
    }
    *surface = nullptr;
    if (description == nullptr || description->size != sizeof(SurfaceDesc) || outer != nullptr) {
        return detail::Refuse(
            kErrInvalidParams,
            "cannot make a surface: the description's size must be sizeof(SurfaceDesc)");
    }
    const uint32_t caps = description->caps.caps;
    const bool primary = (caps & DDSCAPS_PRIMARYSURFACE) != 0;
    if (!primary && (caps & DDSCAPS_OFFSCREENPLAIN) == 0) {
        return detail::Refuse(kErrInvalidParams, "cannot make a surface: unknown kind");
    }
    if (primary && state_->primary != nullptr) {
        return detail::Refuse(kErrGeneric, "cannot make the screen surfaces: they exist already");
    }
    DDSURFACEDESC system = primary ? PrimaryDescription(*description)
                                   : OffscreenDescription(description->width, description->height);
    if (!primary &&
        (description->flags & (DDSD_WIDTH | DDSD_HEIGHT)) != (DDSD_WIDTH | DDSD_HEIGHT)) {
        return detail::Refuse(kErrInvalidParams, "cannot make an off-screen surface: bad size");
    }
    IDirectDrawSurface* made = nullptr;
    const HRESULT created = state_->system->CreateSurface(&system, &made, nullptr);
    if (FAILED(created)) {
        return Refuse(created, primary ? "cannot make the screen surfaces"
                                       : "cannot make an off-screen surface");
    }
    DDSURFACEDESC shape{};
    shape.dwSize = sizeof shape;
    made->GetSurfaceDesc(&shape);
    auto* wrapped = new Surface(this, static_cast<int32_t>(shape.dwWidth),
                                static_cast<int32_t>(shape.dwHeight), shape.ddsCaps.dwCaps);
    wrapped->pitch_ = static_cast<int32_t>(shape.lPitch);
    wrapped->native_ = made;
    if (primary) {
        state_->primary = wrapped;
        IDirectDrawSurface* back = nullptr;
        DDSCAPS backCaps{};
        backCaps.dwCaps = DDSCAPS_BACKBUFFER;
        if (SUCCEEDED(made->GetAttachedSurface(&backCaps, &back))) {
            wrapped->backBuffer_ = new Surface(this, wrapped->width_, wrapped->height_,
                                               DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
            wrapped->backBuffer_->pitch_ = wrapped->pitch_;
            wrapped->backBuffer_->native_ = back;
            wrapped->backBuffer_->frontBuffer_ = wrapped;
        }
    }
    *surface = wrapped;
    return kOk;
}

Result DisplayDevice::CreatePalette(uint32_t flags, const PaletteEntry* entries, Palette** palette,
                                    void* outer) {
    if (palette == nullptr) {
        return detail::Refuse(kErrInvalidParams, "cannot make a palette: nowhere to put it");
    }
    *palette = nullptr;
    if (entries == nullptr || outer != nullptr) {
        return detail::Refuse(kErrInvalidParams, "cannot make a palette: only 256 given colours");
    }
    IDirectDrawPalette* system = nullptr;
    const HRESULT created = state_->system->CreatePalette(
        flags, const_cast<PALETTEENTRY*>(reinterpret_cast<const PALETTEENTRY*>(entries)), &system,
        nullptr);
    if (FAILED(created)) {
        return Refuse(created, "cannot make a palette");
    }
    auto* made = new Palette();
    made->native_ = system;
    system->GetEntries(0, 0, 256, reinterpret_cast<PALETTEENTRY*>(made->entries_));
    state_->palettes.push_back(made);
    detail::NoteMade(detail::LiveKind::Palette);
    *palette = made;
    return kOk;
}

Result DisplayDevice::WaitForVerticalBlank(uint32_t flags, void* event) {
    const HRESULT waited = state_->system->WaitForVerticalBlank(flags, static_cast<HANDLE>(event));
    return FAILED(waited) ? Refuse(waited, "cannot wait for the screen") : kOk;
}

}  // namespace platform
