#include "app/startup_failure.h"

#include <cstdio>

#include "platform/result.h"

int32_t ReportStartupFailure(const char* what, const char* reason) {
    std::fprintf(stderr, "stackwell: %s: %s\n", what, reason);
    return 0;
}

int32_t ReportStartupFailure(const char* what) {
    return ReportStartupFailure(what, platform::LastErrorText());
}
