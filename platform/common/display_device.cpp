// The display device: the screen mode, and the surfaces and palettes it makes.
#include <vector>

#include "platform/backend.h"
#include "platform/common/failure.h"
#include "platform/common/live_objects.h"
#include "platform/display.h"

namespace platform {

using detail::Refuse;

namespace {

constexpr uint32_t kScreenWidth = 640;
constexpr uint32_t kScreenHeight = 480;
constexpr uint32_t kScreenBits = 8;
// Larger off-screen surfaces than this are refused rather than allocated.
constexpr uint32_t kLargestSide = 8192;

constexpr uint32_t kPrimaryCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;

}  // namespace

struct DisplayDevice::State {
    WindowHandle window = nullptr;
    bool holdsScreen = false;
    Surface* primary = nullptr;  // not a reference: the primary clears it when it goes
    std::vector<Palette*> palettes;
};

Result CreateDisplay(const void* driver, DisplayDevice** device, void* outer) {
    if (device == nullptr) {
        return Refuse(kErrInvalidParams, "cannot open the display: nowhere to put it");
    }
    *device = nullptr;
    if (backend::Fails(Fault::CreateDisplay)) {
        return Refuse(kErrNoDevice, "cannot open the display: no display device");
    }
    if (driver != nullptr || outer != nullptr) {
        return Refuse(kErrInvalidParams, "cannot open the display: only the default one exists");
    }
    auto* created = new DisplayDevice();
    created->state_ = std::make_unique<DisplayDevice::State>();
    detail::NoteMade(detail::LiveKind::DisplayDevice);
    *device = created;
    return kOk;
}

DisplayDevice::~DisplayDevice() {
    for (Palette* palette : state_->palettes) {
        delete palette;
        detail::NoteGone(detail::LiveKind::Palette);
    }
    if (state_->holdsScreen) {
        backend::CloseScreen();
    }
    detail::NoteGone(detail::LiveKind::DisplayDevice);
}

void DisplayDevice::Forget(const Surface* surface) {
    if (state_->primary == surface) {
        state_->primary = nullptr;
    }
}

Result DisplayDevice::SetCooperativeLevel(WindowHandle window, uint32_t flags) {
    if ((flags & DDSCL_EXCLUSIVE) != 0 && !IsWindow(window)) {
        return Refuse(kErrInvalidParams, "cannot take the screen: the game has no window");
    }
    state_->window = window;
    return kOk;
}

Result DisplayDevice::SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel) {
    if (backend::Fails(Fault::SetDisplayMode)) {
        return Refuse(kErrGeneric, "cannot set the display mode: the screen refused 640 x 480");
    }
    if (width != kScreenWidth || height != kScreenHeight || bitsPerPixel != kScreenBits) {
        return Refuse(kErrInvalidParams, "cannot set the display mode: only 640 x 480 x 8 exists");
    }
    if (!state_->holdsScreen) {
        if (!backend::OpenScreen(static_cast<int32_t>(width), static_cast<int32_t>(height))) {
            return kErrNoDevice;  // the backend has said why
        }
        state_->holdsScreen = true;
    }
    return kOk;
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
        if (backend::Fails(Fault::CreatePrimarySurface)) {
            return Refuse(kErrOutOfMemory, "cannot make the screen surfaces: out of video memory");
        }
        const bool oneBackBuffer =
            (description->flags & DDSD_BACKBUFFERCOUNT) != 0 && description->backBufferCount == 1;
        if ((caps & kPrimaryCaps) != kPrimaryCaps || !oneBackBuffer) {
            return Refuse(kErrInvalidParams,
                          "cannot make the screen surfaces: only a flip chain of two is offered");
        }
        if (!state_->holdsScreen) {
            return Refuse(kErrGeneric, "cannot make the screen surfaces: no display mode is set");
        }
        if (state_->primary != nullptr) {
            return Refuse(kErrGeneric, "cannot make the screen surfaces: they exist already");
        }
        auto* primary = new Surface(this, kScreenWidth, kScreenHeight, caps);
        primary->backBuffer_ = new Surface(this, kScreenWidth, kScreenHeight,
                                           DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX);
        primary->backBuffer_->frontBuffer_ = primary;
        state_->primary = primary;
        *surface = primary;
        return kOk;
    }
    if ((caps & DDSCAPS_OFFSCREENPLAIN) != 0) {
        if (backend::Fails(Fault::CreateOffscreenSurface)) {
            return Refuse(kErrOutOfMemory, "cannot make an off-screen surface: out of memory");
        }
        const uint32_t sizeFlags = DDSD_WIDTH | DDSD_HEIGHT;
        if ((description->flags & sizeFlags) != sizeFlags || description->width == 0 ||
            description->height == 0 || description->width > kLargestSide ||
            description->height > kLargestSide) {
            return Refuse(kErrInvalidParams, "cannot make an off-screen surface: bad size");
        }
        *surface = new Surface(this, static_cast<int32_t>(description->width),
                               static_cast<int32_t>(description->height), caps);
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
    if (backend::Fails(Fault::CreatePalette)) {
        return Refuse(kErrOutOfMemory, "cannot make a palette: out of memory");
    }
    if ((flags & DDPCAPS_8BIT) == 0 || entries == nullptr || outer != nullptr) {
        return Refuse(kErrInvalidParams, "cannot make a palette: only 256 given colours");
    }
    auto* created = new Palette();
    created->systemEnds_ = (flags & DDPCAPS_ALLOW256) == 0;
    created->SetEntries(0, 0, 256, entries);
    state_->palettes.push_back(created);
    detail::NoteMade(detail::LiveKind::Palette);
    *palette = created;
    return kOk;
}

Result DisplayDevice::WaitForVerticalBlank(uint32_t /*flags*/, void* /*event*/) {
    // Presenting already keeps to the screen's refresh; there is nothing to wait for.
    return kOk;
}

}  // namespace platform
