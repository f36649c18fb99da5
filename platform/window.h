// The one window, its class, and the message queue of the game's thread.
//
// Messages are queued and taken one at a time with PeekMessage; DispatchMessage
// hands one to the window procedure of its window. The window system's own
// events (a close request, an exposed window) arrive as messages whenever the
// queue or the keyboard is read.
#pragma once

#include <cstdint>

namespace platform {

struct WindowObject;
using WindowHandle = WindowObject*;
struct InstanceObject;
using InstanceHandle = InstanceObject*;

using WindowProcedure = intptr_t (*)(WindowHandle window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);

inline constexpr uint32_t WM_NULL = 0x0000;
inline constexpr uint32_t WM_CREATE = 0x0001;
inline constexpr uint32_t WM_DESTROY = 0x0002;
inline constexpr uint32_t WM_PAINT = 0x000F;
inline constexpr uint32_t WM_CLOSE = 0x0010;
inline constexpr uint32_t WM_QUIT = 0x0012;

inline constexpr uint32_t PM_NOREMOVE = 0x0000;
inline constexpr uint32_t PM_REMOVE = 0x0001;

inline constexpr uint32_t CS_VREDRAW = 0x0001;
inline constexpr uint32_t CS_HREDRAW = 0x0002;
inline constexpr uint32_t CS_DBLCLKS = 0x0008;
inline constexpr uint32_t CS_OWNDC = 0x0020;

inline constexpr uint32_t WS_POPUP = 0x80000000u;
inline constexpr uint32_t WS_VISIBLE = 0x10000000u;

inline constexpr int SM_CXSCREEN = 0;
inline constexpr int SM_CYSCREEN = 1;

enum class Cursor { None, Arrow };
enum class Brush { None, Black };

// A small palettised picture for the window's icon: width x height indices,
// rows top-down, into colours given as 0xRRGGBB.
struct IconImage {
    int32_t width = 0;
    int32_t height = 0;
    const uint8_t* pixels = nullptr;
    const uint32_t* colours = nullptr;
    int32_t colourCount = 0;
};

struct WindowClass {
    uint32_t style = 0;
    WindowProcedure procedure = nullptr;
    int32_t classExtra = 0;
    int32_t windowExtra = 0;
    InstanceHandle instance = nullptr;
    const IconImage* icon = nullptr;
    Cursor cursor = Cursor::None;
    Brush background = Brush::None;
    const char* menuName = nullptr;
    const char* className = nullptr;
};

struct Message {
    WindowHandle window = nullptr;
    uint32_t message = WM_NULL;
    uintptr_t wParam = 0;
    intptr_t lParam = 0;
    uint32_t time = 0;
};

struct PaintInfo {
    WindowHandle window = nullptr;
    bool erase = false;
};

// The handle of the running program, as its entry point receives it.
InstanceHandle GetProgramInstance();

// Registers a window class. Returns a non-zero class atom, or 0 on failure
// (no name, no procedure, or the name is taken).
uint16_t RegisterClass(const WindowClass* windowClass);

// Creates a window of a registered class and sends it WM_CREATE before
// returning. A visible pop-up window covering the screen is the game's full
// screen window. Returns null on failure.
WindowHandle CreateWindowEx(uint32_t exStyle, const char* className, const char* title,
                            uint32_t style, int32_t x, int32_t y, int32_t width, int32_t height,
                            WindowHandle parent, void* menu, InstanceHandle instance,
                            void* parameter);

// Destroys the window; its procedure receives WM_DESTROY.
bool DestroyWindow(WindowHandle window);

// Whether the handle names a window that exists.
bool IsWindow(WindowHandle window);

// Sets the window's icon (the program's icon resource).
bool SetWindowIcon(WindowHandle window, const IconImage* icon);

// SM_CXSCREEN, SM_CYSCREEN: the size of the desktop in pixels.
int32_t GetSystemMetrics(int index);

// Shows or hides the mouse cursor over the game; returns the display count.
int32_t ShowCursor(bool show);

// Takes the next message of the thread's queue for the window (null: any) if
// there is one. With PM_REMOVE the message leaves the queue. Returns false
// when there is none. filterMin, filterMax: 0, 0 for every message, or the
// range of messages wanted (the game asks for WM_CLOSE alone to learn whether
// a close waits); WM_QUIT passes every range.
bool PeekMessage(Message* message, WindowHandle window, uint32_t filterMin, uint32_t filterMax,
                 uint32_t removeFlags);

// Keyboard messages are never used by the game; this only keeps the familiar
// two-step dispatch. Returns false.
bool TranslateMessage(const Message* message);

// Calls the procedure of the message's window and returns its result.
intptr_t DispatchMessage(const Message* message);

// The default handling: WM_CLOSE destroys the window; everything else gives 0.
intptr_t DefWindowProc(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam);

// Posts WM_QUIT with the exit code as its wParam.
void PostQuitMessage(int32_t exitCode);

// Paint bracket: validates the window so that no further WM_PAINT is pending.
void* BeginPaint(WindowHandle window, PaintInfo* paint);
bool EndPaint(WindowHandle window, const PaintInfo* paint);

}  // namespace platform
