// A row of equally sized off-screen surfaces ("frames") cut from a picture,
// each drawn with index 253 transparent.
#pragma once

#include <cstdint>

#include "platform/display.h"
#include "video/bitmap.h"

inline constexpr uint8_t kTransparentIndex = 253;

class SpriteSheet final {
public:
    SpriteSheet(int32_t frameCount, int32_t frameWidth, int32_t frameHeight);
    ~SpriteSheet();
    SpriteSheet(const SpriteSheet&) = delete;
    SpriteSheet& operator=(const SpriteSheet&) = delete;

    // 0 when the frame has no surface or the surface cannot be locked.
    int32_t LoadFrame(Bitmap& bitmap, int32_t frame, int32_t srcX, int32_t srcY);
    // The blit's result; a failure code, and nothing drawn, for a frame that
    // does not exist or has no surface.
    virtual platform::Result Draw(int32_t frame, int32_t x, int32_t y,
                                  platform::Surface* destination);
    void ReleaseSurfaces();

private:
    void CreateSurfaces();
    // The frame's surface, or null for a frame outside the sheet.
    platform::Surface* FrameSurface(int32_t frame) const;

    platform::Surface** surfaces;
    int32_t frameCount;
    int32_t frameWidth;
    int32_t frameHeight;
};

extern SpriteSheet* tileSheet;   // eight 20 x 20 block tiles, tile 0 the empty cell
extern SpriteSheet* digitSheet;  // ten 20 x 20 digits

// False only when the sheet itself cannot be allocated: a picture that cannot
// be read leaves its frames as they were made, and the game goes on.
bool LoadTileSheet();
bool LoadDigitSheet();
void ReleaseTileSheet();
void ReleaseDigitSheet();
