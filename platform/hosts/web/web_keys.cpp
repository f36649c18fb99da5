// The page's keys, by KeyboardEvent.code (where the key sits, whatever the
// layout prints on it), into the same snapshots the other systems keep: a tap
// between two reads shows once, a held key shows in every read.
#include <emscripten/html5.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "platform/hosts/host.h"
#include "platform/hosts/host_key_snapshots.h"
#include "platform/hosts/web/web_page.h"
#include "platform/keys.h"

namespace platform {
namespace {

struct KeyRow {
    std::string_view code;  // a KeyboardEvent.code
    uint8_t scanCode;       // a PC keyboard scan code, 0x80 set for extended keys
};

// A US PC keyboard with its keypad, one row per key.
constexpr std::array kKeyRows = std::to_array<KeyRow>({
    {"Escape", DIK_ESCAPE},
    {"Digit1", DIK_1},
    {"Digit2", DIK_2},
    {"Digit3", DIK_3},
    {"Digit4", DIK_4},
    {"Digit5", DIK_5},
    {"Digit6", DIK_6},
    {"Digit7", DIK_7},
    {"Digit8", DIK_8},
    {"Digit9", DIK_9},
    {"Digit0", DIK_0},
    {"Minus", DIK_MINUS},
    {"Equal", DIK_EQUALS},
    {"Backspace", DIK_BACK},
    {"Tab", DIK_TAB},
    {"KeyQ", DIK_Q},
    {"KeyW", DIK_W},
    {"KeyE", DIK_E},
    {"KeyR", DIK_R},
    {"KeyT", DIK_T},
    {"KeyY", DIK_Y},
    {"KeyU", DIK_U},
    {"KeyI", DIK_I},
    {"KeyO", DIK_O},
    {"KeyP", DIK_P},
    {"BracketLeft", DIK_LBRACKET},
    {"BracketRight", DIK_RBRACKET},
    {"Enter", DIK_RETURN},
    {"ControlLeft", DIK_LCONTROL},
    {"KeyA", DIK_A},
    {"KeyS", DIK_S},
    {"KeyD", DIK_D},
    {"KeyF", DIK_F},
    {"KeyG", DIK_G},
    {"KeyH", DIK_H},
    {"KeyJ", DIK_J},
    {"KeyK", DIK_K},
    {"KeyL", DIK_L},
    {"Semicolon", DIK_SEMICOLON},
    {"Quote", DIK_APOSTROPHE},
    {"Backquote", DIK_GRAVE},
    {"ShiftLeft", DIK_LSHIFT},
    {"Backslash", DIK_BACKSLASH},
    {"KeyZ", DIK_Z},
    {"KeyX", DIK_X},
    {"KeyC", DIK_C},
    {"KeyV", DIK_V},
    {"KeyB", DIK_B},
    {"KeyN", DIK_N},
    {"KeyM", DIK_M},
    {"Comma", DIK_COMMA},
    {"Period", DIK_PERIOD},
    {"Slash", DIK_SLASH},
    {"ShiftRight", DIK_RSHIFT},
    {"NumpadMultiply", DIK_MULTIPLY},
    {"AltLeft", DIK_LMENU},
    {"Space", DIK_SPACE},
    {"CapsLock", DIK_CAPITAL},
    {"F1", DIK_F1},
    {"F2", DIK_F2},
    {"F3", DIK_F3},
    {"F4", DIK_F4},
    {"F5", DIK_F5},
    {"F6", DIK_F6},
    {"F7", DIK_F7},
    {"F8", DIK_F8},
    {"F9", DIK_F9},
    {"F10", DIK_F10},
    {"NumLock", DIK_NUMLOCK},
    {"ScrollLock", DIK_SCROLL},
    {"Numpad7", DIK_NUMPAD7},
    {"Numpad8", DIK_NUMPAD8},
    {"Numpad9", DIK_NUMPAD9},
    {"NumpadSubtract", DIK_SUBTRACT},
    {"Numpad4", DIK_NUMPAD4},
    {"Numpad5", DIK_NUMPAD5},
    {"Numpad6", DIK_NUMPAD6},
    {"NumpadAdd", DIK_ADD},
    {"Numpad1", DIK_NUMPAD1},
    {"Numpad2", DIK_NUMPAD2},
    {"Numpad3", DIK_NUMPAD3},
    {"Numpad0", DIK_NUMPAD0},
    {"NumpadDecimal", DIK_DECIMAL},
    {"F11", DIK_F11},
    {"F12", DIK_F12},
    {"NumpadEnter", DIK_NUMPADENTER},
    {"ControlRight", DIK_RCONTROL},
    {"NumpadDivide", DIK_DIVIDE},
    {"PrintScreen", DIK_SYSRQ},
    {"AltRight", DIK_RMENU},
    {"Pause", DIK_PAUSE},
    {"Home", DIK_HOME},
    {"ArrowUp", DIK_UP},
    {"PageUp", DIK_PRIOR},
    {"ArrowLeft", DIK_LEFT},
    {"ArrowRight", DIK_RIGHT},
    {"End", DIK_END},
    {"ArrowDown", DIK_DOWN},
    {"PageDown", DIK_NEXT},
    {"Insert", DIK_INSERT},
    {"Delete", DIK_DELETE},
    {"MetaLeft", DIK_LWIN},
    {"MetaRight", DIK_RWIN},
    {"ContextMenu", DIK_APPS},
});

// The keys the game plays with: the page keeps them to itself, so the arrows
// and Space do not scroll it. Every other key keeps its browser meaning.
constexpr std::array kGameKeys = {DIK_LEFT,  DIK_RIGHT,  DIK_UP,    DIK_DOWN,
                                  DIK_SPACE, DIK_RETURN, DIK_ESCAPE};

KeySnapshots snapshots;

EM_BOOL KeyChanged(int eventType, const EmscriptenKeyboardEvent* event, void*) {
    const uint8_t scanCode = web::ScanCodeForKeyCode(event->code);
    if (scanCode == 0) {
        return EM_FALSE;
    }
    if (eventType == EMSCRIPTEN_EVENT_KEYDOWN) {
        // A key the system repeats while it is held is simply still down.
        if (!event->repeat) {
            snapshots.KeyDown(scanCode);
        }
    } else {
        snapshots.KeyUp(scanCode);
    }
    return std::find(kGameKeys.begin(), kGameKeys.end(), scanCode) != kGameKeys.end() ? EM_TRUE
                                                                                      : EM_FALSE;
}

// No key-up comes for a key let go while the page was not looked at.
EM_BOOL PageLeft(int, const EmscriptenFocusEvent*, void*) {
    snapshots.AllKeysUp();
    return EM_FALSE;
}

}  // namespace

uint8_t web::ScanCodeForKeyCode(const char* code) {
    if (code == nullptr) {
        return 0;
    }
    const auto row = std::find_if(kKeyRows.begin(), kKeyRows.end(),
                                  [&](const KeyRow& key) { return key.code == code; });
    return row != kKeyRows.end() ? row->scanCode : 0;
}

void web::ListenToKeys() {
    static bool listening = false;
    if (listening) {
        return;
    }
    listening = true;
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_TRUE, KeyChanged);
    emscripten_set_keyup_callback(page, nullptr, EM_TRUE, KeyChanged);
    emscripten_set_blur_callback(page, nullptr, EM_TRUE, PageLeft);
}

bool host::ReadKeyboard(uint8_t* keys) {
    web::ListenToKeys();
    snapshots.Take(keys);
    return true;
}

}  // namespace platform
