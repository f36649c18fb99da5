// A full-screen picture for the title and end screens.
#pragma once

#include "video/sprite_sheet.h"

inline constexpr int32_t kScreenWidth = 640;
inline constexpr int32_t kScreenHeight = 480;

// Fills a one-frame sheet from the picture file. With applyPalette the
// picture's own colours become the screen's.
void LoadScreenPicture(SpriteSheet& sheet, const char* fileName, bool applyPalette);
