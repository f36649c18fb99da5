#include "platform/headless/state.h"

namespace platform::headless {

MachineState& State() {
    static MachineState state;
    return state;
}

void Reset(uint32_t startTick) {
    State() = MachineState{};
    State().ticks = startTick;
}

void SetSleepHook(SleepHook hook) { State().sleepHook = std::move(hook); }

}  // namespace platform::headless
