// The display: an exclusive 640 x 480 x 8 mode with a flip chain of two,
// palettes, off-screen surfaces, colour-keyed blits and locks.
//
// Objects are reference counted: every object a call hands out carries one
// reference that its receiver gives back with Release. Palettes live with the
// display device and go when it does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/result.h"
#include "platform/window.h"

namespace platform {

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct PaletteEntry {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t flags = 0;
};

struct ColorKey {
    uint32_t lowValue = 0;
    uint32_t highValue = 0;
};

struct SurfaceCaps {
    uint32_t caps = 0;
};

struct SurfaceDesc {
    uint32_t size = 0;  // sizeof(SurfaceDesc)
    uint32_t flags = 0;
    uint32_t height = 0;
    uint32_t width = 0;
    int32_t pitch = 0;  // bytes from one row to the next; filled in by Lock
    uint32_t backBufferCount = 0;
    void* surface = nullptr;  // first pixel; filled in by Lock
    SurfaceCaps caps;
};

struct BltFx {
    uint32_t size = 0;  // sizeof(BltFx)
    uint32_t fillColor = 0;
};

// SurfaceDesc::flags
inline constexpr uint32_t DDSD_CAPS = 0x00000001u;
inline constexpr uint32_t DDSD_HEIGHT = 0x00000002u;
inline constexpr uint32_t DDSD_WIDTH = 0x00000004u;
inline constexpr uint32_t DDSD_PITCH = 0x00000008u;
inline constexpr uint32_t DDSD_BACKBUFFERCOUNT = 0x00000020u;

// SurfaceCaps::caps
inline constexpr uint32_t DDSCAPS_BACKBUFFER = 0x00000004u;
inline constexpr uint32_t DDSCAPS_COMPLEX = 0x00000008u;
inline constexpr uint32_t DDSCAPS_FLIP = 0x00000010u;
inline constexpr uint32_t DDSCAPS_OFFSCREENPLAIN = 0x00000040u;
inline constexpr uint32_t DDSCAPS_PRIMARYSURFACE = 0x00000200u;

// DisplayDevice::SetCooperativeLevel
inline constexpr uint32_t DDSCL_FULLSCREEN = 0x00000001u;
inline constexpr uint32_t DDSCL_ALLOWREBOOT = 0x00000002u;
inline constexpr uint32_t DDSCL_NORMAL = 0x00000008u;
inline constexpr uint32_t DDSCL_EXCLUSIVE = 0x00000010u;
inline constexpr uint32_t DDSCL_ALLOWMODEX = 0x00000040u;

inline constexpr uint32_t DDPCAPS_8BIT = 0x00000004u;
// All 256 entries are the caller's. Without it the first and last entries stay
// black and white whatever is set, as the system keeps them.
inline constexpr uint32_t DDPCAPS_ALLOW256 = 0x00000040u;
inline constexpr uint32_t DDCKEY_SRCBLT = 0x00000008u;
inline constexpr uint32_t DDBLT_COLORFILL = 0x00000400u;
inline constexpr uint32_t DDBLT_WAIT = 0x01000000u;
inline constexpr uint32_t DDBLTFAST_NOCOLORKEY = 0x00000000u;
inline constexpr uint32_t DDBLTFAST_SRCCOLORKEY = 0x00000001u;
inline constexpr uint32_t DDBLTFAST_WAIT = 0x00000010u;
inline constexpr uint32_t DDFLIP_WAIT = 0x00000001u;
inline constexpr uint32_t DDLOCK_WAIT = 0x00000001u;
inline constexpr uint32_t DDWAITVB_BLOCKBEGIN = 0x00000001u;

class DisplayDevice;
class DeviceContext;

class Palette {
public:
    // Replaces count entries from first on. flags must be 0.
    Result SetEntries(uint32_t flags, uint32_t first, uint32_t count, const PaletteEntry* entries);
    // The 256 colours as they stand.
    const PaletteEntry* Entries() const;
    uint32_t AddRef();
    uint32_t Release();

private:
    friend class DisplayDevice;
    friend class Surface;
    explicit Palette(void* native) : native_(native) {}
    ~Palette();
    void* native_;
    uint32_t references_ = 1;
};

class Surface {
public:
    // Colour fill (DDBLT_COLORFILL with fx->fillColor) of the destination
    // rectangle, or of the whole surface when destination is null. fx->size
    // must be sizeof(BltFx). Other blits are not offered: the game draws with
    // BltFast.
    Result Blt(const Rect* destination, Surface* source, const Rect* sourceRect, uint32_t flags,
               const BltFx* fx);

