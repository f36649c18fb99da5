// The key table decides which key the game sees for every key the player
// presses; a wrong or doubled row would steer the wrong way or not at all.
#include "platform/sdl/key_table.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "platform/keys.h"

namespace platform::sdl {
namespace {

TEST(KeyTable, EveryRowIsAKeyOfItsOwn) {
    std::set<int> sdlKeys;
    std::set<uint8_t> scanCodes;
    for (const KeyRow& row : KeyTable()) {
        EXPECT_NE(row.sdlScancode, SDL_SCANCODE_UNKNOWN);
        EXPECT_GT(row.sdlScancode, 0);
        EXPECT_LT(row.sdlScancode, SDL_NUM_SCANCODES);
        EXPECT_NE(row.scanCode, 0) << "SDL scan code " << row.sdlScancode;
        EXPECT_TRUE(sdlKeys.insert(row.sdlScancode).second)
            << "SDL scan code " << row.sdlScancode << " has two rows";
        EXPECT_TRUE(scanCodes.insert(row.scanCode).second)
            << "scan code " << int{row.scanCode} << " has two rows";
    }
}

TEST(KeyTable, LooksUpTheSameRowBothWays) {
    for (const KeyRow& row : KeyTable()) {
        EXPECT_EQ(ScanCodeForSdl(row.sdlScancode), row.scanCode);
        EXPECT_EQ(SdlScancodeFor(row.scanCode), row.sdlScancode);
    }
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_VOLUMEUP), 0);
    EXPECT_EQ(SdlScancodeFor(0), SDL_SCANCODE_UNKNOWN);
    EXPECT_EQ(SdlScancodeFor(0xFF), SDL_SCANCODE_UNKNOWN);
}

TEST(KeyTable, TheGamesKeysMapToTheirScanCodes) {
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_LEFT), 0xCB);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_RIGHT), 0xCD);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_DOWN), 0xD0);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_UP), 0xC8);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_SPACE), 0x39);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_RETURN), 0x1C);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_ESCAPE), 0x01);
}

TEST(KeyTable, KeysWithATwinOnTheKeyboardStayApart) {
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_KP_ENTER), 0x9C);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_LCTRL), 0x1D);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_RCTRL), 0x9D);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_LALT), 0x38);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_RALT), 0xB8);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_LSHIFT), 0x2A);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_RSHIFT), 0x36);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_KP_DIVIDE), 0xB5);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_SLASH), 0x35);
    // The keypad's arrows (with Num Lock off) are keys of their own.
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_KP_4), 0x4B);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_KP_6), 0x4D);
    EXPECT_EQ(ScanCodeForSdl(SDL_SCANCODE_KP_2), 0x50);
}

TEST(KeyTable, CoversEveryKeyOfThePcKeyboard) {
    constexpr std::array kAllKeys = {
        DIK_ESCAPE,    DIK_1,           DIK_2,         DIK_3,          DIK_4,        DIK_5,
        DIK_6,         DIK_7,           DIK_8,         DIK_9,          DIK_0,        DIK_MINUS,
        DIK_EQUALS,    DIK_BACK,        DIK_TAB,       DIK_Q,          DIK_W,        DIK_E,
        DIK_R,         DIK_T,           DIK_Y,         DIK_U,          DIK_I,        DIK_O,
        DIK_P,         DIK_LBRACKET,    DIK_RBRACKET,  DIK_RETURN,     DIK_LCONTROL, DIK_A,
        DIK_S,         DIK_D,           DIK_F,         DIK_G,          DIK_H,        DIK_J,
        DIK_K,         DIK_L,           DIK_SEMICOLON, DIK_APOSTROPHE, DIK_GRAVE,    DIK_LSHIFT,
        DIK_BACKSLASH, DIK_Z,           DIK_X,         DIK_C,          DIK_V,        DIK_B,
        DIK_N,         DIK_M,           DIK_COMMA,     DIK_PERIOD,     DIK_SLASH,    DIK_RSHIFT,
        DIK_MULTIPLY,  DIK_LMENU,       DIK_SPACE,     DIK_CAPITAL,    DIK_F1,       DIK_F2,
        DIK_F3,        DIK_F4,          DIK_F5,        DIK_F6,         DIK_F7,       DIK_F8,
        DIK_F9,        DIK_F10,         DIK_NUMLOCK,   DIK_SCROLL,     DIK_NUMPAD7,  DIK_NUMPAD8,
        DIK_NUMPAD9,   DIK_SUBTRACT,    DIK_NUMPAD4,   DIK_NUMPAD5,    DIK_NUMPAD6,  DIK_ADD,
        DIK_NUMPAD1,   DIK_NUMPAD2,     DIK_NUMPAD3,   DIK_NUMPAD0,    DIK_DECIMAL,  DIK_F11,
        DIK_F12,       DIK_NUMPADENTER, DIK_RCONTROL,  DIK_DIVIDE,     DIK_SYSRQ,    DIK_RMENU,
        DIK_PAUSE,     DIK_HOME,        DIK_UP,        DIK_PRIOR,      DIK_LEFT,     DIK_RIGHT,
        DIK_END,       DIK_DOWN,        DIK_NEXT,      DIK_INSERT,     DIK_DELETE,   DIK_LWIN,
        DIK_RWIN,      DIK_APPS,
    };
    for (uint8_t code : kAllKeys) {
        EXPECT_NE(SdlScancodeFor(code), SDL_SCANCODE_UNKNOWN) << "scan code " << int{code};
    }
    EXPECT_EQ(KeyTable().size(), kAllKeys.size());
}

TEST(KeyboardSnapshot, MarksExactlyTheKeysThatAreDown) {
    std::array<uint8_t, SDL_NUM_SCANCODES> sdlState{};
    sdlState[SDL_SCANCODE_KP_ENTER] = 1;
    sdlState[SDL_SCANCODE_RCTRL] = 1;
    sdlState[SDL_SCANCODE_LEFT] = 1;
    sdlState[SDL_SCANCODE_VOLUMEUP] = 1;  // no scan code: not seen
    std::array<uint8_t, 256> keys;
    keys.fill(0x55);  // whatever the caller's buffer held before
    MapKeyboardState(sdlState.data(), static_cast<int>(sdlState.size()), keys.data());
    for (int code = 0; code < 256; ++code) {
        const bool down = code == DIK_NUMPADENTER || code == DIK_RCONTROL || code == DIK_LEFT;
        EXPECT_EQ(keys[code], down ? kKeyDown : 0) << "scan code " << code;
    }
}

TEST(KeyboardSnapshot, ReadsNoFurtherThanTheStateSdlGives) {
    // SDL reports how many keys it knows; a shorter state must not be read past.
    std::array<uint8_t, SDL_SCANCODE_RETURN + 1> sdlState{};
    sdlState[SDL_SCANCODE_RETURN] = 1;
    std::array<uint8_t, 256> keys{};
    MapKeyboardState(sdlState.data(), static_cast<int>(sdlState.size()), keys.data());
    EXPECT_EQ(keys[DIK_RETURN], kKeyDown);
    EXPECT_EQ(keys[DIK_RCONTROL], 0);
}

}  // namespace
}  // namespace platform::sdl
