// The manual clock: time moves only when the game sleeps or a test moves it.
#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/headless/headless_state.h"
#include "platform/hosts/host.h"

namespace platform {

uint32_t host::Ticks() {
    return headless::State().ticks;
}

void host::SleepFor(uint32_t milliseconds) {
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
