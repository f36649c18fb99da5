// The screen: the game's 8-bit picture, expanded through its palette into one
// streaming texture and shown letterboxed on the desktop with its aspect kept.
//
// Who stretches the picture depends on the renderer. A renderer on a video
// card gets a texture of the picture's own size and stretches it itself. A
// software renderer would stretch it pixel by pixel through SDL's generic
// blitter, which costs far more than the rest of a frame together; there the
// texture is as large as the window, the bars are painted into it once, and
// every frame is stretched into its middle while it is expanded.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/backend.h"
#include "platform/common/palette_expand.h"
#include "platform/sdl/session.h"

namespace platform {
namespace {

// The texture's format: 32-bit pixels with an unused top byte, which the
// expansion's opaque 0xFFRRGGBB fills correctly, and which is a window's
// format in software, so that showing the texture is a plain copy.
constexpr Uint32 kTextureFormat = SDL_PIXELFORMAT_RGB888;

struct Screen {
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    int32_t width = 0;  // the game's picture
    int32_t height = 0;
    bool stretchedHere = false;  // by the expansion, into a window-sized texture
    SDL_Point textureSize{};
    SDL_Rect picture{};  // where the picture lies in the texture
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

bool RendersInSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    return SDL_GetRendererInfo(renderer, &info) != 0 || (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

// The largest rectangle of the picture's aspect that fits the output, in its
// middle.
SDL_Rect Letterbox(SDL_Point output) {
    const int64_t wide = int64_t{output.x} * screen.height;
    const int64_t tall = int64_t{output.y} * screen.width;
    SDL_Rect box{0, 0, output.x, output.y};
    if (wide > tall) {
        box.w = static_cast<int>(tall / screen.height);
    } else {
        box.h = static_cast<int>(wide / screen.width);
    }
    box.x = (output.x - box.w) / 2;
    box.y = (output.y - box.h) / 2;
    return box;
}

// A new window-sized texture for the current output size, black all over.
bool MakeWindowSizedTexture() {
    SDL_Point output{};
    if (SDL_GetRendererOutputSize(screen.renderer, &output.x, &output.y) != 0 || output.x <= 0 ||
        output.y <= 0) {
        return false;
    }
    if (screen.texture != nullptr) {
        SDL_DestroyTexture(screen.texture);
    }
    screen.texture = SDL_CreateTexture(screen.renderer, kTextureFormat, SDL_TEXTUREACCESS_STREAMING,
                                       output.x, output.y);
    if (screen.texture == nullptr) {
        return false;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(screen.texture, nullptr, &pixels, &pitch) != 0) {
        return false;
    }
    std::memset(pixels, 0, static_cast<size_t>(pitch) * static_cast<size_t>(output.y));
    SDL_UnlockTexture(screen.texture);
    screen.textureSize = output;
    screen.picture = Letterbox(output);
    return true;
}

bool OutputSizeChanged() {
    SDL_Point output{};
    return SDL_GetRendererOutputSize(screen.renderer, &output.x, &output.y) == 0 &&
           (output.x != screen.textureSize.x || output.y != screen.textureSize.y);
}

bool MakeTexture() {
    if (screen.stretchedHere) {
        return MakeWindowSizedTexture();
    }
    SDL_RenderSetLogicalSize(screen.renderer, screen.width, screen.height);
    screen.texture = SDL_CreateTexture(screen.renderer, kTextureFormat, SDL_TEXTUREACCESS_STREAMING,
                                       screen.width, screen.height);
    return screen.texture != nullptr;
}

// The picture at its full size in the texture; another size shows in the
// top-left corner, never past the edge of the texture.
void FillPictureSizedTexture(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                             const PaletteEntry* palette, void* texturePixels, int texturePitch) {
    if (width != screen.width || height != screen.height) {
        std::fill_n(static_cast<uint8_t*>(texturePixels),
                    static_cast<size_t>(texturePitch) * static_cast<size_t>(screen.height), 0);
    }
    ExpandThroughPalette(pixels, pitch, std::min(width, screen.width),
                         std::min(height, screen.height), palette, texturePixels, texturePitch);
}

// Black bars around the picture, then the picture. A window-sized texture
// holds its own bars and covers the whole window.
void ShowTexture() {
    if (!screen.stretchedHere) {
        SDL_SetRenderDrawColor(screen.renderer, 0, 0, 0, 255);
        SDL_RenderClear(screen.renderer);
    }
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
    screen.width = width;
    screen.height = height;
    screen.stretchedHere = RendersInSoftware(screen.renderer);
    if (!MakeTexture()) {
        ReportFailure("cannot open the screen");
        CloseScreen();
        return false;
    }
    // Every texel is opaque: copying beats blending, above all in software.
    SDL_SetTextureBlendMode(screen.texture, SDL_BLENDMODE_NONE);
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
    // A resized window needs a texture of its new size.
    if (screen.stretchedHere && OutputSizeChanged() && !MakeWindowSizedTexture()) {
        ReportFailure("cannot show the frame");
        return;
    }
    const SDL_Rect* area = screen.stretchedHere ? &screen.picture : nullptr;
    void* texturePixels = nullptr;
    int texturePitch = 0;
    if (SDL_LockTexture(screen.texture, area, &texturePixels, &texturePitch) != 0) {
        ReportFailure("cannot show the frame");
        return;
    }
    if (screen.stretchedHere) {
        // Whatever its size, the picture fills the box between the bars.
        ExpandThroughPaletteScaled(pixels, pitch, width, height, palette, texturePixels,
                                   texturePitch, screen.picture.w, screen.picture.h);
    } else {
        FillPictureSizedTexture(pixels, pitch, width, height, palette, texturePixels, texturePitch);
    }
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
