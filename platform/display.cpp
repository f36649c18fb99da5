// The display device, its surfaces and palettes: every argument check,
// refusal, reference and live-object count, the same on every driver.
#include "platform/display.h"

#include <algorithm>

#include "platform/api/api_failure.h"
#include "platform/api/api_live_objects.h"
#include "platform/driver/driver.h"

namespace platform {

using detail::Refuse;

namespace {

constexpr uint32_t kScreenWidth = 640;
constexpr uint32_t kScreenHeight = 480;
constexpr uint32_t kScreenBits = 8;
// Larger off-screen surfaces than this are refused rather than allocated.
constexpr uint32_t kLargestSide = 8192;
constexpr uint32_t kPrimaryCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;

// Gives back one reference; true when it was the last. A release after that
// drops nothing: the object is gone already.
bool DropReference(uint32_t& references) {
    return references != 0 && --references == 0;
}

bool LiesWithin(const Rect& rect, int32_t width, int32_t height) {
    return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
           rect.right <= width && rect.bottom <= height;
}

bool RangeFits(uint32_t first, uint32_t count) {
    return first <= 256 && count <= 256 - first;
}

}  // namespace

Result CreateDisplay(const void* driver, DisplayDevice** device, void* outer) {
    if (device == nullptr) {
        return Refuse(kErrInvalidParams, "cannot open the display: nowhere to put it");
    }
    *device = nullptr;
    if (driver != nullptr || outer != nullptr) {
        return Refuse(kErrInvalidParams, "cannot open the display: only the default one exists");
    }
    driver::Native native = nullptr;
    const Result opened = driver::OpenDisplay(&native);
    if (Failed(opened)) {
        return opened;
    }
    *device = new DisplayDevice(native);
    detail::NoteMade(detail::LiveKind::DisplayDevice);
    return kOk;
}

DisplayDevice::~DisplayDevice() {
    for (Palette* palette : palettes_) {
        delete palette;
    }
    driver::CloseDisplay(native_);
    detail::NoteGone(detail::LiveKind::DisplayDevice);
}

uint32_t DisplayDevice::AddRef() {
    return ++references_;
}

uint32_t DisplayDevice::Release() {
    if (DropReference(references_)) {
        delete this;
        return 0;
    }
    return references_;
}

Result DisplayDevice::SetCooperativeLevel(WindowHandle window, uint32_t flags) {
    if ((flags & DDSCL_EXCLUSIVE) != 0 && !IsWindow(window)) {
        return Refuse(kErrInvalidParams, "cannot take the screen: the game has no window");
    }
    return driver::SetCooperativeLevel(native_, window, flags);
}

Result DisplayDevice::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    if (width != kScreenWidth || height != kScreenHeight || bitsPerPixel != kScreenBits) {
        return Refuse(kErrInvalidParams, "cannot set the display mode: only 640 x 480 x 8 exists");
    }
    const Result set = driver::SetDisplayMode(native_, width, height, bitsPerPixel);
    if (!Failed(set)) {
        modeSet_ = true;
    }
    return set;
}

Result DisplayDevice::CreateSurface(const SurfaceDesc* description, Surface** surface,
                                    void* outer) {
    if (surface == nullptr) {
        return Refuse(kErrInvalidParams, "cannot make a surface: nowhere to put it");
    }
    *surface = nullptr;
    if (description == nullptr || description->size != sizeof(SurfaceDesc) || outer != nullptr) {
        return Refuse(kErrInvalidParams,
                      "cannot make a surface: the description's size must be sizeof(SurfaceDesc)");
    }
    const uint32_t caps = description->caps.caps;
    if ((caps & DDSCAPS_PRIMARYSURFACE) != 0) {
        const bool oneBackBuffer =
            (description->flags & DDSD_BACKBUFFERCOUNT) != 0 && description->backBufferCount == 1;
        if ((caps & kPrimaryCaps) != kPrimaryCaps || !oneBackBuffer) {
            return Refuse(kErrInvalidParams,
                          "cannot make the screen surfaces: only a flip chain of two is offered");
        }
        if (!modeSet_) {
            return Refuse(kErrGeneric, "cannot make the screen surfaces: no display mode is set");
        }
        if (primary_ != nullptr) {
            return Refuse(kErrGeneric, "cannot make the screen surfaces: they exist already");
        }
        driver::Native front = nullptr;
        driver::Native back = nullptr;
        const Result made = driver::CreateFlipChain(native_, &front, &back);
        if (Failed(made)) {
            return made;
        }
        auto* primary = new Surface(this, front, kScreenWidth, kScreenHeight);
        primary->backBuffer_ = new Surface(this, back, kScreenWidth, kScreenHeight);
        primary->backBuffer_->frontBuffer_ = primary;
        primary_ = primary;
        *surface = primary;
        return kOk;
    }
    if ((caps & DDSCAPS_OFFSCREENPLAIN) != 0) {
        const uint32_t sizeFlags = DDSD_WIDTH | DDSD_HEIGHT;
        if ((description->flags & sizeFlags) != sizeFlags || description->width == 0 ||
            description->height == 0 || description->width > kLargestSide ||
            description->height > kLargestSide) {
            return Refuse(kErrInvalidParams, "cannot make an off-screen surface: bad size");
        }
        driver::Native made = nullptr;
        const Result created =
            driver::CreateSurface(native_, description->width, description->height, &made);
        if (Failed(created)) {
            return created;
        }
        *surface = new Surface(this, made, static_cast<int32_t>(description->width),
                               static_cast<int32_t>(description->height));
        return kOk;
    }
    return Refuse(kErrInvalidParams, "cannot make a surface: unknown kind");
}

