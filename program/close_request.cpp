#include "program/close_request.h"

#include "platform/window.h"

bool CloseRequested() {
    platform::Message message;
    // A range filter lets the quit message through as well.
    return platform::PeekMessage(&message, nullptr, platform::WM_CLOSE, platform::WM_CLOSE,
                                 platform::PM_NOREMOVE);
}
