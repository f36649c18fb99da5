// The system's millisecond tick count and sleep.
#include "platform/win32/windows_api.h"

#include "platform/time.h"

namespace platform {

uint32_t GetTickCount() {
    return ::GetTickCount();
}

void Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

}  // namespace platform
