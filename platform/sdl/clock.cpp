// Time and failure policy of the real backend.
#include <SDL.h>

#include "platform/backend.h"

namespace platform {

uint32_t backend::Ticks() {
    return SDL_GetTicks();
}

void backend::SleepFor(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

// The real backend fails only when the system does.
bool backend::Fails(Fault) {
    return false;
}

}  // namespace platform
