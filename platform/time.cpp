#include "platform/time.h"

#include "platform/driver/driver.h"

namespace platform {

uint32_t GetTickCount() {
    return driver::Ticks();
}

void Sleep(uint32_t milliseconds) {
    driver::Sleep(milliseconds);
}

}  // namespace platform
