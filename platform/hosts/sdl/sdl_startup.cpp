// Bringing up SDL, once per run, and taking it down at the end.
#include <SDL.h>

#include <cstdlib>
#include <string>

#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_session.h"

namespace platform {
namespace {

// Events the game never reads. The key events are read: the keyboard
// snapshot is kept from them (keyboard.cpp).
constexpr SDL_EventType kUnusedEvents[] = {
    SDL_TEXTEDITING, SDL_TEXTINPUT,  SDL_MOUSEMOTION,  SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP,
    SDL_MOUSEWHEEL,  SDL_FINGERDOWN, SDL_FINGERUP,     SDL_FINGERMOTION,    SDL_DROPFILE,
    SDL_DROPTEXT,    SDL_DROPBEGIN,  SDL_DROPCOMPLETE, SDL_KEYMAPCHANGED,
};

std::string& StartFailure() {
    static std::string text;
    return text;
}

bool IsUnset(const char* value) {
    return value == nullptr || *value == '\0';
}

bool StartVideoOnce() {
    // Left to itself SDL falls back on a driver that draws nowhere, and the
    // game would play unseen to its end; only a driver chosen by name (the
    // hint is SDL_VIDEODRIVER when set) may do that.
    if (IsUnset(SDL_GetHint(SDL_HINT_VIDEODRIVER)) && IsUnset(std::getenv("DISPLAY")) &&
        IsUnset(std::getenv("WAYLAND_DISPLAY"))) {
        StartFailure() =
            "no display was found: neither DISPLAY nor WAYLAND_DISPLAY is set (start the game "
            "from a desktop session)";
        return false;
    }
    // Closing the window is a request to the game, not the end of the program.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        StartFailure() = std::string("cannot start the display: ") + SDL_GetError();
        return false;
    }
    for (auto type : kUnusedEvents) {
        SDL_EventState(type, SDL_IGNORE);
    }
    SDL_StopTextInput();
    return true;
}

}  // namespace

bool sdl::StartVideo() {
    static const bool started = StartVideoOnce();
    if (!started) {
        host::SetErrorText(StartFailure().c_str());
    }
    return started;
}

void sdl::StopSoundAtExit() {
    static const bool registered = std::atexit([] { SDL_QuitSubSystem(SDL_INIT_AUDIO); }) == 0;
    (void)registered;
}

}  // namespace platform
