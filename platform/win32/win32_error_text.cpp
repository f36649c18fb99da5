// Failures of the system's calls in words the player can pass on: the step
// that failed, the system's message where it has one, and the code.
#include "platform/win32/win32_native.h"

#include <cstdio>

#include "platform/api/api_failure.h"

namespace platform::win32 {
namespace {

// DirectX codes that the system's message table does not carry.
const char* DirectXName(HRESULT result) {
    switch (result) {
        case DDERR_INVALIDMODE:
            return "the display mode is not offered";
        case DDERR_NOEXCLUSIVEMODE:
            return "the screen is not held exclusively";
        case DDERR_SURFACELOST:
            return "the surface was lost";
        case DDERR_INVALIDRECT:
            return "the rectangle leaves the surface";
        case DDERR_SURFACEBUSY:
            return "the surface is locked";
        case DDERR_OUTOFVIDEOMEMORY:
            return "out of video memory";
        case DSERR_NODRIVER:
            return "no sound driver";
        case DSERR_BUFFERLOST:
            return "the sound buffer was lost";
        case DIERR_NOTACQUIRED:
            return "the keyboard is not acquired";
        case DIERR_INPUTLOST:
            return "keyboard input was lost";
        default:
            return nullptr;
    }
}

}  // namespace

std::string ResultText(HRESULT result) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    if (const char* name = DirectXName(result)) {
        return std::string(name) + " (" + code + ")";
    }
    char message[256] = {};
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(result), 0, message, sizeof message, nullptr);
    std::string text(message, length);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.' ||
                             text.back() == ' ')) {
        text.pop_back();
    }
    if (text.empty()) {
        return code;
    }
    return text + " (" + code + ")";
}

Result Refuse(HRESULT result, const char* what) {
    detail::SetErrorText((std::string(what) + ": " + ResultText(result)).c_str());
    return static_cast<Result>(result);
}

void ReportLastError(const char* what) {
    Refuse(HRESULT_FROM_WIN32(GetLastError()), what);
}

}  // namespace platform::win32
