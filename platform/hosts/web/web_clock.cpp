// Time in the browser: the page's clock, and sleeps that hand the browser
// back its thread so that it draws, plays and takes keys meanwhile.
#include <emscripten.h>

#include <cmath>

#include "platform/hosts/host.h"
#include "platform/hosts/host_start_of_count.h"
#include "platform/hosts/web/web_page.h"

namespace platform {

uint32_t host::Ticks() {
    return host::StartOfCount() + static_cast<uint32_t>(std::llround(emscripten_get_now()));
}

void host::SleepFor(uint32_t milliseconds) {
    web::KeepSoundFed();
    emscripten_sleep(milliseconds);
    web::KeepSoundFed();
}

// The browser host fails only when the browser does.
bool host::Fails(Fault) {
    return false;
}

// A key event wakes nothing early here: the browser runs the game's code only
// between its own tasks, so the wait is a plain sleep and the read that
// follows takes whatever came meanwhile.
void host::WaitForEvent(uint32_t timeoutMilliseconds) {
    SleepFor(timeoutMilliseconds);
}

}  // namespace platform
