// The message queue of the game's thread: posting, peeking, dispatching, the
// default procedure and the paint bracket.
#include <algorithm>

#include "platform/driver/driver.h"
#include "platform/emulated/emulated_window_system.h"
#include "platform/hosts/host.h"

namespace platform {
namespace {

bool InFilter(const Message& message, WindowHandle window, uint32_t filterMin, uint32_t filterMax) {
    // As on the original system, a window filter leaves out thread messages,
    // WM_QUIT among them; a range filter never holds back WM_QUIT.
    if (window != nullptr && message.window != window) {
        return false;
    }
    const bool everyMessage = filterMin == 0 && filterMax == 0;
    return everyMessage || message.message == WM_QUIT ||
           (message.message >= filterMin && message.message <= filterMax);
}

void Post(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    detail::WindowSystem().queue.push_back(Message{window, message, wParam, lParam, host::Ticks()});
}

bool IsPendingPaint(const Message& message, WindowHandle window) {
    return message.message == WM_PAINT && message.window == window;
}

}  // namespace

void detail::DropMessagesFor(WindowHandle window) {
    std::erase_if(WindowSystem().queue,
                  [window](const Message& message) { return message.window == window; });
}

void detail::QueueSystemMessage(uint32_t message) {
    WindowHandle window = WindowSystem().window.get();
    if (window == nullptr) {
        return;
    }
    const auto& queue = WindowSystem().queue;
    if (message == WM_PAINT &&
        std::any_of(queue.begin(), queue.end(),
                    [window](const Message& queued) { return IsPendingPaint(queued, window); })) {
        return;
    }
    Post(window, message, 0, 0);
}

bool driver::PeekMessage(Message* message, WindowHandle window, uint32_t filterMin,
                         uint32_t filterMax, bool remove) {
    host::PumpEvents();
    auto& queue = detail::WindowSystem().queue;
    auto found = std::find_if(queue.begin(), queue.end(), [&](const Message& queued) {
        return InFilter(queued, window, filterMin, filterMax);
    });
    if (found == queue.end()) {
        return false;
    }
    *message = *found;
    if (remove) {
        queue.erase(found);
    }
    return true;
}

bool driver::TranslateMessage(const Message& /*message*/) {
    return false;
}

intptr_t driver::DispatchMessage(const Message& message) {
    return message.window->procedure(message.window, message.message, message.wParam,
                                     message.lParam);
}

intptr_t driver::DefWindowProc(WindowHandle window, uint32_t message, uintptr_t /*wParam*/,
                               intptr_t /*lParam*/) {
    switch (message) {
        case WM_CLOSE:
            platform::DestroyWindow(window);
            return 0;
        case WM_PAINT: {
            PaintInfo paint;
            if (platform::BeginPaint(window, &paint) != nullptr) {
                platform::EndPaint(window, &paint);
            }
            return 0;
        }
        default:
            return 0;
    }
}

void driver::PostQuitMessage(int32_t exitCode) {
    Post(nullptr, WM_QUIT, static_cast<uintptr_t>(static_cast<intptr_t>(exitCode)), 0);
}

void* driver::BeginPaint(WindowHandle window, PaintInfo* paint) {
    std::erase_if(detail::WindowSystem().queue,
                  [window](const Message& queued) { return IsPendingPaint(queued, window); });
    if (paint != nullptr) {
        *paint = PaintInfo{window, false};
    }
    // Nothing is drawn through the window; the handle serves as the paint token.
    return window;
}

bool driver::EndPaint(WindowHandle /*window*/) {
    return true;
}

}  // namespace platform
