// A window of the tests' own class, for the backend's calls that bind to a
// window.
#pragma once

#include "platform/result.h"
#include "platform/window.h"

namespace win32_tests {

// A visible pop-up window over the desktop, of a class registered once.
inline platform::WindowHandle MakeGameWindow() {
    static const uint16_t atom = [] {
        platform::WindowClass windowClass;
        windowClass.procedure = &platform::DefWindowProc;
        windowClass.instance = platform::GetProgramInstance();
        windowClass.className = "Win32BackendTests";
        return platform::RegisterClass(&windowClass);
    }();
    if (atom == 0) {
        return nullptr;
    }
    return platform::CreateWindowEx(0, "Win32BackendTests", "Backend test",
                                    platform::WS_POPUP | platform::WS_VISIBLE, 0, 0,
                                    platform::GetSystemMetrics(platform::SM_CXSCREEN),
                                    platform::GetSystemMetrics(platform::SM_CYSCREEN), nullptr,
                                    nullptr, platform::GetProgramInstance(), nullptr);
}

}  // namespace win32_tests
