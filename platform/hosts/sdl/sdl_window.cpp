// The game's one window: full screen on the desktop, with its title and icon.
#include <SDL.h>

#include <string>

#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_session.h"

namespace platform {
namespace {

SDL_Window* window = nullptr;

void ReportFailure(const char* what) {
    host::SetErrorText((std::string(what) + ": " + SDL_GetError()).c_str());
}

// A 32-bit copy of the icon, each index looked up in the icon's colours. An
// index past the colours is left transparent.
SDL_Surface* MakeIconSurface(const IconImage& icon) {
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormat(0, icon.width, icon.height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface == nullptr) {
        return nullptr;
    }
    auto* rows = static_cast<uint8_t*>(surface->pixels);
    for (int32_t y = 0; y < icon.height; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(rows + static_cast<ptrdiff_t>(y) * surface->pitch);
        const uint8_t* indices = icon.pixels + static_cast<ptrdiff_t>(y) * icon.width;
        for (int32_t x = 0; x < icon.width; ++x) {
            const uint8_t index = indices[x];
            row[x] =
                index < icon.colourCount ? 0xFF000000u | (icon.colours[index] & 0xFFFFFFu) : 0u;
        }
    }
    return surface;
}

}  // namespace

bool host::OpenWindow(const char* title) {
    if (window != nullptr) {
        SetErrorText("cannot open a second window");
        return false;
    }
    if (!sdl::StartVideo()) {
        return false;
    }
    // Sized to the desktop as well, for a desktop without a window manager,
    // where full screen is only a request that nobody carries out.
    SDL_DisplayMode desktop{};
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0 || desktop.w <= 0 || desktop.h <= 0) {
        desktop.w = 640;
        desktop.h = 480;
    }
    window = SDL_CreateWindow(title != nullptr ? title : "", SDL_WINDOWPOS_CENTERED,
                              SDL_WINDOWPOS_CENTERED, desktop.w, desktop.h,
                              SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (window == nullptr) {
        ReportFailure("cannot open the window");
        return false;
    }
    return true;
}

void host::CloseWindow() {
    if (window == nullptr) {
        return;
    }
    // The screen draws into the window and cannot outlive it.
    CloseScreen();
    SDL_DestroyWindow(window);
    window = nullptr;
}

void host::SetIcon(const IconImage& icon) {
    if (window == nullptr || icon.width <= 0 || icon.height <= 0 || icon.pixels == nullptr ||
        icon.colours == nullptr) {
        return;
    }
    SDL_Surface* surface = MakeIconSurface(icon);
    if (surface == nullptr) {
        ReportFailure("cannot make the window icon");
        return;
    }
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

void host::SetCursorVisible(bool visible) {
    if (sdl::StartVideo()) {
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    }
}

void host::DesktopSize(int32_t* width, int32_t* height) {
    SDL_DisplayMode mode{};
    if (sdl::StartVideo()) {
        const int display = window != nullptr ? SDL_GetWindowDisplayIndex(window) : 0;
        if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) {
            ReportFailure("cannot read the desktop size");
            mode = SDL_DisplayMode{};
        }
    }
    if (width != nullptr) {
        *width = mode.w;
    }
    if (height != nullptr) {
        *height = mode.h;
    }
}

uint32_t sdl::WindowId() {
    return window != nullptr ? SDL_GetWindowID(window) : 0;
}

}  // namespace platform
