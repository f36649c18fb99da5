// Reporting a failed platform call: the reason goes to LastErrorText and the
// code back to the caller.
#pragma once

#include "platform/backend.h"
#include "platform/result.h"

namespace platform::detail {

inline Result Refuse(Result code, const char* reason) {
    backend::SetErrorText(reason);
    return code;
}

}  // namespace platform::detail
