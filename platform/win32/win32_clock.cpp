// The system's millisecond tick count and sleep.
#include "platform/win32/win32_windows_api.h"

#include "platform/driver/driver.h"

namespace platform::driver {

uint32_t Ticks() {
    return ::GetTickCount();
}

void Sleep(uint32_t milliseconds) {
    // At the system's default timer period of 15.6 ms, the 40 ms pause after
    // each frame lasts 47 ms and play runs at 21 frames a second instead of
    // 25. A period of 1 ms, asked for once, holds for the rest of the run.
    static const bool finePeriod = timeBeginPeriod(1) == TIMERR_NOERROR;
    static_cast<void>(finePeriod);
    ::Sleep(milliseconds);
}

}  // namespace platform::driver
