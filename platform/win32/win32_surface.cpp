// Surfaces on DirectDraw surfaces: fills, keyed blits, locks, palettes, device
// contexts and the flip of the screen's chain. A surface the system lost (the
// player switched away from the full screen) is restored at once and the call
// reports the loss; the game draws every frame whole, so the next one shows.
#include "platform/win32/win32_display.h"

#include <new>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/win32/win32_native.h"

namespace platform {

using win32::NativeSurface;
using win32::Refuse;

namespace {

RECT SystemRect(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

// Gives the result back, restoring the surface first when it was lost.
Result Checked(IDirectDrawSurface* surface, HRESULT result, const char* what) {
    if (result == DDERR_SURFACELOST) {
        surface->Restore();
    }
    return FAILED(result) ? Refuse(result, what) : kOk;
}

}  // namespace

void Surface::AlignedDelete::operator()(uint8_t* pixels) const {
    ::operator delete[](pixels, std::align_val_t{32});
}

// The pixels live in the system's surface; pixels_ stays empty.
Surface::Surface(DisplayDevice* device, int32_t width, int32_t height, uint32_t caps)
    : device_(device), width_(width), height_(height), pitch_(width), caps_(caps) {
    device_->AddRef();
    detail::NoteMade(detail::LiveKind::Surface);
}

Surface::~Surface() {
    IDirectDrawSurface* system = NativeSurface(native_);
    if (context_ != nullptr) {
        system->ReleaseDC(win32::NativeContext(context_));
    }
    if (palette_ != nullptr) {
        palette_->Release();
    }
    if (backBuffer_ != nullptr) {
        // The chain's back buffer belongs to the primary surface: its system
        // surface goes first, even while the game still holds the wrapper.
        backBuffer_->frontBuffer_ = nullptr;
        NativeSurface(backBuffer_->native_)->Release();
        backBuffer_->native_ = nullptr;
        backBuffer_->Release();
    }
    if (frontBuffer_ != nullptr) {
        frontBuffer_->backBuffer_ = nullptr;
    }
    if (system != nullptr) {
        system->Release();
    }
    device_->Forget(this);
    device_->Release();
    detail::NoteGone(detail::LiveKind::Surface);
}

Result Surface::Blt(const Rect* destination, Surface* /*source*/, const Rect* /*sourceRect*/,
                    uint32_t flags, const BltFx* fx) {
    if ((flags & DDBLT_COLORFILL) == 0) {
        return detail::Refuse(kErrNotImplemented, "only colour fills are offered by Blt");
    }
    if (fx == nullptr || fx->size != sizeof(BltFx)) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot fill a surface: fx must be given, its size sizeof(BltFx)");
    }
    if (native_ == nullptr) {
        return detail::Refuse(kErrSurfaceLost, "cannot fill a surface: it is gone");
    }
    DDBLTFX system{};
    system.dwSize = sizeof system;
    system.dwFillColor = fx->fillColor;
    RECT area{};
    if (destination != nullptr) {
        area = SystemRect(*destination);
    }
    IDirectDrawSurface* surface = NativeSurface(native_);
    return Checked(
        surface,
        surface->Blt(destination != nullptr ? &area : nullptr, nullptr, nullptr, flags, &system),
        "cannot fill a surface");
}

Result Surface::BltFast(uint32_t x, uint32_t y, Surface* source, const Rect* sourceRect,
                        uint32_t flags) {
    if (source == nullptr || source == this) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot blit: a blit needs another surface as source");
    }
    if (native_ == nullptr || source->native_ == nullptr) {
        return detail::Refuse(kErrSurfaceLost, "cannot blit: a surface is gone");
    }
    RECT from{};
    if (sourceRect != nullptr) {
        from = SystemRect(*sourceRect);
    }
    IDirectDrawSurface* surface = NativeSurface(native_);
    return Checked(surface,
                   surface->BltFast(x, y, NativeSurface(source->native_),
                                    sourceRect != nullptr ? &from : nullptr, flags),
                   "cannot blit");
}

Result Surface::Flip(Surface* override, uint32_t flags) {
    if (backBuffer_ == nullptr || (override != nullptr && override != backBuffer_)) {
        return detail::Refuse(kErrInvalidParams, "cannot flip: only the screen's chain flips");
    }
    IDirectDrawSurface* surface = NativeSurface(native_);
    return Checked(surface, surface->Flip(nullptr, flags), "cannot flip");
}

