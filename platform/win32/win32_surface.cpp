// Surfaces on DirectDraw surfaces: fills, keyed blits, locks, palettes, device
// contexts and the flip of the screen's chain. A surface the system lost (the
// player switched away from the full screen) is restored at once and the call
// reports the loss; the game draws every frame whole, so the next one shows.
#include "platform/win32/win32_display.h"

#include "platform/driver/driver.h"
#include "platform/win32/win32_native.h"

namespace platform::driver {
namespace {

using win32::NativeSurface;

// Gives the result back, restoring the surface first when it was lost.
Result Checked(Native surface, HRESULT result, const char* what) {
    if (result == DDERR_SURFACELOST) {
        NativeSurface(surface)->Restore();
    }
    return FAILED(result) ? win32::Refuse(result, what) : kOk;
}

RECT SystemRect(const Rect& rect) {
    return RECT{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void ReleaseSurface(Native surface) {
    NativeSurface(surface)->Release();
}

// The pixels lie in the system's surface, within reach only while locked.
const uint8_t* SurfacePixels(Native /*surface*/, int32_t* pitch) {
    *pitch = 0;
    return nullptr;
}

Result SetSurfacePalette(Native surface, Native palette) {
    IDirectDrawPalette* system =
        palette != nullptr ? win32::NativePalette(palette)->system : nullptr;
    return Checked(surface, NativeSurface(surface)->SetPalette(system), "cannot set a palette");
}

Result SetColorKey(Native surface, const ColorKey* key) {
    DDCOLORKEY system{};
    if (key != nullptr) {
        system.dwColorSpaceLowValue = key->lowValue;
        system.dwColorSpaceHighValue = key->highValue;
    }
    return Checked(
        surface,
        NativeSurface(surface)->SetColorKey(DDCKEY_SRCBLT, key != nullptr ? &system : nullptr),
        "cannot set a colour key");
}

Result Fill(Native surface, const Rect& area, uint8_t colour) {
    DDBLTFX system{};
    system.dwSize = sizeof system;
    system.dwFillColor = colour;
    RECT rect = SystemRect(area);
    return Checked(
        surface,
        NativeSurface(surface)->Blt(&rect, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &system),
        "cannot fill a surface");
}

Result Blit(Native target, uint32_t x, uint32_t y, Native source, const Rect& from, bool keyed) {
    RECT rect = SystemRect(from);
    const DWORD flags = DDBLTFAST_WAIT | (keyed ? DDBLTFAST_SRCCOLORKEY : DDBLTFAST_NOCOLORKEY);
    return Checked(target,
                   NativeSurface(target)->BltFast(x, y, NativeSurface(source), &rect, flags),
                   "cannot blit");
}

Result Flip(Native front, Native /*back*/) {
    return Checked(front, NativeSurface(front)->Flip(nullptr, DDFLIP_WAIT), "cannot flip");
}

Result Lock(Native surface, uint8_t** pixels, int32_t* pitch) {
    DDSURFACEDESC system{};
    system.dwSize = sizeof system;
    const Result locked =
        Checked(surface, NativeSurface(surface)->Lock(nullptr, &system, DDLOCK_WAIT, nullptr),
                "cannot lock a surface");
    if (Failed(locked)) {
        return locked;
    }
    *pixels = static_cast<uint8_t*>(system.lpSurface);
    *pitch = static_cast<int32_t>(system.lPitch);
    return kOk;
}

Result Unlock(Native surface) {
    return Checked(surface, NativeSurface(surface)->Unlock(nullptr), "cannot unlock a surface");
}

Result GetDC(Native surface, DeviceContext** context) {
    HDC system = nullptr;
    const Result got =
        Checked(surface, NativeSurface(surface)->GetDC(&system), "cannot write text");
    if (Failed(got)) {
        return got;
    }
    *context = reinterpret_cast<DeviceContext*>(system);
    return kOk;
}

Result ReleaseDC(Native surface, DeviceContext* context) {
    return Checked(surface, NativeSurface(surface)->ReleaseDC(win32::NativeContext(context)),
                   "cannot give back a device context");
}

}  // namespace platform::driver