Result DisplayDevice::CreatePalette(uint32_t flags, const PaletteEntry* entries, Palette** palette,
                                    void* outer) {
    if (palette == nullptr) {
        return Refuse(kErrInvalidParams, "cannot make a palette: nowhere to put it");
    }
    *palette = nullptr;
    if ((flags & DDPCAPS_8BIT) == 0 || entries == nullptr || outer != nullptr) {
        return Refuse(kErrInvalidParams, "cannot make a palette: only 256 given colours");
    }
    driver::Native made = nullptr;
    const Result created =
        driver::CreatePalette(native_, (flags & DDPCAPS_ALLOW256) != 0, entries, &made);
    if (Failed(created)) {
        return created;
    }
    palettes_.push_back(new Palette(made));
    detail::NoteMade(detail::LiveKind::Palette);
    *palette = palettes_.back();
    return kOk;
}

Result DisplayDevice::WaitForVerticalBlank(uint32_t /*flags*/, void* /*event*/) {
    return driver::WaitForVerticalBlank(native_);
}

// Palettes belong to the display device that made them and go with it, so
// releasing one only gives back a reference.
Palette::~Palette() {
    driver::ReleasePalette(native_);
    detail::NoteGone(detail::LiveKind::Palette);
}

Result Palette::SetEntries(uint32_t flags, uint32_t first, uint32_t count,
                           const PaletteEntry* entries) {
    if (flags != 0 || entries == nullptr || !RangeFits(first, count)) {
        return Refuse(kErrInvalidParams, "cannot set palette entries: bad range");
    }
    return driver::SetPaletteEntries(native_, first, count, entries);
}

