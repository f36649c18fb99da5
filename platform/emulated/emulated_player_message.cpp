// On systems where a program started from the desktop keeps a standard error
// (a log of the session), the line goes there only.
#include <cstdio>

#include "platform/driver/driver.h"

namespace platform::driver {

void ShowFailure(const char* line) {
    std::fprintf(stderr, "%s\n", line);
}

}  // namespace platform::driver
