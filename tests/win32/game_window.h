// A window of the tests' own class that records the messages its procedure
// receives, for the backend's calls that bind to a window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/result.h"
#include "platform/window.h"

namespace win32_tests {

struct ReceivedMessage {
    uint32_t message;
    uintptr_t wParam;
};

// Every message the procedure received, oldest first.
inline std::vector<ReceivedMessage>& ReceivedMessages() {
    static std::vector<ReceivedMessage> received;
    return received;
}

// Records, and leaves the rest to the default procedure except a close, which
// it only records when asked to keep the window.
inline bool keepWindowOnClose = false;

inline intptr_t RecordingProcedure(platform::WindowHandle window, uint32_t message,
                                   uintptr_t wParam, intptr_t lParam) {
    ReceivedMessages().push_back({message, wParam});
    if (message == platform::WM_CLOSE && keepWindowOnClose) {
        return 0;
    }
    return platform::DefWindowProc(window, message, wParam, lParam);
}

inline bool WasReceived(uint32_t message) {
    for (const auto& entry : ReceivedMessages()) {
        if (entry.message == message) {
            return true;
        }
    }
    return false;
}

// A visible pop-up window over the desktop, of a class registered once.
inline platform::WindowHandle MakeGameWindow() {
    static const uint16_t atom = [] {
        platform::WindowClass windowClass;
        windowClass.procedure = &RecordingProcedure;
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
