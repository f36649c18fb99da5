// The display: the 640 x 480 x 8 screen, its flip chain and two palettes,
// clearing, text, the loading screen and presenting a frame.
#pragma once

#include <cstdint>

#include "platform/display.h"
#include "platform/text.h"

extern platform::DisplayDevice* directDraw;
extern platform::Surface* primarySurface;
extern platform::Surface* backBuffer;
extern platform::Palette* primaryPalette;
extern platform::Palette* backBufferPalette;

int32_t InitDisplay(int32_t width, int32_t height, int32_t bitsPerPixel);
int32_t CreateScreenSurfaces();
platform::Palette* CreateBlackPalette(platform::Surface* surface);
void ClearBackBuffer();
void DrawString(const char* text, int32_t x, int32_t y, platform::ColorRef colour);
void ShowLoadingScreen();
// Flips the finished frame into view, then sleeps 40 ms.
void PresentFrame();
void ReleaseScreenSurfaces();
void ReleaseDisplay();
