#include "app/startup_failure.h"

#include <string>

#include "platform/player_message.h"
#include "platform/result.h"

int32_t ReportStartupFailure(const char* what, const char* reason) {
    const std::string line = std::string("stackwell: ") + what + ": " + reason;
    platform::ShowFailure(line.c_str());
    return 0;
}

int32_t ReportStartupFailure(const char* what) {
    return ReportStartupFailure(what, platform::LastErrorText());
}
