// What the parts of the browser host share: the page's canvas, its keys and
// its sound, each kept by one file.
#pragma once

#include <cstdint>

namespace platform::web {

// Looks after the sound between the game's own steps: the game's loops sleep
// between frames and key reads, and the browser plays what was mixed ahead.
void KeepSoundFed();

// Key events from the page, by KeyboardEvent.code; keys the game's keyboard
// does not have are ignored.
void ListenToKeys();

// The scan code of a KeyboardEvent.code, or 0 when the game's keyboard has no
// such key.
uint8_t ScanCodeForKeyCode(const char* code);

}  // namespace platform::web
