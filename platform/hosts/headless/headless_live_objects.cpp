// The count of platform objects still alive, for tests that look for leaks.
#include "platform/api/api_live_objects.h"
#include "platform/hosts/headless/headless_control.h"

namespace platform {

int64_t headless::LiveObjects() {
    int64_t total = 0;
    for (int kind = 0; kind < static_cast<int>(detail::LiveKind::Count); ++kind) {
        total += detail::LiveCount(static_cast<detail::LiveKind>(kind));
    }
    return total;
}

std::string headless::LiveObjectsLeft() {
    std::string left;
    for (int kind = 0; kind < static_cast<int>(detail::LiveKind::Count); ++kind) {
        const auto liveKind = static_cast<detail::LiveKind>(kind);
        const int64_t count = detail::LiveCount(liveKind);
        if (count != 0) {
            left += (left.empty() ? "" : ", ") + std::to_string(count) + " " +
                    detail::LiveKindName(liveKind);
        }
    }
    return left;
}

}  // namespace platform
