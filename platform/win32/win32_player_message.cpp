// A program of the window subsystem started from Explorer has no standard
// handles at all; started from a console or a shell, it writes there.
#include "platform/win32/win32_windows_api.h"

#include <cstdio>

#include "platform/driver/driver.h"

namespace platform::driver {
namespace {

bool StandardErrorGoesSomewhere() {
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    return error != nullptr && error != INVALID_HANDLE_VALUE &&
           GetFileType(error) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void ShowFailure(const char* line) {
    if (StandardErrorGoesSomewhere()) {
        std::fprintf(stderr, "%s\n", line);
        return;
    }
    MessageBoxA(nullptr, line, "Stackwell", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

}  // namespace platform::driver
