// The window system's events, turned into the game's window messages.
#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/hosts/host.h"
#include "platform/hosts/sdl/sdl_session.h"

namespace platform {
namespace {

// The pause reads the keyboard in a loop that does nothing else, and each read
// waits out the least spacing the keyboard keeps between reads: a hundred
// wake-ups a second, each looking at the X connection several times, which on
// a virtual machine costs more than a percent of a core while nothing moves. A
// wait that begins as soon as the one before it ran out, with no event come
// since, belongs to such a loop; it lasts until an event comes, up to this
// long. An event (a key, a close, an uncovered window) still ends it at once,
// as it ends every wait, so the pause keeps its taps and answers as fast.
constexpr int kIdleWaitMilliseconds = 100;
// How soon after the last wait the next one counts as following it at once:
// a loop that draws or sleeps between its reads comes back far later.
constexpr uint32_t kRightAfterMilliseconds = 2;

struct LastWait {
    bool ranOut = false;  // it ended with its time, and no event has come since
    uint32_t endedAt = 0;
};

LastWait lastWait;

void HandleWindowEvent(const SDL_WindowEvent& event) {
    if (event.windowID != sdl::WindowId()) {
        return;
    }
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            detail::QueueSystemMessage(WM_CLOSE);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            // The game may be waiting on the keyboard without drawing (paused),
            // so the picture is put back here rather than left to the next frame.
            sdl::RepaintScreen();
            detail::QueueSystemMessage(WM_PAINT);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            sdl::RepaintScreen();
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // No key-up comes for a key let go in another window.
            sdl::AllKeysUp();
            break;
        default:
            break;
    }
}

void HandleEvent(const SDL_Event& event) {
    lastWait.ranOut = false;
    switch (event.type) {
        case SDL_QUIT:  // an interrupt or terminate signal, or the session ending
            detail::QueueSystemMessage(WM_CLOSE);
            break;
        case SDL_WINDOWEVENT:
            HandleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            sdl::KeyChanged(event.key.keysym.scancode, event.type == SDL_KEYDOWN);
            break;
        default:
            // SDL_AUDIODEVICEREMOVED needs nothing: SDL keeps the lost device
            // open and silent, so the game plays on without sound.
            break;
    }
}

// SDL sleeps until an event comes only with some video drivers. With the
// others, the dummy driver among them, SDL_WaitEventTimeout wakes every
// millisecond to look, which costs a polling loop more than the wait saves;
// there the wait is a plain sleep, and the read that follows it takes
// whatever came meanwhile.
bool WaitsForEventsAsleep() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr &&
           (std::strcmp(driver, "x11") == 0 || std::strcmp(driver, "wayland") == 0);
}

}  // namespace

void host::PumpEvents() {
    if (!sdl::StartVideo()) {
        return;
    }
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
        HandleEvent(event);
    }
}

void host::WaitForEvent(uint32_t timeoutMilliseconds) {
    if (!sdl::StartVideo() || !WaitsForEventsAsleep()) {
        SDL_Delay(timeoutMilliseconds);
        return;
    }
    auto timeout = static_cast<int>(std::min<uint32_t>(timeoutMilliseconds, INT32_MAX));
    if (lastWait.ranOut && SDL_GetTicks() - lastWait.endedAt <= kRightAfterMilliseconds) {
        timeout = std::max(timeout, kIdleWaitMilliseconds);
    }
    SDL_Event event;
    const bool eventCame = SDL_WaitEventTimeout(&event, timeout) != 0;
    if (eventCame) {
        HandleEvent(event);
    }
    lastWait = {!eventCame, SDL_GetTicks()};
}

}  // namespace platform
