// The window class registry and the game's one window.
#include <vector>

#include "platform/backend.h"
#include "platform/common/window_system.h"
#include "platform/window.h"

namespace platform {
namespace {

// Windows that are gone stay allocated until the machine is reset, so a stale
// handle never names a newer window.
std::vector<std::unique_ptr<WindowObject>>& RetiredWindows() {
    static std::vector<std::unique_ptr<WindowObject>> retired;
    return retired;
}

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

const detail::RegisteredClass* FindClass(const char* className) {
    if (className == nullptr) {
        return nullptr;
    }
    auto& classes = detail::WindowSystem().classes;
    auto found = classes.find(className);
    return found == classes.end() ? nullptr : &found->second;
}

}  // namespace

detail::WindowSystemState& detail::WindowSystem() {
    static WindowSystemState state;
    return state;
}

void detail::ResetWindowSystem() {
    WindowSystem() = WindowSystemState{};
    RetiredWindows().clear();
}

InstanceHandle GetProgramInstance() {
    static InstanceObject instance;
    return &instance;
}

uint16_t RegisterClass(const WindowClass* windowClass) {
    if (backend::Fails(Fault::RegisterClass)) {
        backend::SetErrorText("cannot register the window class: the window system refused");
        return 0;
    }
    if (windowClass == nullptr || windowClass->className == nullptr ||
        windowClass->className[0] == '\0' || windowClass->procedure == nullptr) {
        backend::SetErrorText("cannot register the window class: it needs a name and a procedure");
        return 0;
    }
    auto& system = detail::WindowSystem();
    if (system.classes.contains(windowClass->className)) {
        backend::SetErrorText("cannot register the window class: the name is taken");
        return 0;
    }
    const uint16_t atom = system.nextAtom++;
    system.classes.emplace(windowClass->className, detail::RegisteredClass{atom, *windowClass});
    return atom;
}

WindowHandle CreateWindowEx(uint32_t /*exStyle*/, const char* className, const char* title,
                            uint32_t style, int32_t /*x*/, int32_t /*y*/, int32_t /*width*/,
                            int32_t /*height*/, WindowHandle /*parent*/, void* /*menu*/,
                            InstanceHandle /*instance*/, void* parameter) {
    if (backend::Fails(Fault::CreateWindow)) {
        backend::SetErrorText("cannot create the window: the window system refused");
        return nullptr;
    }
    const detail::RegisteredClass* windowClass = FindClass(className);
    if (windowClass == nullptr) {
        backend::SetErrorText("cannot create the window: its class is not registered");
        return nullptr;
    }
    auto& system = detail::WindowSystem();
    if (system.window != nullptr) {
        backend::SetErrorText("cannot create the window: the game already has one");
        return nullptr;
    }
    const std::string text = title != nullptr ? title : "";
    if (!backend::OpenWindow(text.c_str())) {
        return nullptr;  // the backend has said why
    }
    system.window = std::make_unique<WindowObject>(
        WindowObject{windowClass->description.procedure, text, style});
    WindowHandle window = system.window.get();
    if (IconIsUsable(windowClass->description.icon)) {
        backend::SetIcon(*windowClass->description.icon);
    }
    const intptr_t created =
        window->procedure(window, WM_CREATE, 0, reinterpret_cast<intptr_t>(parameter));
    if (!IsWindow(window)) {
        return nullptr;
    }
    if (created == -1) {
        DestroyWindow(window);
        backend::SetErrorText("cannot create the window: its procedure refused WM_CREATE");
        return nullptr;
    }
    return window;
}

bool DestroyWindow(WindowHandle window) {
    if (!IsWindow(window) || window->destroying) {
        return false;
    }
    window->destroying = true;
    window->procedure(window, WM_DESTROY, 0, 0);
    detail::DropMessagesFor(window);
    RetiredWindows().push_back(std::move(detail::WindowSystem().window));
    backend::CloseWindow();
    return true;
}

bool IsWindow(WindowHandle window) {
    return window != nullptr && window == detail::WindowSystem().window.get();
}

bool SetWindowIcon(WindowHandle window, const IconImage* icon) {
    if (!IsWindow(window) || !IconIsUsable(icon)) {
        return false;
    }
    backend::SetIcon(*icon);
    return true;
}

int32_t GetSystemMetrics(int index) {
    int32_t width = 0;
    int32_t height = 0;
    backend::DesktopSize(&width, &height);
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
    auto& count = detail::WindowSystem().cursorCount;
    count += show ? 1 : -1;
    backend::SetCursorVisible(count >= 0);
    return count;
}

}  // namespace platform
