// The contract suites' control of the win32 driver: the system's own input
// injection and real time. Its steps fail only when the system's do.
#include "platform/win32/win32_windows_api.h"

#include "platform/time.h"
#include "tests/contract/contract_shim.h"

namespace contract {

void FreshStart() {}

bool ExactClock() {
    return false;
}

// A visible pop-up window over the desktop, of a class registered once: the
// exclusive display mode needs one.
platform::WindowHandle MakeWindow() {
    static const uint16_t atom = [] {
        platform::WindowClass windowClass;
        windowClass.procedure = &platform::DefWindowProc;
        windowClass.instance = platform::GetProgramInstance();
        windowClass.className = "ContractWindow";
        return platform::RegisterClass(&windowClass);
    }();
    if (atom == 0) {
        return nullptr;
    }
    return platform::CreateWindowEx(0, "ContractWindow", "Contract",
                                    platform::WS_POPUP | platform::WS_VISIBLE, 0, 0,
                                    platform::GetSystemMetrics(platform::SM_CXSCREEN),
                                    platform::GetSystemMetrics(platform::SM_CYSCREEN), nullptr,
                                    nullptr, platform::GetProgramInstance(), nullptr);
}

void RequestClose(platform::WindowHandle window) {
    PostMessageA(reinterpret_cast<HWND>(window), platform::WM_CLOSE, 0, 0);
}

// Extended keys carry 0x80 in the platform's scan codes.
void PressKey(uint8_t scanCode, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = scanCode & 0x7F;
    input.ki.dwFlags = KEYEVENTF_SCANCODE | ((scanCode & 0x80) != 0 ? KEYEVENTF_EXTENDEDKEY : 0u) |
                       (down ? 0u : static_cast<DWORD>(KEYEVENTF_KEYUP));
    SendInput(1, &input, sizeof input);
}

bool FailNext(platform::Fault /*fault*/) {
    return false;
}

bool LoseSoundBuffers() {
    return false;
}

void LetSoundPlay(uint32_t milliseconds) {
    platform::Sleep(milliseconds);
}

uint64_t RiffWork(platform::RiffFile file) {
    return static_cast<uint64_t>(mmioSeek(reinterpret_cast<HMMIO>(file), 0, SEEK_CUR));
}

}  // namespace contract
