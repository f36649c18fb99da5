// What the game's window shows, read back through SDL: from the renderer's
// output where the screen has a renderer, else from the window's own pixels,
// which the screen paints directly when it renders in software.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform::testing {

// The window's size in pixels. Undoes a renderer's logical size, so that reads
// address window pixels, bars included.
inline SDL_Point WindowPixelsSize(SDL_Window* window) {
    SDL_Point size{};
    if (SDL_Renderer* renderer = SDL_GetRenderer(window)) {
        SDL_RenderSetLogicalSize(renderer, 0, 0);
        SDL_RenderSetViewport(renderer, nullptr);
        SDL_GetRendererOutputSize(renderer, &size.x, &size.y);
    } else if (SDL_Surface* surface = SDL_GetWindowSurface(window)) {
        size = {surface->w, surface->h};
    }
    return size;
}

// The colour shown at a pixel of the window, as 0xRRGGBB, or a value above
// 0xFFFFFF when it cannot be read.
inline uint32_t ShownAt(SDL_Window* window, int x, int y) {
    uint32_t pixel = 0;
    const SDL_Rect one{x, y, 1, 1};
    if (SDL_Renderer* renderer = SDL_GetRenderer(window)) {
        if (SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0) {
            return 0xFF000000u;
        }
        return pixel & 0xFFFFFFu;
    }
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr || x < 0 || y < 0 || x >= surface->w || y >= surface->h ||
        SDL_ConvertPixels(1, 1, surface->format->format,
                          static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch +
                              x * surface->format->BytesPerPixel,
                          surface->pitch, SDL_PIXELFORMAT_ARGB8888, &pixel, 4) != 0) {
        return 0xFF000000u;
    }
    return pixel & 0xFFFFFFu;
}

}  // namespace platform::testing
