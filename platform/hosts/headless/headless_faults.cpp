// Device steps that fail on a test's demand.
#include <array>

#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/headless/headless_state.h"
#include "platform/hosts/host.h"

namespace platform {
namespace {

struct StepFaults {
    uint64_t calls = 0;
    int skip = 0;   // calls that still succeed before the failures start
    int times = 0;  // failures still to come; negative: for ever
};

std::array<StepFaults, static_cast<size_t>(Fault::Count)> faults;

StepFaults& FaultsOf(Fault fault) {
    return faults[static_cast<size_t>(fault)];
}

void ResetFaults() {
    faults = {};
}

const headless::ResetOnFreshMachine kResetFaults{&ResetFaults};

}  // namespace

bool host::Fails(Fault fault) {
    StepFaults& step = FaultsOf(fault);
    ++step.calls;
    if (step.times == 0) {
        return false;
    }
    if (step.skip > 0) {
        --step.skip;
        return false;
    }
    if (step.times > 0) {
        --step.times;
    }
    return true;
}

void headless::FailStep(Fault fault, int skip, int times) {
    StepFaults& step = FaultsOf(fault);
    step.skip = skip > 0 ? skip : 0;
    step.times = times;
}

void headless::ClearFaults() {
    for (auto& step : faults) {
        step.skip = 0;
        step.times = 0;
    }
}

uint64_t headless::StepCalls(Fault fault) {
    return FaultsOf(fault).calls;
}

}  // namespace platform
