// The manual clock: time moves only when the game sleeps or a test moves it.
#include "platform/backend.h"
#include "platform/headless/control.h"
#include "platform/headless/state.h"

namespace platform {

uint32_t backend::Ticks() {
    return headless::State().ticks;
}

void backend::SleepFor(uint32_t milliseconds) {
    auto& state = headless::State();
    if (state.sleepHook) {
        state.sleepHook(state.ticks, milliseconds);
    }
    state.ticks += milliseconds;
}

void headless::SetTicks(uint32_t tick) {
    State().ticks = tick;
}

void headless::AdvanceTicks(uint32_t milliseconds) {
    State().ticks += milliseconds;
}

uint32_t headless::Ticks() {
    return State().ticks;
}

}  // namespace platform
