// A preloaded library that lets bench/cpu-usage.sh watch and steer the real
// program from outside, under any SDL video driver, the dummy one included
// (which takes no input of its own):
//
//  - keys: STACKWELL_PROBE_KEYS is a comma-separated list of
//    MILLISECONDS:KEY:HELD, the key an SDL scancode name ("Return", "Escape",
//    "Left"), pressed MILLISECONDS after the program started and held for HELD
//    milliseconds (0: a tap, let go at once). Each press and release is put
//    into SDL's event queue, as the window system would, when the program
//    next looks for events (SDL_PollEvent, SDL_WaitEventTimeout) at or after
//    its time;
//  - the first frame: when the first frame has been shown, the time since
//    STACKWELL_PROBE_START (nanoseconds of CLOCK_REALTIME, taken by the script
//    just before it started the program) is written to STACKWELL_PROBE_REPORT
//    as "first-frame-us N", followed by "first-frame-cpu-us N", the processor
//    time the whole process had used by then (which a busy machine does not
//    stretch as it does the wall-clock time). A frame is shown by
//    SDL_RenderPresent after its texture was filled (SDL_UnlockTexture), or,
//    without a renderer, by SDL_UpdateWindowSurface once the window holds
//    anything but black (before the first frame it is only cleared).
//
// The library does nothing else: every call goes on to SDL unchanged.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

int64_t Nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

template <typename Function>
Function Next(const char* name) {
    void* found = dlsym(RTLD_NEXT, name);
    if (found == nullptr) {
        std::fprintf(stderr, "stackwell probe: no %s to pass on to\n", name);
        std::abort();
    }
    Function function = nullptr;
    static_assert(sizeof function == sizeof found);
    std::memcpy(&function, &found, sizeof function);
    return function;
}

struct KeyPress {
    int64_t fromMs;
    int64_t untilMs;
    SDL_Scancode key;
    bool pressed = false;
    bool released = false;
};

struct Probe {
    int64_t startedAt = Nanoseconds(CLOCK_MONOTONIC);
    std::vector<KeyPress> presses;
    bool frameFilled = false;
    bool firstFrameReported = false;

    Probe() {
        const char* script = std::getenv("STACKWELL_PROBE_KEYS");
        if (script == nullptr) {
            return;
        }
        std::string rest = script;
        while (!rest.empty()) {
            const size_t comma = rest.find(',');
            const std::string press = rest.substr(0, comma);
            rest = comma == std::string::npos ? "" : rest.substr(comma + 1);
            const size_t first = press.find(':');
            const size_t second = press.rfind(':');
            if (first == std::string::npos || second == first) {
                std::fprintf(stderr, "stackwell probe: '%s' is not MS:KEY:HELD\n", press.c_str());
                continue;
            }
            const std::string name = press.substr(first + 1, second - first - 1);
            const SDL_Scancode key = SDL_GetScancodeFromName(name.c_str());
            if (key == SDL_SCANCODE_UNKNOWN) {
                std::fprintf(stderr, "stackwell probe: no key called '%s'\n", name.c_str());
                continue;
            }
            const int64_t from = std::atoll(press.substr(0, first).c_str());
            presses.push_back({from, from + std::atoll(press.substr(second + 1).c_str()), key});
        }
    }

    int64_t Elapsed() const { return (Nanoseconds(CLOCK_MONOTONIC) - startedAt) / 1'000'000; }

    // Queues the presses and releases whose time has come, for the window
    // that has the keyboard (none under the dummy driver: the game takes the
    // keys of any window).
    void QueueKeysDue() {
        const int64_t now = Elapsed();
        SDL_Window* focus = SDL_GetKeyboardFocus();
        const Uint32 window = focus != nullptr ? SDL_GetWindowID(focus) : 0;
        for (KeyPress& press : presses) {
            if (!press.pressed && now >= press.fromMs) {
                press.pressed = Queue(SDL_KEYDOWN, press.key, window);
            }
            if (press.pressed && !press.released && now >= press.untilMs) {
                press.released = Queue(SDL_KEYUP, press.key, window);
            }
        }
    }

    static bool Queue(Uint32 type, SDL_Scancode key, Uint32 window) {
        SDL_Event event{};
        event.type = type;
        event.key.timestamp = SDL_GetTicks();
        event.key.windowID = window;
        event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.key.keysym.scancode = key;
        event.key.keysym.sym = SDL_GetKeyFromScancode(key);
        return SDL_PushEvent(&event) == 1;
    }

