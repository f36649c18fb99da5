// State shared by the files of the headless host.
#pragma once

#include <cstdint>

#include "platform/hosts/headless/headless_control.h"

namespace platform::headless {

struct ClockState {
    uint32_t ticks = 1000;
    SleepHook sleepHook;
};

ClockState& State();

// Each file of the host that keeps state registers how to bring it back to
// a fresh machine; Reset calls them all. Register from a namespace-scope
// object: const ResetOnFreshMachine kResetKeys{&ResetKeys};
struct ResetOnFreshMachine {
    explicit ResetOnFreshMachine(void (*reset)());
};

}  // namespace platform::headless
