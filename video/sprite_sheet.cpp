// A row of equally sized frames, each in an off-screen surface of its own,
// drawn with index 253 showing what lies behind.
#include "video/sprite_sheet.h"

#include <new>

#include "video/game_screen.h"

SpriteSheet::SpriteSheet(int32_t count, int32_t width, int32_t height)
    : surfaces(nullptr), frameCount(count > 0 ? count : 0), frameWidth(width), frameHeight(height) {
    surfaces = new (std::nothrow) platform::Surface*[static_cast<size_t>(frameCount)]();
    if (surfaces == nullptr) {
        frameCount = 0;
    }
    CreateSurfaces();
}

SpriteSheet::~SpriteSheet() {
    delete[] surfaces;
}

void SpriteSheet::CreateSurfaces() {
    if (directDraw == nullptr || frameWidth <= 0 || frameHeight <= 0) {
        return;
    }
    platform::SurfaceDesc description{};
    description.size = sizeof(platform::SurfaceDesc);
    description.flags = platform::DDSD_CAPS | platform::DDSD_HEIGHT | platform::DDSD_WIDTH;
    description.height = static_cast<uint32_t>(frameHeight);
    description.width = static_cast<uint32_t>(frameWidth);
    description.caps.caps = platform::DDSCAPS_OFFSCREENPLAIN;
    const platform::ColorKey transparent{kTransparentIndex, kTransparentIndex};

    for (int32_t frame = 0; frame < frameCount; ++frame) {
        platform::Surface*& surface = surfaces[frame];
        if (platform::Failed(directDraw->CreateSurface(&description, &surface, nullptr))) {
            surface = nullptr;
        }
        if (surface != nullptr) {
            surface->SetColorKey(platform::DDCKEY_SRCBLT, &transparent);
        }
    }
}

platform::Surface* SpriteSheet::FrameSurface(int32_t frame) const {
    if (frame < 0 || frame >= frameCount) {
        return nullptr;
    }
    return surfaces[frame];
}

int32_t SpriteSheet::LoadFrame(Bitmap& bitmap, int32_t frame, int32_t srcX, int32_t srcY) {
    platform::Surface* surface = FrameSurface(frame);
    if (surface == nullptr) {
        return 0;
    }
    return bitmap.CopyToSurface(surface, frameWidth, frameHeight, srcX, srcY);
}

platform::Result SpriteSheet::Draw(int32_t frame, int32_t x, int32_t y,
                                   platform::Surface* destination) {
    platform::Surface* surface = FrameSurface(frame);
    if (surface == nullptr || destination == nullptr) {
        return platform::kErrInvalidParams;
    }
    // There is no clipper: a frame must lie wholly inside the destination.
    if (x < 0 || y < 0) {
        return platform::kErrInvalidRect;
    }
    return destination->BltFast(static_cast<uint32_t>(x), static_cast<uint32_t>(y), surface,
                                nullptr,
                                platform::DDBLTFAST_SRCCOLORKEY | platform::DDBLTFAST_WAIT);
}

void SpriteSheet::ReleaseSurfaces() {
    for (int32_t frame = 0; frame < frameCount; ++frame) {
        if (surfaces[frame] != nullptr) {
            surfaces[frame]->Release();
            surfaces[frame] = nullptr;
        }
    }
}
