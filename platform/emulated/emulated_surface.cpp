// Emulated surfaces: pixel blocks in memory, their fills, blits, locks and
// device contexts, and the flip that hands the front buffer to the host.
#include <cstring>
#include <new>
#include <utility>

#include "platform/api/api_failure.h"
#include "platform/driver/driver.h"
#include "platform/emulated/emulated_display.h"
#include "platform/emulated/emulated_pixel_rows.h"
#include "platform/hosts/host.h"

namespace platform::emulated {
namespace {

constexpr std::align_val_t kRowAlignment{32};

}  // namespace

void SurfaceObject::AlignedDelete::operator()(uint8_t* block) const {
    ::operator delete[](block, kRowAlignment);
}

SurfaceObject::SurfaceObject(int32_t columns, int32_t rows)
    : width(columns), height(rows), pitch(detail::PitchFor(columns)) {
    const auto bytes = static_cast<size_t>(pitch) * static_cast<size_t>(height);
    pixels.reset(static_cast<uint8_t*>(::operator new[](bytes, kRowAlignment)));
    std::memset(pixels.get(), 0, bytes);
}

}  // namespace platform::emulated

namespace platform::driver {
namespace {

using detail::Refuse;
using emulated::SurfaceObject;

SurfaceObject* Object(Native surface) {
    return static_cast<SurfaceObject*>(surface);
}

uint8_t* PixelAt(const SurfaceObject& surface, int32_t x, int32_t y) {
    return surface.pixels.get() + static_cast<ptrdiff_t>(y) * surface.pitch + x;
}

const PaletteEntry* BlackPalette() {
    static const PaletteEntry black[256] = {};
    return black;
}

}  // namespace

Result CreateFlipChain(Native /*display*/, Native* front, Native* back) {
    if (host::Fails(Fault::CreatePrimarySurface)) {
        return Refuse(kErrOutOfMemory, "cannot make the screen surfaces: out of video memory");
    }
    *front = new SurfaceObject(640, 480);
    *back = new SurfaceObject(640, 480);
    return kOk;
}

Result FetchBackBuffer(Native /*front*/) {
    if (host::Fails(Fault::GetBackBuffer)) {
        return Refuse(kErrGeneric, "cannot fetch the back buffer: the screen refused");
    }
    return kOk;
}

Result CreateSurface(Native /*display*/, uint32_t width, uint32_t height, Native* surface) {
    if (host::Fails(Fault::CreateOffscreenSurface)) {
        return Refuse(kErrOutOfMemory, "cannot make an off-screen surface: out of memory");
    }
    *surface = new SurfaceObject(static_cast<int32_t>(width), static_cast<int32_t>(height));
    return kOk;
}

void ReleaseSurface(Native surface) {
    delete Object(surface);
}

const uint8_t* SurfacePixels(Native surface, int32_t* pitch) {
    *pitch = Object(surface)->pitch;
    return Object(surface)->pixels.get();
}

Result SetSurfacePalette(Native surface, Native palette) {
    Object(surface)->palette = static_cast<const emulated::PaletteObject*>(palette);
    return kOk;
}

Result SetColorKey(Native surface, const ColorKey* key) {
    Object(surface)->hasColorKey = key != nullptr;
    Object(surface)->colorKey = key != nullptr ? *key : ColorKey{};
    return kOk;
}

Result Fill(Native surface, const Rect& area, uint8_t colour) {
    if (host::Fails(Fault::Blit)) {
        return Refuse(kErrSurfaceLost, "cannot fill a surface: it was lost");
    }
    const SurfaceObject& target = *Object(surface);
    detail::FillBlock({PixelAt(target, area.left, area.top), target.pitch, area.right - area.left,
                       area.bottom - area.top},
                      colour);
    return kOk;
}

Result Blit(Native target, uint32_t x, uint32_t y, Native source, const Rect& from, bool keyed) {
    if (host::Fails(Fault::Blit)) {
        return Refuse(kErrSurfaceLost, "cannot blit: the surface was lost");
    }
    const SurfaceObject& to = *Object(target);
    const SurfaceObject& in = *Object(source);
    const detail::PixelBlock block{PixelAt(to, static_cast<int32_t>(x), static_cast<int32_t>(y)),
                                   to.pitch, from.right - from.left, from.bottom - from.top};
    const detail::ConstPixelBlock pixels{PixelAt(in, from.left, from.top), in.pitch};
    const ColorKey& key = in.colorKey;
    if (keyed && in.hasColorKey && key.lowValue <= key.highValue && key.lowValue <= 0xFF) {
        const uint32_t high = key.highValue < 0xFF ? key.highValue : 0xFF;
        detail::CopyBlockKeyed(block, pixels, static_cast<uint8_t>(key.lowValue),
                               static_cast<uint8_t>(high));
    } else {
        detail::CopyBlock(block, pixels);
    }
    return kOk;
}

Result Flip(Native front, Native back) {
    if (host::Fails(Fault::Flip)) {
        return Refuse(kErrSurfaceLost, "cannot flip: the screen was lost");
    }
    // The two buffers trade their pixel blocks; no pixel is copied.
    SurfaceObject& shown = *Object(front);
    std::swap(shown.pixels, Object(back)->pixels);
    host::Present(shown.pixels.get(), shown.pitch, shown.width, shown.height,
                  shown.palette != nullptr ? shown.palette->entries : BlackPalette());
    return kOk;
}

Result Lock(Native surface, uint8_t** pixels, int32_t* pitch) {
    if (host::Fails(Fault::LockSurface)) {
        return Refuse(kErrSurfaceLost, "cannot lock a surface: it was lost");
    }
    *pixels = Object(surface)->pixels.get();
    *pitch = Object(surface)->pitch;
    return kOk;
}

Result Unlock(Native /*surface*/) {
    return kOk;
}

Result GetDC(Native surface, DeviceContext** context) {
    if (host::Fails(Fault::GetDC)) {
        return Refuse(kErrGeneric, "cannot write text: no device context");
    }
    *context = new DeviceContext{Object(surface)};
    return kOk;
}

Result ReleaseDC(Native /*surface*/, DeviceContext* context) {
    delete context;
    return kOk;
}

}  // namespace platform::driver
