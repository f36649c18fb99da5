#include "platform/api/api_live_objects.h"

#include <array>
#include <atomic>

namespace platform::detail {
namespace {

// Objects are made and released on the game's thread, but a count costs
// nothing to keep safe for any thread.
std::array<std::atomic<int64_t>, static_cast<size_t>(LiveKind::Count)> counts{};

std::atomic<int64_t>& CountOf(LiveKind kind) {
    return counts[static_cast<size_t>(kind)];
}

}  // namespace

void NoteMade(LiveKind kind) {
    CountOf(kind).fetch_add(1, std::memory_order_relaxed);
}

void NoteGone(LiveKind kind) {
    CountOf(kind).fetch_sub(1, std::memory_order_relaxed);
}

int64_t LiveCount(LiveKind kind) {
    return CountOf(kind).load(std::memory_order_relaxed);
}

const char* LiveKindName(LiveKind kind) {
    switch (kind) {
        case LiveKind::DisplayDevice:
            return "display device";
        case LiveKind::Surface:
            return "surface";
        case LiveKind::Palette:
            return "palette";
        case LiveKind::InputSystem:
            return "input system";
        case LiveKind::KeyboardDevice:
            return "keyboard device";
        case LiveKind::SoundDevice:
            return "sound device";
        case LiveKind::SoundBuffer:
            return "sound buffer";
        case LiveKind::File:
            return "open file";
        case LiveKind::RiffFile:
            return "open RIFF file";
        case LiveKind::Count:
            break;
    }
    return "object";
}

}  // namespace platform::detail
