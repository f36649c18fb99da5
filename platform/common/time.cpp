#include "platform/time.h"

#include "platform/backend.h"

namespace platform {

uint32_t GetTickCount() {
    return backend::Ticks();
}

void Sleep(uint32_t milliseconds) {
    backend::SleepFor(milliseconds);
}

}  // namespace platform
