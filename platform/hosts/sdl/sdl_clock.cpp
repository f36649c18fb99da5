// Time and failure policy of the SDL host.
#include <SDL.h>

#include "platform/hosts/host.h"
#include "platform/hosts/host_start_of_count.h"

namespace platform {

uint32_t host::Ticks() {
    return host::StartOfCount() + SDL_GetTicks();
}

void host::SleepFor(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

// The SDL host fails only when the system does.
bool host::Fails(Fault) {
    return false;
}

}  // namespace platform
