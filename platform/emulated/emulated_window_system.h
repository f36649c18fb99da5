// The state behind the window and message functions: the registered classes,
// the one window and the thread's message queue.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>

#include "platform/window.h"

namespace platform {

struct WindowObject {
    WindowProcedure procedure = nullptr;
    std::string title;
    uint32_t style = 0;
    bool destroying = false;
};

struct InstanceObject {};

namespace detail {

struct RegisteredClass {
    uint16_t atom = 0;
    WindowClass description;
};

struct WindowSystemState {
    std::map<std::string, RegisteredClass> classes;
    uint16_t nextAtom = 0xC000;
    std::unique_ptr<WindowObject> window;
    std::deque<Message> queue;
    int32_t cursorCount = 0;
};

WindowSystemState& WindowSystem();

// Removes every queued message addressed to the window, so that nothing is
// dispatched to a window that is gone.
void DropMessagesFor(WindowHandle window);

}  // namespace detail
}  // namespace platform