const PaletteEntry* Palette::Entries() const {
    return driver::PaletteEntries(native_);
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

Surface::Surface(DisplayDevice* device, void* native, int32_t width, int32_t height)
    : device_(device), native_(native), width_(width), height_(height) {
    device_->AddRef();
    detail::NoteMade(detail::LiveKind::Surface);
}

Surface::~Surface() {
    if (context_ != nullptr) {
        driver::ReleaseDC(native_, context_);
    }
    if (palette_ != nullptr) {
        palette_->Release();
    }
    void* front = native_;
    if (backBuffer_ != nullptr) {
        // The chain's back buffer goes with the primary surface, unless the
        // game still holds a reference; then it lives on alone, and the
        // driver's chain goes after it.
        backBuffer_->frontBuffer_ = nullptr;
        backBuffer_->orphanedFront_ = native_;
        front = nullptr;
        backBuffer_->Release();
    }
    if (frontBuffer_ != nullptr) {
        frontBuffer_->backBuffer_ = nullptr;
    }
    if (front != nullptr) {
        driver::ReleaseSurface(front);
    }
    if (orphanedFront_ != nullptr) {
        driver::ReleaseSurface(orphanedFront_);
    }
    if (device_->primary_ == this) {
        device_->primary_ = nullptr;
    }
    device_->Release();
    detail::NoteGone(detail::LiveKind::Surface);
}

uint32_t Surface::AddRef() {
    return ++references_;
}

uint32_t Surface::Release() {
    if (DropReference(references_)) {
        delete this;
        return 0;
    }
    return references_;
}

int32_t Surface::Pitch() const {
    int32_t pitch = 0;
    driver::SurfacePixels(native_, &pitch);
    return pitch;
}

const uint8_t* Surface::Pixels() const {
    int32_t pitch = 0;
    return driver::SurfacePixels(native_, &pitch);
}

Result Surface::Blt(const Rect* destination, Surface* /*source*/, const Rect* /*sourceRect*/,
                    uint32_t flags, const BltFx* fx) {
    if ((flags & DDBLT_COLORFILL) == 0) {
        return Refuse(kErrNotImplemented, "only colour fills are offered by Blt");
    }
    if (fx == nullptr || fx->size != sizeof(BltFx)) {
        return Refuse(kErrInvalidParams,
                      "cannot fill a surface: fx must be given, its size sizeof(BltFx)");
    }
    const Rect area = destination != nullptr ? *destination : Rect{0, 0, width_, height_};
    if (!LiesWithin(area, width_, height_)) {
        return Refuse(kErrInvalidRect, "cannot fill a surface: the rectangle leaves it");
    }
    if (IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot fill a surface: it is locked");
    }
    return driver::Fill(native_, area, static_cast<uint8_t>(fx->fillColor));
}

Result Surface::BltFast(uint32_t x, uint32_t y, Surface* source, const Rect* sourceRect,
                        uint32_t flags) {
    if (source == nullptr || source == this) {
        return Refuse(kErrInvalidParams, "cannot blit: a blit needs another surface as source");
    }
    const Rect from =
        sourceRect != nullptr ? *sourceRect : Rect{0, 0, source->width_, source->height_};
    if (!LiesWithin(from, source->width_, source->height_)) {
        return Refuse(kErrInvalidRect, "cannot blit: the source rectangle leaves the source");
    }
    const int64_t right = int64_t{x} + (from.right - from.left);
    const int64_t bottom = int64_t{y} + (from.bottom - from.top);
    if (right > width_ || bottom > height_) {
        return Refuse(kErrInvalidRect, "cannot blit: the picture would leave the destination");
    }
    if (IsBusy() || source->IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot blit: a surface is locked");
    }
    return driver::Blit(native_, x, y, source->native_, from, (flags & DDBLTFAST_SRCCOLORKEY) != 0);
}

Result Surface::Flip(Surface* override, uint32_t /*flags*/) {
    if (backBuffer_ == nullptr || (override != nullptr && override != backBuffer_)) {
        return Refuse(kErrInvalidParams, "cannot flip: only the screen's chain flips");
    }
    if (IsBusy() || backBuffer_->IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot flip: a buffer of the screen is locked");
    }
    return driver::Flip(native_, backBuffer_->native_);
}

Result Surface::GetAttachedSurface(const SurfaceCaps* caps, Surface** attached) {
    if (attached == nullptr) {
        return Refuse(kErrInvalidParams, "cannot fetch the back buffer: nowhere to put it");
    }
    *attached = nullptr;
    if (caps == nullptr || (caps->caps & DDSCAPS_BACKBUFFER) == 0 || backBuffer_ == nullptr) {
        return Refuse(kErrGeneric, "cannot fetch the back buffer: this surface has none");
    }
    const Result fetched = driver::FetchBackBuffer(native_);
    if (Failed(fetched)) {
        return fetched;
    }
    backBuffer_->AddRef();
    *attached = backBuffer_;
    return kOk;
}

Result Surface::Lock(const Rect* rect, SurfaceDesc* description, uint32_t /*flags*/,
                     void* /*event*/) {
    if (rect != nullptr || description == nullptr || description->size != sizeof(SurfaceDesc)) {
        return Refuse(
            kErrInvalidParams,
            "cannot lock a surface: lock it whole, with a description sized sizeof(SurfaceDesc)");
    }
    if (IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot lock a surface: it is locked already");
    }
    uint8_t* pixels = nullptr;
    int32_t pitch = 0;
    const Result locked = driver::Lock(native_, &pixels, &pitch);
    if (Failed(locked)) {
        return locked;
    }
    locked_ = true;
    description->flags |= DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH;
    description->width = static_cast<uint32_t>(width_);
    description->height = static_cast<uint32_t>(height_);
    description->pitch = pitch;
    description->surface = pixels;
    return kOk;
}

Result Surface::Unlock(const Rect* /*rect*/) {
    if (!locked_) {
        return Refuse(kErrGeneric, "cannot unlock a surface that is not locked");
    }
    locked_ = false;
    return driver::Unlock(native_);
}

Result Surface::SetColorKey(uint32_t flags, const ColorKey* key) {
    if (flags != DDCKEY_SRCBLT) {
        return Refuse(kErrNotImplemented, "only source colour keys are offered");
    }
    return driver::SetColorKey(native_, key);
}

Result Surface::SetPalette(Palette* palette) {
    const Result set =
        driver::SetSurfacePalette(native_, palette != nullptr ? palette->native_ : nullptr);
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
        return Refuse(kErrInvalidParams, "cannot write text: nowhere to put the context");
    }
    *context = nullptr;
    if (IsBusy()) {
        return Refuse(kErrSurfaceBusy, "cannot write text: the surface is locked");
    }
    const Result got = driver::GetDC(native_, &context_);
    if (Failed(got)) {
        context_ = nullptr;
        return got;
    }
    *context = context_;
    return kOk;
}

Result Surface::ReleaseDC(DeviceContext* context) {
    if (context == nullptr || context != context_) {
        return Refuse(kErrInvalidParams, "cannot give back a device context this surface lacks");
    }
    context_ = nullptr;
    return driver::ReleaseDC(native_, context);
}

}  // namespace platform
