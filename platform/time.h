// The millisecond clock and sleeping.
#pragma once

#include <cstdint>

namespace platform {

// Milliseconds since an arbitrary start, as an unsigned 32-bit count that wraps
// after about 49.7 days. Callers compare ticks with unsigned arithmetic.
uint32_t GetTickCount();

// Suspends the calling thread for at least the given number of milliseconds.
void Sleep(uint32_t milliseconds);

}  // namespace platform
