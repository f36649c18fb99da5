#include "app/game.h"

intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam,
                    intptr_t lParam) {
    switch (message) {
        case platform::WM_CREATE:
            return 0;
        case platform::WM_DESTROY:
            platform::PostQuitMessage(0);
            return 0;
        case platform::WM_PAINT: {
            // Nothing is drawn through the window; the paint only validates it.
            platform::PaintInfo paint;
            platform::BeginPaint(window, &paint);
            platform::EndPaint(window, &paint);
            return 0;
        }
        default:
            return platform::DefWindowProc(window, message, wParam, lParam);
    }
}
