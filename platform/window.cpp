// The window, its class and the message queue: the checks, on every driver.
#include "platform/window.h"

#include "platform/api/api_failure.h"
#include "platform/driver/driver.h"

namespace platform {
namespace {

bool IconIsUsable(const IconImage* icon) {
    if (icon == nullptr || icon->pixels == nullptr || icon->colours == nullptr ||
        icon->width <= 0 || icon->height <= 0 || icon->width > 256 || icon->height > 256 ||
        icon->colourCount <= 0) {
        return false;
    }
    const auto count = static_cast<size_t>(icon->width) * static_cast<size_t>(icon->height);
    for (size_t i = 0; i < count; ++i) {
        if (icon->pixels[i] >= icon->colourCount) {
            return false;
        }
    }
    return true;
}

}  // namespace

InstanceHandle GetProgramInstance() {
    return driver::ProgramInstance();
}

uint16_t RegisterClass(const WindowClass* windowClass) {
    if (windowClass == nullptr || windowClass->className == nullptr ||
        windowClass->className[0] == '\0' || windowClass->procedure == nullptr) {
        detail::SetErrorText("cannot register the window class: it needs a name and a procedure");
        return 0;
    }
    // An icon that is no picture is left out; the window shows the program's own.
    WindowClass registered = *windowClass;
    if (!IconIsUsable(registered.icon)) {
        registered.icon = nullptr;
    }
    return driver::RegisterClass(registered);
}

WindowHandle CreateWindowEx(uint32_t /*exStyle*/, const char* className, const char* title,
                            uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                            WindowHandle /*parent*/, void* /*menu*/, InstanceHandle instance,
                            void* parameter) {
    if (className == nullptr) {
        detail::SetErrorText("cannot create the window: its class is not registered");
        return nullptr;
    }
    return driver::CreateWindow(className, title != nullptr ? title : "", style, x, y, width,
                                height, instance, parameter);
}

bool DestroyWindow(WindowHandle window) {
    return IsWindow(window) && driver::DestroyWindow(window);
}

bool IsWindow(WindowHandle window) {
    return window != nullptr && driver::IsWindow(window);
}

bool SetWindowIcon(WindowHandle window, const IconImage* icon) {
    return IsWindow(window) && IconIsUsable(icon) && driver::SetWindowIcon(window, *icon);
}

int32_t GetSystemMetrics(int index) {
    int32_t width = 0;
    int32_t height = 0;
    driver::DesktopSize(&width, &height);
    switch (index) {
        case SM_CXSCREEN:
            return width;
        case SM_CYSCREEN:
            return height;
        default:
            return 0;
    }
}

int32_t ShowCursor(bool show) {
    return driver::ShowCursor(show);
}

bool PeekMessage(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                 uint32_t removeFlags) {
    if (message == nullptr || filterMin > filterMax) {
        return false;
    }
    return driver::PeekMessage(message, window, filterMin, filterMax,
                               (removeFlags & PM_REMOVE) != 0);
}

bool TranslateMessage(const Message* message) {
    return message != nullptr && driver::TranslateMessage(*message);
}

intptr_t DispatchMessage(const Message* message) {
    if (message == nullptr || !IsWindow(message->window)) {
        return 0;
    }
    return driver::DispatchMessage(*message);
}

intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return driver::DefWindowProc(window, message, wParam, lParam);
}

void PostQuitMessage(int32_t exitCode) {
    driver::PostQuitMessage(exitCode);
}

void* BeginPaint(WindowHandle window, PaintInfo* paint) {
    if (!IsWindow(window)) {
        return nullptr;
    }
    return driver::BeginPaint(window, paint);
}

bool EndPaint(WindowHandle window, const PaintInfo* /*paint*/) {
    return IsWindow(window) && driver::EndPaint(window);
}

}  // namespace platform
