// The headless window system: a window that exists only as state, a desktop
// of 1920 x 1080, and close and expose requests that tests make.
#include <string>

#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/headless/headless_state.h"
#include "platform/hosts/host.h"

namespace platform {
namespace {

constexpr int32_t kDesktopWidth = 1920;
constexpr int32_t kDesktopHeight = 1080;

struct WindowState {
    bool open = false;
    std::string title;
    bool cursorVisible = true;
    bool hasIcon = false;
};

WindowState window;

void ResetWindow() {
    detail::ResetWindowSystem();
    window = WindowState{};
}

const headless::ResetOnFreshMachine kResetWindow{&ResetWindow};

}  // namespace

bool host::OpenWindow(const char* title) {
    window.open = true;
    window.title = title != nullptr ? title : "";
    return true;
}

void host::CloseWindow() {
    window.open = false;
    window.hasIcon = false;
}

void host::SetIcon(const IconImage& /*icon*/) {
    window.hasIcon = window.open;
}

void host::SetCursorVisible(bool visible) {
    window.cursorVisible = visible;
}

void host::DesktopSize(int32_t* width, int32_t* height) {
    *width = kDesktopWidth;
    *height = kDesktopHeight;
}

// Headless events go straight into the queue when a test makes them, so
// there is never anything left to move.
void host::PumpEvents() {}

// Nothing can arrive while the game waits, so the wait lasts its whole
// timeout on the manual clock.
void host::WaitForEvent(uint32_t timeoutMilliseconds) {
    headless::AdvanceTicks(timeoutMilliseconds);
}

void headless::RequestClose() {
    detail::QueueSystemMessage(WM_CLOSE);
}

void headless::Expose() {
    detail::QueueSystemMessage(WM_PAINT);
}

bool headless::WindowOpen() {
    return window.open;
}

const char* headless::WindowTitle() {
    return window.title.c_str();
}

bool headless::CursorVisible() {
    return window.cursorVisible;
}

bool headless::WindowHasIcon() {
    return window.hasIcon;
}

}  // namespace platform
