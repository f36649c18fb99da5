// The key table decides which key the game sees for every key the player
// presses; a wrong or doubled row would steer the wrong way or not at all.
#include "platform/hosts/sdl/sdl_key_table.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

namespace platform::sdl {
namespace {

// Every row is found both ways, so no key is doubled: no other key of the
// keyboard (a keypad twin among them) acts as one the game reads. The game's
// keys map to their own scan codes, and a key off the table to none.
TEST(KeyTable, EveryKeyHasARowOfItsOwnFoundBothWays) {
    for (const KeyRow& row : KeyTable()) {
        EXPECT_EQ(ScanCodeForSdl(row.sdlScancode), row.scanCode);
        EXPECT_EQ(SdlScancodeFor(row.scanCode), row.sdlScancode);
    }
    const std::pair<SDL_Scancode, uint8_t> keys[] = {
        {SDL_SCANCODE_LEFT, 0xCB},  {SDL_SCANCODE_RIGHT, 0xCD},  {SDL_SCANCODE_DOWN, 0xD0},
        {SDL_SCANCODE_SPACE, 0x39}, {SDL_SCANCODE_RETURN, 0x1C}, {SDL_SCANCODE_ESCAPE, 0x01},
        {SDL_SCANCODE_VOLUMEUP, 0}, {SDL_SCANCODE_UNKNOWN, 0},
    };
    for (const auto& [sdlKey, scanCode] : keys) {
        EXPECT_EQ(ScanCodeForSdl(sdlKey), scanCode) << "SDL scan code " << sdlKey;
    }
}

}  // namespace
}  // namespace platform::sdl
