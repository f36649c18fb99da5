// The screen: the game's 8-bit picture, expanded through its palette and
// shown on the desktop between black bars with its aspect kept.
//
// With a video card, the picture goes into one streaming texture of its own
// size, and the card stretches it to the window. Without one, SDL's software
// renderer would stretch it pixel by pixel through its generic blitter and
// then copy the whole window once more, which costs far more than the rest of
// a frame together; there the picture is stretched while it is expanded,
// straight into the window's own pixels, and the bars are painted only when
// the window's size changes.
//
// A frame whose pixels and palette equal those on the screen is neither
// expanded nor presented again: the window keeps showing it, and the window
// system's requests to repaint are met from the copy kept here.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "platform/hosts/host.h"
#include "platform/hosts/host_palette_expand.h"
#include "platform/hosts/sdl/sdl_picture_box.h"
#include "platform/hosts/sdl/sdl_session.h"

namespace platform {
namespace {

struct Screen {
    bool open = false;
    int32_t width = 0;  // the game's picture
    int32_t height = 0;
    // With a video card.
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    // Without one: the window's pixels and the size they had when the bars
    // were painted.
    SDL_Window* window = nullptr;
    SDL_Point paintedSize{};
    // The frame on the screen, rows without padding, and its palette: a frame
    // equal to it is not shown again, and a resized window is painted anew
    // from it.
    std::vector<uint8_t> lastFrame;
    std::array<PaletteEntry, 256> lastPalette{};
    int32_t lastWidth = 0;
    int32_t lastHeight = 0;
    bool hasFrame = false;
};

Screen screen;

void ReportFailure(const char* what) {
    host::SetErrorText((std::string(what) + ": " + SDL_GetError()).c_str());
}

// Where the picture goes in a window of the given size.
SDL_Rect Letterbox(int32_t windowWidth, int32_t windowHeight) {
    const sdl::Box box = sdl::PictureBox(windowWidth, windowHeight, screen.width, screen.height);
    return SDL_Rect{box.x, box.y, box.width, box.height};
}

// --- With a video card ---------------------------------------------------

bool OpenTextureScreen(SDL_Window* window) {
    // No vsync: the game paces itself with its own sleep after every frame.
    screen.renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (screen.renderer == nullptr) {
        return false;
    }
    screen.texture = SDL_CreateTexture(screen.renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_STREAMING, screen.width, screen.height);
    if (screen.texture == nullptr) {
        return false;
    }
    // Every texel is opaque: copying beats blending.
    SDL_SetTextureBlendMode(screen.texture, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawColor(screen.renderer, 0, 0, 0, 255);
    SDL_RenderClear(screen.renderer);
    SDL_RenderPresent(screen.renderer);
    return true;
}

// Black bars around the picture, then the picture.
void ShowTexture() {
    SDL_SetRenderDrawColor(screen.renderer, 0, 0, 0, 255);
    SDL_RenderClear(screen.renderer);
    int outputWidth = 0;
    int outputHeight = 0;
    SDL_GetRendererOutputSize(screen.renderer, &outputWidth, &outputHeight);
    const SDL_Rect box = Letterbox(outputWidth, outputHeight);
    SDL_RenderCopy(screen.renderer, screen.texture, nullptr, &box);
    SDL_RenderPresent(screen.renderer);
}

bool PresentThroughTexture(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                           const PaletteEntry* palette) {
    void* texturePixels = nullptr;
    int texturePitch = 0;
    if (SDL_LockTexture(screen.texture, nullptr, &texturePixels, &texturePitch) != 0) {
        ReportFailure("cannot show the frame");
        return false;
    }
    // A picture of another size shows in the top-left corner, never past the
    // edge of the texture.
    if (width != screen.width || height != screen.height) {
        std::fill_n(static_cast<uint8_t*>(texturePixels),
                    static_cast<size_t>(texturePitch) * static_cast<size_t>(screen.height), 0);
    }
    ExpandThroughPalette(pixels, pitch, std::min(width, screen.width),
                         std::min(height, screen.height), palette, texturePixels, texturePitch);
    SDL_UnlockTexture(screen.texture);
    ShowTexture();
    return true;
}

// --- Without one -------------------------------------------------------------

// The expansion writes 0xAARRGGBB words, which the window takes as they are
// when its pixels are 32-bit with red, green and blue in those places.
bool TakesExpandedPixels(const SDL_Surface* surface) {
    const SDL_PixelFormat* format = surface->format;
    return format->BytesPerPixel == 4 && format->Rmask == 0xFF0000u && format->Gmask == 0x00FF00u &&
           format->Bmask == 0x0000FFu;
}

bool OpenWindowScreen(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        return false;
    }
    screen.window = window;
    SDL_FillRect(surface, nullptr, 0);
    screen.paintedSize = {surface->w, surface->h};
    SDL_UpdateWindowSurface(window);
    return true;
}

// Stretches the picture into the window's box, through a 32-bit picture of
// the box's size when the window's pixels are of another kind.
void ExpandIntoWindow(SDL_Surface* surface, const SDL_Rect& box, const uint8_t* pixels,
                      int32_t pitch, int32_t width, int32_t height, const PaletteEntry* palette) {
    if (TakesExpandedPixels(surface)) {
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
            return;
        }
        auto* corner = static_cast<uint8_t*>(surface->pixels) +
                       static_cast<ptrdiff_t>(box.y) * surface->pitch + box.x * 4;
        ExpandThroughPaletteScaled(pixels, pitch, width, height, palette, corner, surface->pitch,
                                   box.w, box.h);
        if (SDL_MUSTLOCK(surface)) {
            SDL_UnlockSurface(surface);
        }
        return;
    }
    SDL_Surface* converted =
        SDL_CreateRGBSurfaceWithFormat(0, box.w, box.h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (converted == nullptr) {
        return;
    }
    ExpandThroughPaletteScaled(pixels, pitch, width, height, palette, converted->pixels,
                               converted->pitch, box.w, box.h);
    SDL_Rect target = box;
    SDL_BlitSurface(converted, nullptr, surface, &target);
    SDL_FreeSurface(converted);
}

bool PaintWindow(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                 const PaletteEntry* palette) {
    // A resized window has new pixels: its bars are painted again.
    SDL_Surface* surface = SDL_GetWindowSurface(screen.window);
    if (surface == nullptr) {
        ReportFailure("cannot show the frame");
        return false;
    }
    if (surface->w != screen.paintedSize.x || surface->h != screen.paintedSize.y) {
        SDL_FillRect(surface, nullptr, 0);
        screen.paintedSize = {surface->w, surface->h};
    }
    // Whatever its size, the picture fills the box between the bars.
    ExpandIntoWindow(surface, Letterbox(surface->w, surface->h), pixels, pitch, width, height,
                     palette);
    SDL_UpdateWindowSurface(screen.window);
    return true;
}

void RepaintWindow() {
    SDL_Surface* surface = SDL_GetWindowSurface(screen.window);
    if (surface != nullptr && surface->w == screen.paintedSize.x &&
        surface->h == screen.paintedSize.y) {
        SDL_UpdateWindowSurface(screen.window);
        return;
    }
    PaintWindow(screen.lastFrame.data(), screen.lastWidth, screen.lastWidth, screen.lastHeight,
                screen.lastPalette.data());
}

// --- Frames that change nothing ---------------------------------------------

// Takes the frame as the one to be shown and says whether it differs from the
// one on the screen. The title screen, the end screen and most passes of play
// show the same picture again and again; comparing costs a small part of
// expanding and presenting it.
bool KeepIfChanged(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                   const PaletteEntry* palette) {
    bool changed = !screen.hasFrame || width != screen.lastWidth || height != screen.lastHeight ||
                   std::memcmp(palette, screen.lastPalette.data(), sizeof screen.lastPalette) != 0;
    const auto rowBytes = static_cast<size_t>(width);
    screen.lastFrame.resize(rowBytes * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* kept = screen.lastFrame.data() + static_cast<size_t>(y) * rowBytes;
        const uint8_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
        if (changed || std::memcmp(kept, row, rowBytes) != 0) {
            std::memcpy(kept, row, rowBytes);
            changed = true;
        }
    }
    std::memcpy(screen.lastPalette.data(), palette, sizeof screen.lastPalette);
    screen.lastWidth = width;
    screen.lastHeight = height;
    return changed;
}

}  // namespace

bool host::OpenScreen(int32_t width, int32_t height) {
    if (screen.open) {
        SetErrorText("the screen is already open");
        return false;
    }
    SDL_Window* window = SDL_GetWindowFromID(sdl::WindowId());
    if (window == nullptr || width <= 0 || height <= 0) {
        SetErrorText("cannot open the screen: there is no window to show it in");
        return false;
    }
    // Hard pixel edges when the picture is scaled up to the desktop.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    screen.width = width;
    screen.height = height;
    if (!OpenTextureScreen(window)) {
        CloseScreen();
        screen.width = width;
        screen.height = height;
        if (!OpenWindowScreen(window)) {
            ReportFailure("cannot open the screen");
            CloseScreen();
            return false;
        }
    }
    screen.open = true;
    return true;
}

void host::CloseScreen() {
    if (screen.texture != nullptr) {
        SDL_DestroyTexture(screen.texture);
    }
    if (screen.renderer != nullptr) {
        SDL_DestroyRenderer(screen.renderer);
    }
    screen = Screen{};
}

void host::Present(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                   const PaletteEntry* palette) {
    static const PaletteEntry kBlack[256] = {};
    if (!screen.open || pixels == nullptr || width <= 0 || height <= 0) {
        return;
    }
    if (palette == nullptr) {
        palette = kBlack;
    }
    if (!KeepIfChanged(pixels, pitch, width, height, palette)) {
        return;  // the screen shows it already; an uncovered window is repainted on its own
    }
    screen.hasFrame = screen.renderer != nullptr
                          ? PresentThroughTexture(pixels, pitch, width, height, palette)
                          : PaintWindow(pixels, pitch, width, height, palette);
}

void sdl::RepaintScreen() {
    if (!screen.hasFrame) {
        return;
    }
    if (screen.renderer != nullptr) {
        ShowTexture();
    } else {
        RepaintWindow();
    }
}

}  // namespace platform
