// The screen: the game's 8-bit picture, expanded through its palette and
// shown on the desktop between black bars with its aspect kept.
//
// With a video card, the picture goes into one streaming texture of its own
// size, and the card stretches it to the window. Without one, SDL's software
// renderer, or an OpenGL the processor draws, would stretch it pixel by pixel
// and then copy the whole window once more, which costs far more than the rest
// of a frame together; there the picture is stretched while it is expanded,
// straight into the window's own pixels, and the bars are painted only when
// the window's size changes.
//
// A frame costs what it changes: the rows that differ from the frame on the
// screen are expanded and stretched into the window, and only their blocks
// are handed to the window system, which on a large desktop without a video
// card costs more than all the rest. A frame equal to the one shown is not
// presented at all. The window system's requests to repaint are met from the
// copy kept here.
#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "platform/hosts/host.h"
#include "platform/hosts/host_palette_expand.h"
#include "platform/hosts/host_shown_frame.h"
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
    // The frame on the screen: the next one is held against it, and a resized
    // window is painted anew from it.
    host::ShownFrame shown;
    std::vector<SDL_Rect> rects;  // the window's blocks to hand over, kept for their memory
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

// Whether the renderer's OpenGL is drawn by the processor: Mesa's rasterizers
// on a machine without a video card (a virtual machine, a remote desktop)
// answer for OpenGL, so SDL takes them for a card. They fill and stretch the
// whole window every frame, and the whole window is then handed to the X
// server; showing only the changed rows costs a small part of that.
bool DrawsOnTheProcessor(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    if (SDL_GetRendererInfo(renderer, &info) != 0) {
        return false;
    }
    if ((info.flags & SDL_RENDERER_SOFTWARE) != 0) {
        return true;
    }
    if (std::strncmp(info.name, "opengl", 6) != 0) {
        return false;
    }
    // The renderer's context is the current one.
    using GetString = const unsigned char* (*)(unsigned int);
    auto* getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    if (getString == nullptr) {
        return false;
    }
    constexpr unsigned int kRendererName = 0x1F01;  // GL_RENDERER
    const auto* name = reinterpret_cast<const char*>(getString(kRendererName));
    if (name == nullptr) {
        return false;
    }
    for (const char* rasterizer : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast"}) {
        if (std::strstr(name, rasterizer) != nullptr) {
            return true;
        }
    }
    return false;
}

// The X server takes the window's pixels from us directly, block by block.
// (Other window systems get them through a renderer of SDL's own.)
bool WindowTakesPixelsDirectly() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "x11") == 0;
}

bool OpenTextureScreen(SDL_Window* window) {
    // No vsync: the game paces itself with its own sleep after every frame.
    screen.renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED);
    if (screen.renderer == nullptr) {
        return false;
    }
    if (WindowTakesPixelsDirectly() && DrawsOnTheProcessor(screen.renderer)) {
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
    // SDL would otherwise put the window's pixels through an OpenGL renderer
    // of its own when there is one, which presents the whole window for every
    // changed block.
    if (WindowTakesPixelsDirectly()) {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
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

// Stretches the part of the picture that shows in `part` of the window's box
// into the window, through a 32-bit picture of the part's size when the
// window's pixels are of another kind.
void ExpandIntoWindow(SDL_Surface* surface, const SDL_Rect& box, const SDL_Rect& part,
                      const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                      const PaletteEntry* palette) {
    const OutputPart inBox{part.x - box.x, part.y - box.y, part.w, part.h};
    if (TakesExpandedPixels(surface)) {
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) {
            return;
        }
        auto* corner = static_cast<uint8_t*>(surface->pixels) +
                       static_cast<ptrdiff_t>(part.y) * surface->pitch + part.x * 4;
        ExpandThroughPaletteScaledPart(pixels, pitch, width, height, palette, corner,
                                       surface->pitch, box.w, box.h, inBox);
        if (SDL_MUSTLOCK(surface)) {
            SDL_UnlockSurface(surface);
        }
        return;
    }
    SDL_Surface* converted =
        SDL_CreateRGBSurfaceWithFormat(0, part.w, part.h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (converted == nullptr) {
        return;
    }
    ExpandThroughPaletteScaledPart(pixels, pitch, width, height, palette, converted->pixels,
                                   converted->pitch, box.w, box.h, inBox);
    SDL_Rect target = part;
    SDL_BlitSurface(converted, nullptr, surface, &target);
    SDL_FreeSurface(converted);
}

// Paints the changed blocks of the picture into the window and hands the
// window system those blocks alone; a resized window is painted whole.
bool PaintWindow(std::span<const host::Block> changed) {
    SDL_Surface* surface = SDL_GetWindowSurface(screen.window);
    if (surface == nullptr) {
        ReportFailure("cannot show the frame");
        return false;
    }
    const host::ShownFrame& frame = screen.shown;
    const host::Block wholeFrame{0, 0, frame.Width(), frame.Height()};
    const bool resized = surface->w != screen.paintedSize.x || surface->h != screen.paintedSize.y;
    if (resized) {
        SDL_FillRect(surface, nullptr, 0);
        screen.paintedSize = {surface->w, surface->h};
        changed = std::span(&wholeFrame, 1);
    }
    // Whatever its size, the picture fills the box between the bars.
    const SDL_Rect box = Letterbox(surface->w, surface->h);
    const sdl::Box boxAsDrawn{box.x, box.y, box.w, box.h};
    screen.rects.clear();
    for (const host::Block& block : changed) {
        const sdl::Box part = sdl::ShownPart(
            boxAsDrawn, frame.Width(), frame.Height(),
            {block.left, block.top, block.right - block.left, block.bottom - block.top});
        if (part.width <= 0 || part.height <= 0) {
            continue;
        }
        const SDL_Rect rect{part.x, part.y, part.width, part.height};
        ExpandIntoWindow(surface, box, rect, frame.Pixels(), frame.Width(), frame.Width(),
                         frame.Height(), frame.Palette());
        screen.rects.push_back(rect);
    }
    const bool whole =
        resized ||
        (changed.size() == 1 && changed.front().left == 0 && changed.front().top == 0 &&
         changed.front().right == frame.Width() && changed.front().bottom == frame.Height());
    if (whole) {
        SDL_UpdateWindowSurface(screen.window);
    } else if (!screen.rects.empty()) {
        SDL_UpdateWindowSurfaceRects(screen.window, screen.rects.data(),
                                     static_cast<int>(screen.rects.size()));
    }
    return true;
}

void RepaintWindow() {
    SDL_Surface* surface = SDL_GetWindowSurface(screen.window);
    if (surface != nullptr && surface->w == screen.paintedSize.x &&
        surface->h == screen.paintedSize.y) {
        SDL_UpdateWindowSurface(screen.window);
        return;
    }
    if (!PaintWindow({})) {
        screen.shown.Forget();
    }
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
    const std::span<const host::Block> changed =
        screen.shown.Take(pixels, pitch, width, height, palette);
    if (changed.empty()) {
        return;  // the screen shows it already; an uncovered window is repainted on its own
    }
    const bool shown = screen.renderer != nullptr
                           ? PresentThroughTexture(pixels, pitch, width, height, palette)
                           : PaintWindow(changed);
    if (!shown) {
        screen.shown.Forget();  // the next frame is painted whole
    }
}

void sdl::RepaintScreen() {
    if (!screen.shown.Kept()) {
        return;
    }
    if (screen.renderer != nullptr) {
        ShowTexture();
    } else {
        RepaintWindow();
    }
}

}  // namespace platform
