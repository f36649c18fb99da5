// The window class, the game's window and the desktop, on the system's own
// window manager. The game's window procedure has the system's shape but the
// platform's types, so one forwarding procedure of the system's type hands
// every message on to the procedure registered with the window's class.
#include "platform/win32/win32_native.h"

#include <vector>

#include "platform/driver/driver.h"
#include "platform/win32/win32_icon.h"

namespace platform::driver {
namespace {

using win32::Ours;

// The resource number of the program's icon in the program file.
constexpr WORD kProgramIconResource = 1;

struct ClassProcedure {
    ATOM atom;
    WindowProcedure procedure;
};

std::vector<ClassProcedure>& ClassProcedures() {
    static std::vector<ClassProcedure> procedures;
    return procedures;
}

WindowProcedure ProcedureOf(HWND window) {
    const auto atom = static_cast<ATOM>(GetClassWord(window, GCW_ATOM));
    for (const ClassProcedure& entry : ClassProcedures()) {
        if (entry.atom == atom) {
            return entry.procedure;
        }
    }
    return nullptr;
}

LRESULT CALLBACK ForwardToGame(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowProcedure procedure = ProcedureOf(window);
    if (procedure == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return procedure(Ours(window), message, wParam, lParam);
}

// The class's icon: the one given, else the program file's own.
HICON ClassIcon(const WindowClass& windowClass, HINSTANCE instance) {
    if (windowClass.icon != nullptr) {
        if (HICON made = win32::MakeIcon(*windowClass.icon)) {
            return made;
        }
    }
    return LoadIconA(instance, MAKEINTRESOURCEA(kProgramIconResource));
}

}  // namespace

InstanceHandle ProgramInstance() {
    return reinterpret_cast<InstanceHandle>(GetModuleHandleA(nullptr));
}

uint16_t RegisterClass(const WindowClass& windowClass) {
    HINSTANCE instance = win32::Native(windowClass.instance);
    if (instance == nullptr) {
        instance = GetModuleHandleA(nullptr);
    }
    WNDCLASSA system{};
    system.style = windowClass.style;
    system.lpfnWndProc = &ForwardToGame;
    system.cbClsExtra = windowClass.classExtra;
    system.cbWndExtra = windowClass.windowExtra;
    system.hInstance = instance;
    system.hIcon = ClassIcon(windowClass, instance);
    system.hCursor =
        windowClass.cursor == Cursor::Arrow ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
    system.hbrBackground = windowClass.background == Brush::Black
                               ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))
                               : nullptr;
    system.lpszMenuName = windowClass.menuName;
    system.lpszClassName = windowClass.className;
    const ATOM atom = RegisterClassA(&system);
    if (atom == 0) {
        win32::ReportLastError("cannot register the window class");
        return 0;
    }
    ClassProcedures().push_back({atom, windowClass.procedure});
    return atom;
}

WindowHandle CreateWindow(const char* className, const char* title, uint32_t style, int32_t x,
                          int32_t y, int32_t width, int32_t height, InstanceHandle instance,
                          void* parameter) {
    HWND window = CreateWindowExA(0, className, title, style, x, y, width, height, nullptr, nullptr,
                                  win32::Native(instance), parameter);
    if (window == nullptr) {
        win32::ReportLastError("cannot create the window");
    }
    return Ours(window);
}

bool DestroyWindow(WindowHandle window) {
    return ::DestroyWindow(win32::Native(window)) != FALSE;
}

bool IsWindow(WindowHandle window) {
    return ::IsWindow(win32::Native(window)) != FALSE;
}

bool SetWindowIcon(WindowHandle window, const IconImage& icon) {
    HICON made = win32::MakeIcon(icon);
    if (made == nullptr) {
        return false;
    }
    // The window keeps showing the icon, so it lives as long as the program.
    SendMessageA(win32::Native(window), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(made));
    SendMessageA(win32::Native(window), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(made));
    return true;
}

void DesktopSize(int32_t* width, int32_t* height) {
    *width = ::GetSystemMetrics(SM_CXSCREEN);
    *height = ::GetSystemMetrics(SM_CYSCREEN);
}

int32_t ShowCursor(bool show) {
    return ::ShowCursor(show ? TRUE : FALSE);
}

}  // namespace platform::driver
