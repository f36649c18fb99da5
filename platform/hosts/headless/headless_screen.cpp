// The headless screen: every flip is kept as a captured frame.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/hosts/headless/headless_control.h"
#include "platform/hosts/headless/headless_state.h"
#include "platform/hosts/host.h"

namespace platform {
namespace {

constexpr size_t kDefaultFramesKept = 16;

struct ScreenState {
    bool open = false;
    std::vector<headless::Frame> frames;  // oldest first
    size_t framesKept = kDefaultFramesKept;
    uint64_t presented = 0;
    std::function<void(const headless::Frame&)> hook;
    headless::Frame scratch;  // the frame shown when none is kept
};

ScreenState screen;

void ResetScreen() {
    screen = ScreenState{};
}

const headless::ResetOnFreshMachine kResetScreen{&ResetScreen};

// The frame to fill for this flip: a new one while there is room, else the
// oldest kept one, recycled so that its pixel storage is reused.
headless::Frame& NextFrame() {
    if (screen.framesKept == 0) {
        return screen.scratch;
    }
    if (screen.frames.size() < screen.framesKept) {
        return screen.frames.emplace_back();
    }
    std::rotate(screen.frames.begin(), screen.frames.begin() + 1, screen.frames.end());
    return screen.frames.back();
}

void Capture(headless::Frame& frame, const uint8_t* pixels, int32_t pitch, int32_t width,
             int32_t height, const PaletteEntry* palette) {
    frame.tick = host::Ticks();
    frame.width = width;
    frame.height = height;
    frame.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        std::memcpy(frame.pixels.data() + static_cast<size_t>(y) * width,
                    pixels + static_cast<ptrdiff_t>(y) * pitch, static_cast<size_t>(width));
    }
    std::copy_n(palette, frame.palette.size(), frame.palette.begin());
}

}  // namespace

bool host::OpenScreen(int32_t /*width*/, int32_t /*height*/) {
    screen.open = true;
    return true;
}

void host::CloseScreen() {
    screen.open = false;
}

void host::Present(const uint8_t* pixels, int32_t pitch, int32_t width, int32_t height,
                   const PaletteEntry* palette) {
    headless::Frame& frame = NextFrame();
    Capture(frame, pixels, pitch, width, height, palette);
    ++screen.presented;
    if (screen.hook) {
        screen.hook(frame);
    }
}

const std::vector<headless::Frame>& headless::Frames() {
    return screen.frames;
}

void headless::SetFramesKept(size_t count) {
    screen.framesKept = count;
    if (screen.frames.size() > count) {
        screen.frames.erase(
            screen.frames.begin(),
            screen.frames.begin() + static_cast<ptrdiff_t>(screen.frames.size() - count));
    }
}

uint64_t headless::FramesPresented() {
    return screen.presented;
}

void headless::SetFrameHook(std::function<void(const Frame&)> hook) {
    screen.hook = std::move(hook);
}

}  // namespace platform
