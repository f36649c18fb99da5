// The headless machine's state, shared by the files of the headless backend.
#pragma once

#include <cstdint>

#include "platform/headless/control.h"

namespace platform::headless {

struct MachineState {
    uint32_t ticks = 1000;
    SleepHook sleepHook;
};

MachineState& State();

}  // namespace platform::headless
