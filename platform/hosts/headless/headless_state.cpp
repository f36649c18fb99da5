#include "platform/hosts/headless/headless_state.h"

#include <utility>
#include <vector>

namespace platform::headless {
namespace {

std::vector<void (*)()>& Resets() {
    static std::vector<void (*)()> resets;
    return resets;
}

}  // namespace

ResetOnFreshMachine::ResetOnFreshMachine(void (*reset)()) {
    Resets().push_back(reset);
}

ClockState& State() {
    static ClockState state;
    return state;
}

void Reset(uint32_t startTick) {
    State() = ClockState{};
    State().ticks = startTick;
    for (auto reset : Resets()) {
        reset();
    }
}

void SetSleepHook(SleepHook hook) {
    State().sleepHook = std::move(hook);
}

}  // namespace platform::headless