Result Surface::GetAttachedSurface(const SurfaceCaps* caps, Surface** attached) {
    if (attached == nullptr) {
        return detail::Refuse(kErrInvalidParams, "cannot fetch the back buffer: nowhere to put it");
    }
    *attached = nullptr;
    if (caps == nullptr || (caps->caps & DDSCAPS_BACKBUFFER) == 0 || backBuffer_ == nullptr) {
        return detail::Refuse(kErrGeneric, "cannot fetch the back buffer: this surface has none");
    }
    backBuffer_->AddRef();
    *attached = backBuffer_;
    return kOk;
}

Result Surface::Lock(const Rect* rect, SurfaceDesc* description, uint32_t flags, void* event) {
    if (rect != nullptr || description == nullptr || description->size != sizeof(SurfaceDesc)) {
        return detail::Refuse(
            kErrInvalidParams,
            "cannot lock a surface: lock it whole, with a description sized sizeof(SurfaceDesc)");
    }
    if (native_ == nullptr) {
        return detail::Refuse(kErrSurfaceLost, "cannot lock a surface: it is gone");
    }
    DDSURFACEDESC system{};
    system.dwSize = sizeof system;
    IDirectDrawSurface* surface = NativeSurface(native_);
    const Result locked =
        Checked(surface, surface->Lock(nullptr, &system, flags, static_cast<HANDLE>(event)),
                "cannot lock a surface");
    if (Failed(locked)) {
        return locked;
    }
    locked_ = true;
    description->flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
    description->width = system.dwWidth;
    description->height = system.dwHeight;
    description->pitch = static_cast<int32_t>(system.lPitch);
    description->surface = system.lpSurface;
    description->caps.caps = system.ddsCaps.dwCaps;
    pitch_ = description->pitch;
    return kOk;
}

Result Surface::Unlock(const Rect* /*rect*/) {
    if (!locked_ || native_ == nullptr) {
        return detail::Refuse(kErrGeneric, "cannot unlock a surface that is not locked");
    }
    locked_ = false;
    IDirectDrawSurface* surface = NativeSurface(native_);
    return Checked(surface, surface->Unlock(nullptr), "cannot unlock a surface");
}

Result Surface::SetColorKey(uint32_t flags, const ColorKey* key) {
    if (native_ == nullptr) {
        return detail::Refuse(kErrSurfaceLost, "cannot set a colour key: the surface is gone");
    }
    DDCOLORKEY system{};
    if (key != nullptr) {
        system.dwColorSpaceLowValue = key->lowValue;
        system.dwColorSpaceHighValue = key->highValue;
    }
    IDirectDrawSurface* surface = NativeSurface(native_);
    const Result set =
        Checked(surface, surface->SetColorKey(flags, key != nullptr ? &system : nullptr),
                "cannot set a colour key");
    if (!Failed(set)) {
        hasColorKey_ = key != nullptr;
        colorKey_ = key != nullptr ? *key : ColorKey{};
    }
    return set;
}

Result Surface::SetPalette(Palette* palette) {
    if (native_ == nullptr) {
        return detail::Refuse(kErrSurfaceLost, "cannot set a palette: the surface is gone");
    }
    IDirectDrawSurface* surface = NativeSurface(native_);
    const Result set = Checked(
        surface,
        surface->SetPalette(palette != nullptr ? win32::NativePalette(palette->native_) : nullptr),
        "cannot set a palette");
    if (Failed(set)) {
        return set;
    }
    if (palette != nullptr) {
        palette->AddRef();
    }
    if (palette_ != nullptr) {
        palette_->Release();
    }
    palette_ = palette;
    return kOk;
}

Result Surface::GetDC(DeviceContext** context) {
    if (context == nullptr) {
        return detail::Refuse(kErrInvalidParams, "cannot write text: nowhere to put the context");
    }
    *context = nullptr;
    if (native_ == nullptr) {
        return detail::Refuse(kErrSurfaceLost, "cannot write text: the surface is gone");
    }
    HDC system = nullptr;
    IDirectDrawSurface* surface = NativeSurface(native_);
    const Result got = Checked(surface, surface->GetDC(&system), "cannot write text");
    if (Failed(got)) {
        return got;
    }
    context_ = reinterpret_cast<DeviceContext*>(system);
    *context = context_;
    return kOk;
}

Result Surface::ReleaseDC(DeviceContext* context) {
    if (context == nullptr || context != context_ || native_ == nullptr) {
        return detail::Refuse(kErrInvalidParams,
                              "cannot give back a device context this surface lacks");
    }
    context_ = nullptr;
    IDirectDrawSurface* surface = NativeSurface(native_);
    return Checked(surface, surface->ReleaseDC(win32::NativeContext(context)),
                   "cannot give back a device context");
}

}  // namespace platform
