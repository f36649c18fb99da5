// Counts of the objects the platform has handed out and not yet taken back,
// so that a test can see that a whole run gave back everything it made.
#pragma once

#include <cstdint>

namespace platform::detail {

enum class LiveKind {
    DisplayDevice,
    Surface,
    Palette,
    InputSystem,
    KeyboardDevice,
    SoundDevice,
    SoundBuffer,
    File,
    RiffFile,
    Count
};

void NoteMade(LiveKind kind);
void NoteGone(LiveKind kind);
int64_t LiveCount(LiveKind kind);
const char* LiveKindName(LiveKind kind);

}  // namespace platform::detail