    void ReportFirstFrame() {
        firstFrameReported = true;
        const char* start = std::getenv("STACKWELL_PROBE_START");
        const char* report = std::getenv("STACKWELL_PROBE_REPORT");
        if (start == nullptr || report == nullptr) {
            return;
        }
        const int64_t since = (Nanoseconds(CLOCK_REALTIME) - std::atoll(start)) / 1000;
        const int64_t used = Nanoseconds(CLOCK_PROCESS_CPUTIME_ID) / 1000;
        if (FILE* file = std::fopen(report, "a")) {
            std::fprintf(file, "first-frame-us %lld\nfirst-frame-cpu-us %lld\n",
                         static_cast<long long>(since), static_cast<long long>(used));
            std::fclose(file);
        }
    }
};

void WriteShot(const std::vector<uint8_t>& rgb, int width, int height) {
    const char* path = std::getenv("STACKWELL_PROBE_SHOT");
    if (path == nullptr) {
        return;
    }
    if (FILE* file = std::fopen(path, "wb")) {
        std::fprintf(file, "P6\n%d %d\n255\n", width, height);
        std::fwrite(rgb.data(), 1, rgb.size(), file);
        std::fclose(file);
    }
}

// The picture a renderer is about to present, read before SDL_RenderPresent:
// after it, what the renderer holds is not defined.
struct Shot {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

Shot ReadRenderer(SDL_Renderer* renderer) {
    Shot shot;
    if (std::getenv("STACKWELL_PROBE_SHOT") == nullptr ||
        SDL_GetRendererOutputSize(renderer, &shot.width, &shot.height) != 0) {
        return {};
    }
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB24, shot.rgb.data(),
                             shot.width * 3) != 0) {
        return {};
    }
    return shot;
}

void ShootSurface(SDL_Surface* surface) {
    if (std::getenv("STACKWELL_PROBE_SHOT") == nullptr) {
        return;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0);
    if (converted == nullptr) {
        return;
    }
    std::vector<uint8_t> rgb;
    const auto* rows = static_cast<const uint8_t*>(converted->pixels);
    for (int y = 0; y < converted->h; ++y) {
        const uint8_t* row = rows + static_cast<ptrdiff_t>(y) * converted->pitch;
        rgb.insert(rgb.end(), row, row + static_cast<ptrdiff_t>(converted->w) * 3);
    }
    WriteShot(rgb, converted->w, converted->h);
    SDL_FreeSurface(converted);
}

bool HoldsAPicture(const SDL_Surface* surface) {
    if (surface == nullptr || surface->pixels == nullptr) {
        return false;
    }
    const auto* rows = static_cast<const uint8_t*>(surface->pixels);
    const size_t rowBytes = static_cast<size_t>(surface->w) * surface->format->BytesPerPixel;
    for (int y = 0; y < surface->h; ++y) {
        const uint8_t* row = rows + static_cast<ptrdiff_t>(y) * surface->pitch;
        for (size_t x = 0; x < rowBytes; ++x) {
            if (row[x] != 0) {
                return true;
            }
        }
    }
    return false;
}

Probe& TheProbe() {
    static Probe probe;
    return probe;
}

// Read as soon as the library is loaded, so that the key script's clock starts
// with the program.
const bool kStarted = (TheProbe(), true);

}  // namespace

extern "C" {

int SDL_PollEvent(SDL_Event* event) {
    static const auto real = Next<int (*)(SDL_Event*)>("SDL_PollEvent");
    TheProbe().QueueKeysDue();
    return real(event);
}

int SDL_WaitEventTimeout(SDL_Event* event, int timeout) {
    static const auto real = Next<int (*)(SDL_Event*, int)>("SDL_WaitEventTimeout");
    TheProbe().QueueKeysDue();
    return real(event, timeout);
}

void SDL_UnlockTexture(SDL_Texture* texture) {
    static const auto real = Next<void (*)(SDL_Texture*)>("SDL_UnlockTexture");
    real(texture);
    TheProbe().frameFilled = true;
}

int SDL_UpdateWindowSurface(SDL_Window* window) {
    static const auto real = Next<int (*)(SDL_Window*)>("SDL_UpdateWindowSurface");
    Probe& probe = TheProbe();
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    const bool firstFrame = !probe.firstFrameReported && HoldsAPicture(surface);
    const int result = real(window);
    if (firstFrame) {
        probe.ReportFirstFrame();
        ShootSurface(surface);
    }
    return result;
}

void SDL_RenderPresent(SDL_Renderer* renderer) {
    static const auto real = Next<void (*)(SDL_Renderer*)>("SDL_RenderPresent");
    Probe& probe = TheProbe();
    const bool firstFrame = probe.frameFilled && !probe.firstFrameReported;
    const Shot shot = firstFrame ? ReadRenderer(renderer) : Shot{};
    real(renderer);
    if (firstFrame) {
        probe.ReportFirstFrame();
        if (!shot.rgb.empty()) {
            WriteShot(shot.rgb, shot.width, shot.height);
        }
    }
}

}  // extern "C"
