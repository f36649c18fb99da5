// Time and failure policy of the SDL host.
#include <SDL.h>

#include <random>

#include "platform/hosts/host.h"

namespace platform {
namespace {

// SDL counts from its own start, so a tick count read at start-up would be
// nearly the same on every run, and the game seeds its piece generator with
// exactly that. Each run therefore starts its count somewhere in the first
// 4.6 hours, which still leaves more than 49 days before the count wraps.
uint32_t StartOfCount() {
    static const uint32_t start = std::random_device{}() & 0xFFFFFFu;
    return start;
}

}  // namespace

uint32_t host::Ticks() {
    return StartOfCount() + SDL_GetTicks();
}

void host::SleepFor(uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

// The SDL host fails only when the system does.
bool host::Fails(Fault) {
    return false;
}

}  // namespace platform
