// The keyboard snapshot, read from SDL's key state.
#include <SDL.h>

#include "platform/backend.h"
#include "platform/sdl/key_table.h"
#include "platform/sdl/session.h"

namespace platform {

bool backend::ReadKeyboard(uint8_t* keys) {
    if (!sdl::StartVideo()) {
        return false;
    }
    // Brings the key state up to date; the queued events wait for PumpEvents.
    SDL_PumpEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    sdl::MapKeyboardState(state, count, keys);
    return true;
}

}  // namespace platform
