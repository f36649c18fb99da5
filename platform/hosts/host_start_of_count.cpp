#include "platform/hosts/host_start_of_count.h"

#include <random>

namespace platform::host {

uint32_t StartOfCount() {
    static const uint32_t start = std::random_device{}() & 0xFFFFFFu;
    return start;
}

}  // namespace platform::host
