// The window class registry and the game's one window.
#include <vector>

#include "platform/driver/driver.h"
#include "platform/emulated/emulated_window_system.h"
#include "platform/hosts/host.h"

namespace platform {
namespace {

// Windows that are gone stay allocated until the machine is reset, so a stale
// handle never names a newer window.
std::vector<std::unique_ptr<WindowObject>>& RetiredWindows() {
    static std::vector<std::unique_ptr<WindowObject>> retired;
    return retired;
}

// The window goes without a word to its procedure: what is left of destroying it.
void Retire(WindowHandle window) {
    detail::DropMessagesFor(window);
    RetiredWindows().push_back(std::move(detail::WindowSystem().window));
    host::CloseWindow();
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

InstanceHandle driver::ProgramInstance() {
    static InstanceObject instance;
    return &instance;
}

uint16_t driver::RegisterClass(const WindowClass& windowClass) {
    if (host::Fails(Fault::RegisterClass)) {
        host::SetErrorText("cannot register the window class: the window system refused");
        return 0;
    }
    auto& system = detail::WindowSystem();
    if (system.classes.contains(windowClass.className)) {
        host::SetErrorText("cannot register the window class: the name is taken");
        return 0;
    }
    const uint16_t atom = system.nextAtom++;
    system.classes.emplace(windowClass.className, detail::RegisteredClass{atom, windowClass});
    return atom;
}

WindowHandle driver::CreateWindow(const char* className, const char* title, uint32_t style,
                                  int32_t /*x*/, int32_t /*y*/, int32_t /*width*/,
                                  int32_t /*height*/, InstanceHandle /*instance*/,
                                  void* parameter) {
    if (host::Fails(Fault::CreateWindow)) {
        host::SetErrorText("cannot create the window: the window system refused");
        return nullptr;
    }
    const detail::RegisteredClass* windowClass = FindClass(className);
    if (windowClass == nullptr) {
        host::SetErrorText("cannot create the window: its class is not registered");
        return nullptr;
    }
    auto& system = detail::WindowSystem();
    if (system.window != nullptr) {
        host::SetErrorText("cannot create the window: the game already has one");
        return nullptr;
    }
    if (!host::OpenWindow(title)) {
        return nullptr;  // the host has said why
    }
    system.window = std::make_unique<WindowObject>(
        WindowObject{windowClass->description.procedure, title, style});
    WindowHandle window = system.window.get();
    if (windowClass->description.icon != nullptr) {
        host::SetIcon(*windowClass->description.icon);
    }
    const intptr_t created =
        window->procedure(window, WM_CREATE, 0, reinterpret_cast<intptr_t>(parameter));
    if (!driver::IsWindow(window)) {
        return nullptr;
    }
    if (created == -1) {
        // As on the system, a window refused by its own procedure gets no WM_DESTROY.
        Retire(window);
        host::SetErrorText("cannot create the window: its procedure refused WM_CREATE");
        return nullptr;
    }
    return window;
}

bool driver::DestroyWindow(WindowHandle window) {
    if (!driver::IsWindow(window) || window->destroying) {
        return false;
    }
    window->destroying = true;
    window->procedure(window, WM_DESTROY, 0, 0);
    Retire(window);
    return true;
}

bool driver::IsWindow(WindowHandle window) {
    return window != nullptr && window == detail::WindowSystem().window.get();
}

bool driver::SetWindowIcon(WindowHandle /*window*/, const IconImage& icon) {
    host::SetIcon(icon);
    return true;
}

void driver::DesktopSize(int32_t* width, int32_t* height) {
    host::DesktopSize(width, height);
}

int32_t driver::ShowCursor(bool show) {
    auto& count = detail::WindowSystem().cursorCount;
    count += show ? 1 : -1;
    host::SetCursorVisible(count >= 0);
    return count;
}

}  // namespace platform
