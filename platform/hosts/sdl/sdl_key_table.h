// Which key of the keyboard snapshot each SDL scan code stands for. The table
// has one row per key so that a test can check it both ways.
#pragma once

#include <cstdint>
#include <span>

namespace platform::sdl {

struct KeyRow {
    int sdlScancode;   // an SDL_Scancode value
    uint8_t scanCode;  // a PC keyboard scan code (platform/keys.h), 0x80 set for extended keys
};

std::span<const KeyRow> KeyTable();

// The scan code of an SDL scan code, or 0 when the key has none.
uint8_t ScanCodeForSdl(int sdlScancode);

// The SDL scan code of a scan code, or 0 (SDL_SCANCODE_UNKNOWN) when none.
int SdlScancodeFor(uint8_t scanCode);

}  // namespace platform::sdl
