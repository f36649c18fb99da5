#include "platform/player_message.h"

#include "platform/driver/driver.h"

namespace platform {

void ShowFailure(const char* line) {
    driver::ShowFailure(line != nullptr ? line : "");
}

}  // namespace platform
