// The screen: the game's 8-bit picture, expanded through its palette into one
// streaming texture and shown letterboxed on the desktop with its aspect kept.
#include <SDL.h>

#include <algorithm>
#include <string>

#include "platform/backend.h"
#include "platform/common/palette_expand.h"
#include "platform/sdl/session.h"

namespace platform {
namespace {

struct Screen {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int32_t width = 0;
    int32_t height = 0;
    bool hasFrame = false;
};

Screen screen;

void ReportFailure(const char* what) {
    backend::SetErrorText((std::string(what) + ": " + SDL_GetError()).c_str());
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
    // No vsync: the game paces itself with its own sleep after every frame.
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (renderer == nullptr) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    }
    return renderer;
}

// Black bars around the picture, then the picture.
void ShowTexture() {
    SDL_SetRenderDrawColor(screen.renderer, 0, 0, 0, 255);
    SDL_RenderClear(screen.renderer);
    SDL_RenderCopy(screen.renderer, screen.texture, nullptr, nullptr);
    SDL_RenderPresent(screen.renderer);
}

}  // namespace

bool backend::OpenScreen(int32_t width, int32_t height) {
    if (screen.renderer != nullptr) {
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
    screen.renderer = CreateRenderer(window);
    if (screen.renderer == nullptr) {
        ReportFailure("cannot open the screen");
        return false;
    }
    SDL_RenderSetLogicalSize(screen.renderer, width, height);
    screen.texture = SDL_CreateTexture(screen.renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_STREAMING, width, height);
    if (screen.texture == nullptr) {
        ReportFailure("cannot open the screen");
        SDL_DestroyRenderer(screen.renderer);
        screen = Screen{};
        return false;
    }
    // Every texel is opaque: copying beats blending, above all in software.
    SDL_SetTextureBlendMode(screen.texture, SDL_BLENDMODE_NONE);
    screen.width = width;
    screen.height = height;
    SDL_SetRenderDrawColor(screen.renderer, 0, 0, 0, 255);
    SDL_RenderClear(screen.renderer);
    SDL_RenderPresent(screen.renderer);
    return true;
}

void backend::CloseScreen() {
    if (screen.texture != nullptr) {
        SDL_DestroyTexture(screen.texture);
    }
    if (screen.renderer != nullptr) {
        SDL_DestroyRenderer(screen.renderer);
    }
    screen = Screen{};
}

void backend::Present(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                      const PaletteEntry* palette) {
    if (screen.texture == nullptr || pixels == nullptr) {
        return;
    }
    void* texturePixels = nullptr;
    int texturePitch = 0;
    if (SDL_LockTexture(screen.texture, nullptr, &texturePixels, &texturePitch) != 0) {
        ReportFailure("cannot show the frame");
        return;
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
    screen.hasFrame = true;
    ShowTexture();
}

void sdl::RepaintScreen() {
    if (screen.hasFrame) {
        ShowTexture();
    }
}

}  // namespace platform
