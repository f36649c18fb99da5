// The message queue of the game's thread, as the system keeps it.
#include "platform/win32/win32_native.h"

#include "platform/driver/driver.h"

namespace platform::driver {
namespace {

using win32::Ours;

MSG SystemMessage(const Message& message) {
    MSG system{};
    system.hwnd = win32::Native(message.window);
    system.message = message.message;
    system.wParam = message.wParam;
    system.lParam = message.lParam;
    system.time = message.time;
    return system;
}

// The game paints nothing through the window, and one paint is open at a time.
PAINTSTRUCT openPaint{};

}  // namespace

// The game reads the keys from the keyboard device, never from the queue, as
// on every other system. Their messages, one for every auto-repeat of a held
// key, are handled here when taken: handed to the game, the one it takes
// between two rounds would nearly always be a key's, and its parameter would
// become the exit code (40, the down arrow, after every game lost with Down
// held).
bool PeekMessage(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                 bool remove) {
    MSG system{};
    for (;;) {
        if (PeekMessageA(&system, win32::Native(window), filterMin, filterMax,
                         remove ? PM_REMOVE : PM_NOREMOVE) == FALSE) {
            return false;
        }
        const bool key = system.message >= WM_KEYFIRST && system.message <= WM_KEYLAST;
        if (!key || !remove) {
            break;
        }
        ::TranslateMessage(&system);
        DispatchMessageA(&system);
    }
    *message = Message{Ours(system.hwnd), system.message, system.wParam, system.lParam,
                       static_cast<uint32_t>(system.time)};
    return true;
}

bool TranslateMessage(const Message& message) {
    const MSG system = SystemMessage(message);
    return ::TranslateMessage(&system) != FALSE;
}

intptr_t DispatchMessage(const Message& message) {
    const MSG system = SystemMessage(message);
    return DispatchMessageA(&system);
}

intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return DefWindowProcA(win32::Native(window), message, wParam, lParam);
}

void PostQuitMessage(int32_t exitCode) {
    ::PostQuitMessage(exitCode);
}

void* BeginPaint(WindowHandle window, PaintInfo* paint) {
    HDC context = ::BeginPaint(win32::Native(window), &openPaint);
    if (context != nullptr && paint != nullptr) {
        *paint = PaintInfo{window, openPaint.fErase != FALSE};
    }
    return context;
}

bool EndPaint(WindowHandle window) {
    return ::EndPaint(win32::Native(window), &openPaint) != FALSE;
}

}  // namespace platform::driver
