// Surfaces: their pixels, locks, colour keys, palettes, device contexts and
// the flip of the screen's chain.
#include <cstring>
#include <new>
#include <utility>

#include "platform/backend.h"
#include "platform/common/device_context.h"
#include "platform/common/failure.h"
#include "platform/common/live_objects.h"
#include "platform/common/pixel_rows.h"
#include "platform/display.h"

namespace platform {

using detail::Refuse;

namespace {

constexpr std::align_val_t kRowAlignment{32};

const PaletteEntry* BlackPalette() {
    static const PaletteEntry black[256] = {};
    return black;
}

}  // namespace

void Surface::AlignedDelete::operator()(uint8_t* pixels) const {
    ::operator delete[](pixels, kRowAlignment);
}

Surface::Surface(DisplayDevice* device, int32_t width, int32_t height, uint32_t caps)
    : device_(device),
      width_(width),
      height_(height),
      pitch_(detail::PitchFor(width)),
      caps_(caps) {
    const auto bytes = static_cast<size_t>(pitch_) * static_cast<size_t>(height_);
    pixels_.reset(static_cast<uint8_t*>(::operator new[](bytes, kRowAlignment)));
    std::memset(pixels_.get(), 0, bytes);
    device_->AddRef();
    detail::NoteMade(detail::LiveKind::Surface);
}

Surface::~Surface() {
    delete context_;
    if (palette_ != nullptr) {
        palette_->Release();
    }
    if (backBuffer_ != nullptr) {
        // The chain's back buffer goes with the primary surface, unless the
        // game still holds a reference; then it lives on alone.
        backBuffer_->frontBuffer_ = nullptr;
        backBuffer_->Release();
    }
    if (frontBuffer_ != nullptr) {
        frontBuffer_->backBuffer_ = nullptr;
    }
    device_->Forget(this);
    device_->Release();
    detail::NoteGone(detail::LiveKind::Surface);
}

Result Surface::Lock(const Rect* rect, SurfaceDesc* description, uint32_t /*flags*/,
                     void* /*event*/) {
    if (backend::Fails(Fault::LockSurface)) {
        return Refuse(kErrSurfaceLost, "cannot lock a surface: it was lost");
    }
    if (rect != nullptr || description == nullptr || description->size != sizeof(SurfaceDesc)) {
        return Refuse(
            kErrInvalidParams,
            "cannot lock a surface: lock it whole, with a description sized sizeof(SurfaceDesc)");
    }
    if (IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot lock a surface: it is locked already");
    }
    locked_ = true;
    description->flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
    description->width = static_cast<uint32_t>(width_);
    description->height = static_cast<uint32_t>(height_);
    description->pitch = pitch_;
    description->surface = pixels_.get();
    description->caps.caps = caps_;
    return kOk;
}

Result Surface::Unlock(const Rect* /*rect*/) {
    if (!locked_) {
        return Refuse(kErrGeneric, "cannot unlock a surface that is not locked");
    }
    locked_ = false;
    return kOk;
}

Result Surface::SetColorKey(uint32_t flags, const ColorKey* key) {
    if (flags != DDCKEY_SRCBLT) {
        return Refuse(kErrNotImplemented, "only source colour keys are offered");
    }
    hasColorKey_ = key != nullptr;
    colorKey_ = key != nullptr ? *key : ColorKey{};
    return kOk;
}

Result Surface::SetPalette(Palette* palette) {
    if (palette != nullptr) {
        palette->AddRef();
    }
    if (palette_ != nullptr) {
        palette_->Release();
    }
    palette_ = palette;
    return kOk;
}

Result Surface::GetAttachedSurface(const SurfaceCaps* caps, Surface** attached) {
    if (attached == nullptr) {
        return Refuse(kErrInvalidParams, "cannot fetch the back buffer: nowhere to put it");
    }
    *attached = nullptr;
    if (backend::Fails(Fault::GetBackBuffer)) {
        return Refuse(kErrGeneric, "cannot fetch the back buffer: the screen refused");
    }
    if (caps == nullptr || (caps->caps & DDSCAPS_BACKBUFFER) == 0 || backBuffer_ == nullptr) {
        return Refuse(kErrGeneric, "cannot fetch the back buffer: this surface has none");
    }
    backBuffer_->AddRef();
    *attached = backBuffer_;
    return kOk;
}

Result Surface::Flip(Surface* override, uint32_t /*flags*/) {
    if (backend::Fails(Fault::Flip)) {
        return Refuse(kErrSurfaceLost, "cannot flip: the screen was lost");
    }
    if (backBuffer_ == nullptr || (override != nullptr && override != backBuffer_)) {
        return Refuse(kErrInvalidParams, "cannot flip: only the screen's chain flips");
    }
    if (IsBusy() || backBuffer_->IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot flip: a buffer of the screen is locked");
    }
    // The two buffers trade their pixel blocks; no pixel is copied.
    std::swap(pixels_, backBuffer_->pixels_);
    backend::Present(pixels_.get(), pitch_, width_, height_,
                     palette_ != nullptr ? palette_->Entries() : BlackPalette());
    return kOk;
}

Result Surface::GetDC(DeviceContext** context) {
    if (context == nullptr) {
        return Refuse(kErrInvalidParams, "cannot write text: nowhere to put the context");
    }
    *context = nullptr;
    if (backend::Fails(Fault::GetDC)) {
        return Refuse(kErrGeneric, "cannot write text: no device context");
    }
    if (IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot write text: the surface is locked");
    }
    context_ = new DeviceContext{this, pixels_.get(), pitch_, width_, height_};
    *context = context_;
    return kOk;
}

Result Surface::ReleaseDC(DeviceContext* context) {
    if (context == nullptr || context != context_) {
        return Refuse(kErrInvalidParams, "cannot give back a device context this surface lacks");
    }
    delete context_;
    context_ = nullptr;
    return kOk;
}

}  // namespace platform
