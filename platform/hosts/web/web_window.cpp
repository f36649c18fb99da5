// The game's one window is the page itself: its title, its icon and its
// canvas. The browser has no close request for a page to answer; a player
// who is done closes the tab.
#include <emscripten.h>

#include <vector>

#include "platform/hosts/host.h"
#include "platform/hosts/web/web_page.h"

namespace platform {
namespace {

bool windowOpen = false;

// clang-format off
EM_JS(void, SetPageTitle, (const char* title), {
    document.title = UTF8ToString(title);
});

// The icon as the page's own, drawn from 32-bit colours through a canvas.
EM_JS(void, SetPageIcon, (const uint32_t* colours, int width, int height), {
    const canvas = document.createElement("canvas");
    canvas.width = width;
    canvas.height = height;
    const context = canvas.getContext("2d");
    const picture = context.createImageData(width, height);
    const words = HEAPU32.subarray(colours >> 2, (colours >> 2) + width * height);
    for (let i = 0; i < words.length; ++i) {
        picture.data[4 * i] = (words[i] >> 16) & 255;
        picture.data[4 * i + 1] = (words[i] >> 8) & 255;
        picture.data[4 * i + 2] = words[i] & 255;
        picture.data[4 * i + 3] = words[i] >>> 24;
    }
    context.putImageData(picture, 0, 0);
    let link = document.querySelector("link[rel='icon']");
    if (!link) {
        link = document.createElement("link");
        link.rel = "icon";
        document.head.appendChild(link);
    }
    link.href = canvas.toDataURL("image/png");
});

EM_JS(void, SetPageCursorVisible, (int visible), {
    const screen = document.getElementById("screen");
    if (screen) {
        screen.style.cursor = visible ? "" : "none";
    }
});

EM_JS(int, PageWidth, (), { return window.innerWidth; });
EM_JS(int, PageHeight, (), { return window.innerHeight; });
// clang-format on

}  // namespace

bool host::OpenWindow(const char* title) {
    if (windowOpen) {
        SetErrorText("cannot open a second window");
        return false;
    }
    SetPageTitle(title != nullptr ? title : "");
    web::ListenToKeys();
    windowOpen = true;
    return true;
}

void host::CloseWindow() {
    if (windowOpen) {
        CloseScreen();
        windowOpen = false;
    }
}

void host::SetIcon(const IconImage& icon) {
    if (!windowOpen || icon.width <= 0 || icon.height <= 0 || icon.pixels == nullptr ||
        icon.colours == nullptr) {
        return;
    }
    // An index past the colours is left transparent.
    std::vector<uint32_t> colours(static_cast<size_t>(icon.width) * icon.height);
    for (size_t i = 0; i < colours.size(); ++i) {
        const uint8_t index = icon.pixels[i];
        colours[i] =
            index < icon.colourCount ? 0xFF000000u | (icon.colours[index] & 0xFFFFFFu) : 0u;
    }
    SetPageIcon(colours.data(), icon.width, icon.height);
}

void host::SetCursorVisible(bool visible) {
    SetPageCursorVisible(visible ? 1 : 0);
}

void host::DesktopSize(int32_t* width, int32_t* height) {
    if (width != nullptr) {
        *width = PageWidth();
    }
    if (height != nullptr) {
        *height = PageHeight();
    }
}

// The page's events come to the host as they happen (web_keys.cpp), so there
// is nothing to move into the queue here.
void host::PumpEvents() {}

}  // namespace platform
