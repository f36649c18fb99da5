// What the files of the win32 driver share: the platform's handles as the
// system's, and failures reported with the system's own words.
#pragma once

#include "platform/win32/win32_windows_api.h"

#include <cstdint>
#include <string>

#include "platform/result.h"
#include "platform/window.h"

namespace platform::win32 {

// The platform's window and instance handles are the system's, renamed.
inline HWND Native(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}
inline WindowHandle Ours(HWND window) {
    return reinterpret_cast<WindowHandle>(window);
}
inline HINSTANCE Native(InstanceHandle instance) {
    return reinterpret_cast<HINSTANCE>(instance);
}

// "what: the system's message (0x8876....)" for LastErrorText; gives back the
// result so that a call can end with `return Refuse(...)`.
Result Refuse(HRESULT result, const char* what);
// The same for a call that reports through GetLastError.
void ReportLastError(const char* what);

// The text of a system result code, or its number when the system has none.
std::string ResultText(HRESULT result);

}  // namespace platform::win32
