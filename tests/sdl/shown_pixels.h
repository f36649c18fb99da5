// What the game's window shows under SDL's dummy video driver.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform::testing {

inline SDL_Point WindowPixelsSize(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    return surface != nullptr ? SDL_Point{surface->w, surface->h} : SDL_Point{};
}

// As 0xRRGGBB, or a value above 0xFFFFFF when it cannot be read.
inline uint32_t ShownAt(SDL_Window* window, int x, int y) {
    uint32_t pixel = 0;
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
