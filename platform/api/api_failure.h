// Reporting a failed platform call: the reason goes to LastErrorText and the
// code back to the caller. The api, the drivers and the hosts all report so.
#pragma once

#include "platform/result.h"

namespace platform::detail {

// Records why the last call failed, for LastErrorText().
void SetErrorText(const char* text);

inline Result Refuse(Result code, const char* reason) {
    SetErrorText(reason);
    return code;
}

}  // namespace platform::detail
