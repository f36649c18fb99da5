// The message queue of the game's thread, as the system keeps it.
#include "platform/win32/win32_native.h"

namespace platform {
namespace {

using win32::Native;
using win32::Ours;

MSG SystemMessage(const Message& message) {
    MSG system{};
    system.hwnd = Native(message.window);
    system.message = message.message;
    system.wParam = message.wParam;
    system.lParam = message.lParam;
    system.time = message.time;
    return system;
}

// The game paints nothing through the window, and one paint is open at a time.
PAINTSTRUCT openPaint{};

}  // namespace

bool PeekMessage(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                 uint32_t removeFlags) {
    MSG system{};
    if (PeekMessageA(&system, Native(window), filterMin, filterMax, removeFlags) == FALSE) {
        return false;
    }
    if (message != nullptr) {
        *message = Message{Ours(system.hwnd), system.message, system.wParam, system.lParam,
                           static_cast<uint32_t>(system.time)};
    }
    return true;
}

bool TranslateMessage(const Message* message) {
    if (message == nullptr) {
        return false;
    }
    const MSG system = SystemMessage(*message);
    return ::TranslateMessage(&system) != FALSE;
}

intptr_t DispatchMessage(const Message* message) {
    if (message == nullptr) {
        return 0;
    }
    const MSG system = SystemMessage(*message);
    return DispatchMessageA(&system);
}

intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcA(Native(window), message, wParam, lParam);
}

void PostQuitMessage(int32_t exitCode) {
    ::PostQuitMessage(exitCode);
}

bool PostMessage(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return PostMessageA(Native(window), message, wParam, lParam) != FALSE;
}

void* BeginPaint(WindowHandle window, PaintInfo* paint) {
    HDC context = ::BeginPaint(Native(window), &openPaint);
    if (context != nullptr && paint != nullptr) {
        *paint = PaintInfo{window, openPaint.fErase != FALSE};
    }
    return context;
}

bool EndPaint(WindowHandle window, const PaintInfo* /*paint*/) {
    return ::EndPaint(Native(window), &openPaint) != FALSE;
}

}  // namespace platform
