#include "platform/driver/driver.h"
#include "platform/hosts/host.h"

namespace platform::driver {

uint32_t Ticks() {
    return host::Ticks();
}

void Sleep(uint32_t milliseconds) {
    host::SleepFor(milliseconds);
}

}  // namespace platform::driver