    // Copies the source rectangle (the whole source when null) with its
    // top-left pixel at (x, y). With DDBLTFAST_SRCCOLORKEY, source pixels in
    // the source's colour key range are skipped. There is no clipping: a
    // rectangle that does not lie wholly inside both surfaces changes nothing
    // and gives kErrInvalidRect.
    Result BltFast(uint32_t x, uint32_t y, Surface* source, const Rect* sourceRect, uint32_t flags);

    // On the primary surface: the back buffer becomes the front buffer and the
    // front buffer the back buffer, and the new front buffer is shown through
    // the primary surface's palette.
    Result Flip(Surface* override, uint32_t flags);

    // On the primary surface with DDSCAPS_BACKBUFFER: the back buffer, with a
    // reference for the caller.
    Result GetAttachedSurface(const SurfaceCaps* caps, Surface** attached);

    // Locks the whole surface (rect must be null) and fills in description
    // ->surface, ->pitch, ->width and ->height. description->size must be
    // sizeof(SurfaceDesc).
    Result Lock(const Rect* rect, SurfaceDesc* description, uint32_t flags, void* event);
    Result Unlock(const Rect* rect);

    Result SetColorKey(uint32_t flags, const ColorKey* key);
    Result SetPalette(Palette* palette);

    // A device context for text on this surface; give it back with ReleaseDC.
    Result GetDC(DeviceContext** context);
    Result ReleaseDC(DeviceContext* context);

    uint32_t AddRef();
    uint32_t Release();

    // For the platform's own code and for tests: the pixels as they stand,
    // where the driver keeps them within reach (null where it does not).
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    int32_t Pitch() const;
    const uint8_t* Pixels() const;
    Palette* AttachedPalette() const { return palette_; }

private:
    friend class DisplayDevice;
    Surface(DisplayDevice* device, void* native, int32_t width, int32_t height);
    ~Surface();
    // Locked, or lent out to a device context.
    bool IsBusy() const { return locked_ || context_ != nullptr; }

    DisplayDevice* device_;
    void* native_;
    int32_t width_;
    int32_t height_;
    bool locked_ = false;
    DeviceContext* context_ = nullptr;
    Palette* palette_ = nullptr;
    Surface* backBuffer_ = nullptr;   // on the primary surface only
    Surface* frontBuffer_ = nullptr;  // on the back buffer only
    // A primary surface released while the game held its back buffer: the
    // driver's chain goes with the back buffer, after it.
    void* orphanedFront_ = nullptr;
    uint32_t references_ = 1;
};

class DisplayDevice {
public:
    // Binds the device to the game's window.
    Result SetCooperativeLevel(WindowHandle window, uint32_t flags);
    // Takes the screen: only 640 x 480 at 8 bits per pixel is offered.
    Result SetDisplayMode(uint32_t width, uint32_t height, uint32_t bitsPerPixel);
    // The primary surface (DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX
    // with one back buffer, after the display mode is set) or an off-screen
    // surface (DDSCAPS_OFFSCREENPLAIN with a width and height of at least 1).
    // description->size must be sizeof(SurfaceDesc).
    Result CreateSurface(const SurfaceDesc* description, Surface** surface, void* outer);
    // A palette of 256 entries (DDPCAPS_8BIT; with DDPCAPS_ALLOW256 the first and
    // last are the caller's too).
    Result CreatePalette(uint32_t flags, const PaletteEntry* entries, Palette** palette,
                         void* outer);
    Result WaitForVerticalBlank(uint32_t flags, void* event);
    uint32_t AddRef();
    uint32_t Release();

private:
    friend Result CreateDisplay(const void* driver, DisplayDevice** device, void* outer);
    friend class Surface;
    explicit DisplayDevice(void* native) : native_(native) {}
    ~DisplayDevice();

    void* native_;
    bool modeSet_ = false;
    Surface* primary_ = nullptr;  // not a reference: the primary clears it when it goes
    std::vector<Palette*> palettes_;
    uint32_t references_ = 1;
};

// Makes the display device of the default display. driver and outer must be null.
Result CreateDisplay(const void* driver, DisplayDevice** device, void* outer);

}  // namespace platform
